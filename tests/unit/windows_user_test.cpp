// What a Windows user meets around the editor: the recent files, the window's place, the Com
// Port list past COM4 and file names outside the ANSI code page. The logic is platform-free;
// the file round trip runs natively and, in the Windows build, through the wide calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/configuration_file.h"
#include "document/recent_files.h"
#include "layout/gauge_catalog.h"
#include "link/firmware_file_check.h"
#include "link/upload.h"
#include "platform/dialog_fit.h"
#include "platform/file_path.h"
#include "platform/file_replace.h"
#include "platform/memory_form.h"
#include "platform/screen_scale.h"
#include "platform/serial_port_names.h"
#include "platform/window_placement.h"
#include "profiles/engine_unit_profiles.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/com_port_list.h"
#include "settings/curve_csv.h"
#include "settings/vehicle_panel.h"
#include "settings/vehicle_settings.h"
#include "support/fake_view_host.h"
#include "support/temp_dir.h"

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFiles, AddMovesToFrontDedupesWithoutCaseAndKeepsFour) {
    struct Case {
        const char* name;
        Paths before;
        std::string added;
        Paths after;
    };
    const Case cases[] = {
        {"into an empty list", {}, "C:\\a.vtl", {"C:\\a.vtl"}},
        {"newest first", {"C:\\a.vtl"}, "C:\\b.vtl", {"C:\\b.vtl", "C:\\a.vtl"}},
        {"again: moves to the front", {"C:\\a.vtl", "C:\\b.vtl", "C:\\c.vtl"}, "C:\\c.vtl",
         {"C:\\c.vtl", "C:\\a.vtl", "C:\\b.vtl"}},
        {"other case: the same file, spelled as now", {"C:\\a.vtl", "C:\\Cars\\B.VTL"},
         "c:\\cars\\b.vtl", {"c:\\cars\\b.vtl", "C:\\a.vtl"}},
        {"every ASCII letter, A and Z too", {"C:\\ABCDEFGHIJKLMNOPQRSTUVWXYZ.vtl"}, "c:\\abcdefghijklmnopqrstuvwxyz.vtl",
         {"c:\\abcdefghijklmnopqrstuvwxyz.vtl"}},
        {"a fifth drops the oldest", {"1", "2", "3", "4"}, "5", {"5", "1", "2", "3"}},
        {"letters of every script are folded", {"C:\\Öl.vtl", "C:\\ΑΥΤΟ\\МАШИНА.vtl"},
         "C:\\αυτο\\машина.vtl", {"C:\\αυτο\\машина.vtl", "C:\\Öl.vtl"}},
        {"Ö and ö are one letter", {"C:\\Öl.vtl"}, "C:\\öl.vtl", {"C:\\öl.vtl"}},
        {"but a letter is never two", {"C:\\straße.vtl"}, "C:\\STRASSE.vtl",
         {"C:\\STRASSE.vtl", "C:\\straße.vtl"}},
    };
    for (const Case& c : cases) EXPECT_EQ(withRecentFile(c.before, c.added), c.after) << "case " << c.name;
    EXPECT_EQ(withoutRecentFile({"C:\\A.vtl", "C:\\b.vtl"}, "c:\\a.VTL"), Paths{"C:\\b.vtl"});
}

TEST(RecentFiles, StoredValuesAreReadRobustly) {
    const std::string huge(10000, 'x');
    struct Case {
        const char* name;
        Paths stored;
        Paths list;
    };
    const Case cases[] = {
        {"nothing stored", {}, {}},
        {"empty and overlong entries are skipped", {"", huge, "C:\\a.vtl"}, {"C:\\a.vtl"}},
        {"the longest that is kept", {std::string(kLongestRecentPath, 'y')},
         {std::string(kLongestRecentPath, 'y')}},
        {"control characters", {"C:\\a\nb.vtl", std::string("C:\\\x01.vtl"), "C:\\ok.vtl"}, {"C:\\ok.vtl"}},
        {"repeats, also in another case", {"C:\\a.vtl", "c:\\A.VTL", "C:\\b.vtl"}, {"C:\\a.vtl", "C:\\b.vtl"}},
        {"at most four", {"1", "2", "3", "4", "5"}, {"1", "2", "3", "4"}},
    };
    for (const Case& c : cases) EXPECT_EQ(recentFilesFromStored(c.stored), c.list) << "case " << c.name;
}

TEST(RecentFiles, MenuTextNumbersDoublesAmpersandsAndShortensWithinCharacters) {
    EXPECT_EQ(recentFileMenuText(0, "C:\\R&D\\car.vtl"), "&1 C:\\R&&D\\car.vtl");
    EXPECT_EQ(recentFileMenuText(3, "C:\\b.vtl"), "&4 C:\\b.vtl");
    std::string longPath = "C:\\";
    for (int i = 0; i < 40; ++i) longPath += "日";  // three bytes each
    longPath += "\\car.vtl";
    const std::string text = recentFileMenuText(1, longPath);
    EXPECT_EQ(text.rfind("&2 C:\\", 0), 0u) << text;
    EXPECT_NE(text.find("..."), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 8), "\\car.vtl");
    // Whole characters only: every byte after "..." up to the name starts a 3-byte sequence.
    const std::size_t dots = text.find("...");
    EXPECT_EQ((text.size() - 8 - (dots + 3)) % 3, 0u) << text;
    EXPECT_EQ((dots - 6) % 3, 0u) << text;
}

TEST(WindowPlacement, StoredTextsAreParsedOrRefused) {
    struct Case {
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {"100,50,1124,818", true},   {"-1500,-20,-476,748", true},  {"0,0,1024,768", true},
        {"", false},                 {"100,50,1124", false},         {"100,50,1124,818,5", false},
        {"100,50,90,818", false},    {"100,50,100,818", false},      {"0,0,-1024,768", false},
        {"a,b,c,d", false},          {"1 ,2,3,4", false},            {"0,0,1234567,768", false},
        {"0,0,100000,768", false},   {"-,0,10,10", false},
    };
    for (const Case& c : cases) {
        ScreenRect rect;
        EXPECT_EQ(parseStoredWindowRect(c.text, rect), c.accepted) << "case " << c.text;
    }
    ScreenRect rect;
    ASSERT_TRUE(parseStoredWindowRect(storedWindowRect({-5, 7, 1019, 775}), rect));
    EXPECT_EQ(rect.left, -5);
    EXPECT_EQ(rect.bottom, 775);
}

TEST(WindowPlacement, AnUnreachablePlaceComesBackOntoThePrimaryScreen) {
    const ScreenRect primary{0, 0, 1366, 728};
    const ScreenRect right{1366, 0, 3286, 1080};  // a second screen to the right
    struct Case {
        const char* name;
        ScreenRect stored;
        std::vector<ScreenRect> areas;
        int left, top;
    };
    const Case cases[] = {
        {"on the screen: kept", {100, 50, 0, 0}, {primary}, 100, 50},
        {"on the second screen: kept", {2000, 100, 0, 0}, {primary, right}, 2000, 100},
        {"that screen is gone: pulled in", {2000, 100, 0, 0}, {primary}, 342, 0},
        {"far off to the left (taller than the screen: top at its top)", {-5000, 10, 0, 0}, {primary}, 0, 0},
        {"caption above the screen", {100, -300, 0, 0}, {primary}, 100, 0},
        {"caption below the screen", {100, 720, 0, 0}, {primary}, 100, 0},
        {"only a sliver of caption showing", {1340, 10, 0, 0}, {primary}, 342, 0},
        {"partly off but grabbable: kept", {-900, 10, 0, 0}, {primary}, -900, 10},
    };
    for (const Case& c : cases) {
        const ScreenRect placed = placeWindow(c.stored, 1024, 768, c.areas, primary);
        EXPECT_EQ(placed.left, c.left) << "case " << c.name;
        EXPECT_EQ(placed.top, c.top) << "case " << c.name;
        EXPECT_EQ(placed.width(), 1024) << "case " << c.name;
    }
}

TEST(ComPortList, FixedPortsFirstThenPresentAndStoredPortsByNumber) {
    const std::vector<SerialPortName> present = {
        {1, ""}, {12, ""}, {7, "USB Serial Port"}, {3, "Communications Port"}, {7, ""}};
    struct Case {
        const char* name;
        std::vector<SerialPortName> present;
        int stored;
        std::vector<int> indexes;
    };
    const Case cases[] = {
        {"no ports known", {}, 0, {0, 1, 2, 3}},
        {"nothing selected", {}, -1, {0, 1, 2, 3}},
        {"present ports past COM4, in order, once", present, 2, {0, 1, 2, 3, 6, 11}},
        {"a stored port that is not present", {}, 8, {0, 1, 2, 3, 8}},
        {"a file's Com 5, nothing present", {}, 4, {0, 1, 2, 3, 4}},
        {"a stored port between present ones", present, 9, {0, 1, 2, 3, 6, 9, 11}},
        {"a stored port that no port can be", {}, 256, {0, 1, 2, 3}},
        {"the highest port", {}, 255, {0, 1, 2, 3, 255}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(comPortListIndexes(c.present, c.stored), c.indexes) << "case " << c.name;

    EXPECT_EQ(comPortText(present, 6), "Com 7 (USB Serial Port)");
    EXPECT_EQ(comPortText(present, 2), "Com 3 (Communications Port)") << "named as the list does";
    EXPECT_EQ(comPortText(present, 11), "Com 12");
    EXPECT_EQ(comPortText({}, 8), "Com 9");
}

TEST(ComPortList, PortNamesFromWindows) {
    struct Case {
        const char* text;
        int number;
    };
    const Case numbers[] = {{"COM1", 1}, {"com7", 7},  {"COM12", 12}, {"COM256", 256},
                            {"COM257", 0}, {"COM0", 0}, {"COM07", 0}, {"COM", 0},
                            {"COM1x", 0}, {"LPT1", 0},  {"\\\\.\\COM3", 0}, {"COM1234", 0}};
    for (const Case& c : numbers) EXPECT_EQ(comPortNumber(c.text), c.number) << "case " << c.text;
    using namespace std::string_literals;  // "...\0..."s keeps the NULs inside
    struct List {
        const char* name;
        std::string list;
        std::vector<int> numbers;
    };
    const List lists[] = {
        {"empty", ""s, {}},
        {"no names", "\0"s, {}},
        {"two ports", "COM1\0COM7\0\0"s, {1, 7}},
        {"among other devices", "LPT1\0Global\0COM3\0NUL\0COMX\0\0"s, {3}},
        {"COM10 and above", "COM10\0COM256\0COM257\0COM12\0\0"s, {10, 256, 12}},
        {"cut short after a name's NUL", "COM1\0COM7\0"s, {1, 7}},
        {"cut short inside the last name", "COM2\0COM9"s, {2, 9}},
        {"nothing read past the list's end", "COM4\0\0COM5\0\0"s, {4}},
    };
    for (const List& l : lists) EXPECT_EQ(comPortNumbersInDeviceList(l.list), l.numbers) << "case " << l.name;
    EXPECT_EQ(deviceNameOfPort("USB Serial Port (COM7)", 7), "USB Serial Port");
    EXPECT_EQ(deviceNameOfPort("USB Serial Port (COM17)", 7), "USB Serial Port (COM17)");
    EXPECT_EQ(deviceNameOfPort("Prolific USB-to-Serial Comm Port", 5), "Prolific USB-to-Serial Comm Port");
    EXPECT_EQ(deviceNameOfPort("", 5), "");
}

TEST(ComPortList, ThePanelShowsAndStoresPortsPastCom4) {
    MemoryForm form;
    VehicleSettings settings;
    EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    setPresentComPorts({{7, "USB Serial Port"}, {12, ""}});
    setUpVehiclePanel(form, settings);
    EXPECT_EQ(form.lists[IDC_COM_PORT].items,
              (Paths{"Com 1", "Com 2", "Com 3", "Com 4", "Com 7 (USB Serial Port)", "Com 12"}));

    struct Case {
        const char* name;
        int stored;
        const char* shown;
        int position;
    };
    const Case cases[] = {
        {"an old file's Com 3", 2, "Com 3", 2},
        {"Com 7", 6, "Com 7 (USB Serial Port)", 4},
        {"Com 12", 11, "Com 12", 5},
        {"a port that is not present", 8, "Com 9", 5},
        {"nothing selected", -1, "", -1},
        {"a damaged file's index", 5000, "", -1},
    };
    for (const Case& c : cases) {
        settings.comPortIndex = c.stored;
        fillVehiclePanel(form, settings);
        EXPECT_EQ(form.selectedListText(IDC_COM_PORT), c.shown) << "case " << c.name;
        EXPECT_EQ(form.lists[IDC_COM_PORT].selection, c.position) << "case " << c.name;
        readVehiclePanel(form, settings, profiles);
        EXPECT_EQ(settings.comPortIndex, c.stored < 256 ? c.stored : -1) << "case " << c.name;
    }
    // Choosing Com 12 in a list that holds Com 9 for the loaded file.
    settings.comPortIndex = 8;
    fillVehiclePanel(form, settings);
    form.lists[IDC_COM_PORT].selection = 6;
    readVehiclePanel(form, settings, profiles);
    EXPECT_EQ(settings.comPortIndex, 11);
    // An adapter plugged in later: the list grows, the port shown stays selected.
    refreshComPortList(form, {{5, "Bluetooth Link"}, {7, "USB Serial Port"}, {12, ""}});
    EXPECT_EQ(form.selectedListText(IDC_COM_PORT), "Com 12");
    EXPECT_EQ(form.lists[IDC_COM_PORT].items[4], "Com 5 (Bluetooth Link)");

    UploadResult failed;
    failed.outcome = UploadOutcome::PortNotOpened;
    setPresentComPorts({{7, "USB Serial Port"}});
    EXPECT_EQ(uploadFailureMessage(failed, 6), "Failed to access Com 7 (USB Serial Port)");
    setPresentComPorts({});
}

TEST(UnicodeFileNames, EveryFileTheEditorOpensOrWrites) {
    TempDir dir;
    const std::string folder = dir.file("x");
    const std::string base = folder.substr(0, folder.size() - 1) + "Öl-Kühler ñ 日本";

    // A configuration: saved, then loaded.
    Configuration saved;
    resetPages(saved.layout, saved.directory);
    saved.vehicle.comPortIndex = 6;
    ASSERT_TRUE(saveConfiguration(base + ".vtl", saved).saved);
    FakeViewHost host;
    const GaugeCatalog catalog = loadCatalog(host);
    Configuration loaded;
    const LoadResult result = loadConfiguration(base + ".vtl", loaded, catalog, host);
    EXPECT_TRUE(result.loaded) << result.reason;
    EXPECT_EQ(loaded.vehicle.comPortIndex, 6);

    // Whole-file writes (the curve CSV, the display image) and the firmware file.
    EXPECT_EQ(writeWholeFile(base + ".bin", {1, 2, 3}), "");
    const CheckedFirmwareFile firmware = checkFirmwareFile(base + ".bin");
    EXPECT_EQ(firmware.image.size(), 3u) << firmware.reason;
    std::FILE* file = openFile(base + ".bin", "rb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    CurvePointTexts curve;
    for (std::size_t k = 0; k < curve.size(); ++k) curve[k] = std::to_string(k);
    EXPECT_EQ(writeCurveCsvFile(base + ".csv", curve), "");
    const CurveCsvResult csv = readCurveCsvFile(base + ".csv");
    EXPECT_TRUE(csv.accepted) << csv.reason;
    EXPECT_EQ(csv.texts[32], "32");
    EXPECT_TRUE(std::ifstream(filePath(base + ".csv")).good());

    // The names as the folder lists them, apart from the conversion the program opens files
    // through: a name written through the ANSI code page lists as other characters.
    Paths listed;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(folder).parent_path()))
        listed.push_back(entry.path().filename().u8string());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (Paths{"Öl-Kühler ñ 日本.bin", "Öl-Kühler ñ 日本.csv", "Öl-Kühler ñ 日本.vtl"}));
}

}  // namespace

namespace {

TEST(ScreenScale, PreviewsGrowByWholePixelsAndMapBothWays) {
    struct Case {
        int dpi;
        int previewPixel;
        int control1024;
    };
    const Case cases[] = {{96, 2, 1024},  {120, 2, 1280}, {144, 3, 1536}, {168, 3, 1792},
                          {192, 4, 2048}, {72, 2, 768},   {0, 2, 1024},   {100000, 2, 1024}};
    for (const Case& c : cases) {
        const ScreenScale scale = screenScaleFor(c.dpi);
        EXPECT_EQ(scale.previewPixel, c.previewPixel) << "case " << c.dpi;
        EXPECT_EQ(scale.controls(1024), c.control1024) << "case " << c.dpi;
    }
    ScreenScale scale = screenScaleFor(144);
    scale.scrollY = 30;
    EXPECT_EQ(scale.clientX(32), 48);
    EXPECT_EQ(scale.clientY(32), 18);
    // Every client pixel of a display pixel's 3 x 3 square reads back as that display pixel.
    for (int client = 48; client < 51; ++client) EXPECT_EQ(scale.previewX(client) / 2, 16) << client;
    EXPECT_EQ(scale.previewY(-31) , -1) << "above the scrolled content";
    EXPECT_EQ(screenScaleFor(96).previewX(37), 37);
}

TEST(ScreenScale, ADpiChangeMovesEdgesSoThatControlsThatMetStillMeet) {
    struct Case {
        int length, from, to, expected;
    };
    const Case cases[] = {{1, 96, 144, 2},     {-11, 96, 144, -17}, {5, 96, 144, 8},  {8, 144, 96, 5},
                          {1024, 96, 144, 1536}, {1536, 144, 96, 1024}, {7, 0, 144, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(rescaledLength(c.length, c.from, c.to), c.expected) << c.length << " from " << c.from << " to " << c.to;
    const ScreenRect left = rescaledRect({0, 3, 5, 9}, 96, 144), right = rescaledRect({5, 3, 11, 9}, 96, 144);
    EXPECT_EQ(left.right, right.left) << "neighbours";
    EXPECT_EQ(storedWindowRect(rescaledRect(rescaledRect({10, 20, 110, 41}, 96, 144), 144, 96)), "10,20,110,41")
        << "there and back";
}

TEST(DialogFit, ADialogLargerThanTheWorkAreaIsCutToItAndScrolls) {
    const ScreenRect work{0, 0, 1366, 728};
    struct Case {
        const char* name;
        ScreenRect window;
        ScreenRect placed;
        bool vertical;
        bool horizontal;
    };
    const Case cases[] = {
        {"fits: kept", {50, 60, 650, 560}, {50, 60, 650, 560}, false, false},
        {"fits but hangs out: moved in", {900, 400, 1500, 800}, {766, 328, 1366, 728}, false, false},
        {"too tall: full height, wider by the bar", {50, 50, 590, 1144}, {50, 0, 607, 728}, true, false},
        {"too tall, no room for the bar: both", {0, 50, 1360, 1144}, {0, 0, 1366, 728}, true, true},
        {"too wide: wider than high by the bar", {10, 100, 1400, 600}, {0, 100, 1366, 617}, false, true},
        {"too wide, no room for the bar: both", {10, 0, 1400, 720}, {0, 0, 1366, 728}, true, true},
        {"too tall, the bar just fits", {0, 50, 1349, 1144}, {0, 0, 1366, 728}, true, false},
        {"too wide, the bar just fits", {10, 100, 1400, 811}, {0, 0, 1366, 728}, false, true},
    };
    for (const Case& c : cases) {
        const DialogFit fit = fitDialog(c.window, work, 17, 17);
        EXPECT_EQ(storedWindowRect(fit.window), storedWindowRect(c.placed)) << "case " << c.name;
        EXPECT_EQ(fit.vertical, c.vertical) << "case " << c.name;
        EXPECT_EQ(fit.horizontal, c.horizontal) << "case " << c.name;
    }
    const ScreenRect left{-1280, 40, 0, 1024};
    EXPECT_EQ(storedWindowRect(fitDialog({-600, 0, -60, 1200}, left, 17, 17).window), "-600,40,-43,1024")
        << "a second screen left of the first, below its top";
}

TEST(DialogFit, TheContentsGrowToHoldTheFarthestControl) {
    // Laid out for 1000 x 700 with a margin of 12 beyond the farthest control.
    EXPECT_EQ(storedWindowRect(contentsToHold(1000, 700, {{10, 10, 988, 688}}, 12)), "0,0,1000,700")
        << "a control that ends where the margin begins";
    EXPECT_EQ(storedWindowRect(contentsToHold(1000, 700, {{600, 20, 989, 100}, {20, 650, 300, 760}}, 12)),
              "0,0,1001,772")
        << "one control a pixel wider, another far lower: each direction grows by its own";
    EXPECT_EQ(storedWindowRect(contentsToHold(1000, 700, {}, 12)), "0,0,1000,700") << "no controls";
}

TEST(DialogFit, ScrollStepsAndTheFocusStayWithinTheContents) {
    using R = ScrollRequest;
    struct Step {
        int from;
        R request;
        int to;
        int expected;
    };
    // Contents 1000 long seen through 300, lines of 40.
    const Step steps[] = {{0, R::LineOn, 0, 40},   {20, R::LineBack, 0, 0},  {650, R::PageOn, 0, 700},
                          {500, R::PageBack, 0, 200}, {10, R::End, 0, 700},   {700, R::Start, 0, 0},
                          {0, R::To, 2000, 700},   {300, R::To, -5, 0}};
    for (const Step& s : steps)
        EXPECT_EQ(scrolledPosition(s.from, s.request, 40, 300, 1000, s.to), s.expected)
            << s.from << " request " << static_cast<int>(s.request);
    EXPECT_EQ(scrolledPosition(0, R::End, 40, 300, 200), 0) << "contents shorter than the view";

    struct Item {
        int start;
        int end;
        int expected;
    };
    // The view starts at 100.
    const Item items[] = {{150, 200, 100}, {90, 120, 90},   {50, 80, 50},
                          {380, 450, 150}, {500, 900, 500}, {950, 1000, 700}};
    for (const Item& i : items)
        EXPECT_EQ(positionShowing(100, 300, 1000, i.start, i.end), i.expected) << i.start << "-" << i.end;
}

TEST(DialogFit, TheWheelChangesAListOnlyWhileTheUserWorksIt) {
    struct Case {
        const char* name;
        WheelAtList at;  // dialog scrolls, list dropped, list has the focus, pointer over the list
        bool dialogScrolls;
    };
    const Case cases[] = {
        {"focused list, pointer elsewhere", {true, false, true, false}, true},
        {"list under the pointer without the focus", {true, false, false, true}, true},
        {"neither", {true, false, false, false}, true},
        {"focused list under the pointer", {true, false, true, true}, false},
        {"open drop-down, pointer elsewhere", {true, true, false, false}, false},
        {"a dialog that does not scroll", {false, false, false, true}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(wheelScrollsDialog(c.at), c.dialogScrolls) << "case " << c.name;
}

}  // namespace
