#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/editor_session.h"
#include "cli/info_report.h"
#include "cli/output_files.h"
#include "document/configuration_compare.h"
#include "document/configuration_file.h"
#include "profiles/display_encoding.h"
#include "link/upload_image.h"
#include "link/upload_stream.h"
#include "settings/vehicle_panel_ids.h"
#include "support/json_reader.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() / ("veltrana_cli_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

void writeAll(const std::string& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes readAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void putWord(Bytes& bytes, std::size_t at, std::uint32_t word) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(word >> (8 * i));
}

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

CommandRun run(const std::vector<std::string>& words) {
    const ParsedCommandLine parsed = parseCommandLine(words);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    std::ostringstream out, err;
    CommandRun r;
    // As the program does, before any command runs.
    if (anyOutputIsAnInput(parsed.invocation, err)) {
        r.status = ExitFailed;
        r.err = err.str();
        return r;
    }
    // Through the command's row of the table, as the program does.
    const CommandRow* row = findCommand(parsed.invocation.command);
    EXPECT_NE(row, nullptr) << parsed.invocation.command;
    if (row) r.status = row->run(parsed.invocation, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

// Places catalog entry `position` of `kind` at display column and row of a page.
void place(Configuration& config, int page, int kind, int position, int column, int row) {
    const GaugeDefinition* def = gaugeDefinition(kind, position);
    ASSERT_NE(def, nullptr);
    GaugePlacement g;
    g.previewX = config.directory.pages[page].x + 2 * column;
    g.previewY = config.directory.pages[page].y + 2 * row;
    g.displayWidth = def->tableWidth;
    g.displayHeight = def->tableHeight;
    g.gaugeId = def->gaugeId;
    ASSERT_TRUE(addPlacement(config.layout, config.directory, page, g));
}

// A configuration with gauges of several kinds on all four pages, saved by a session as the
// editor saves it.
void saveGaugesOnEveryPage(const std::string& path) {
    auto session = std::make_unique<EditorSession>();
    Configuration& c = session->config;
    place(c, 0, 0, 0, 0, 0);     // a radial dial
    place(c, 0, 3, 0, 184, 48);  // a text gauge in the far corner
    place(c, 1, 4, 0, 0, 0);     // a big rev meter
    place(c, 2, 1, 0, 0, 0);     // a horizontal bar
    place(c, 2, 2, 0, 200, 0);   // a vertical bar
    place(c, 3, 5, 0, 0, 0);     // indicators
    place(c, 3, 5, 1, 24, 56);
    ASSERT_TRUE(session->save(path).saved);
}

// The grey pixels of a PNG as our writer makes it (8-bit grey, each row with filter type 0 or
// 2), its picture data read back by zlib's inflate.
Bytes decodeGreyPng(const Bytes& png, int& width, int& height) {
    auto be32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3]);
    };
    Bytes z;
    for (std::size_t at = 8; at + 8 <= png.size();) {
        const std::uint32_t length = be32(at);
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        if (type == "IHDR") {
            width = static_cast<int>(be32(at + 8));
            height = static_cast<int>(be32(at + 12));
        }
        if (type == "IDAT") z.insert(z.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        at += 12 + length;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) + 1;
    Bytes raw(rowBytes * static_cast<std::size_t>(height));
    uLongf rawLength = static_cast<uLongf>(raw.size());
    EXPECT_EQ(uncompress(raw.data(), &rawLength, z.data(), static_cast<uLong>(z.size())), Z_OK);
    EXPECT_EQ(rawLength, raw.size());
    Bytes grey;
    grey.reserve(raw.size());
    const Bytes noChange(static_cast<std::size_t>(width), 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t filter = raw[y * rowBytes];
        const auto row = raw.begin() + static_cast<std::ptrdiff_t>(y * rowBytes + 1);
        EXPECT_TRUE(filter == 0 || (filter == 2 && y > 0)) << "row " << y << ": filter type " << int(filter);
        if (filter != 2) {
            grey.insert(grey.end(), row, row + width);
        } else if (std::memcmp(&*row, noChange.data(), noChange.size()) == 0) {  // the row above again
            const Bytes above(grey.end() - width, grey.end());
            grey.insert(grey.end(), above.begin(), above.end());
        } else {
            for (int x = 0; x < width; ++x)
                grey.push_back(static_cast<std::uint8_t>(row[x] + grey[grey.size() - width]));
        }
    }
    return grey;
}

TEST(CliRender, PicturePixelsAreThePageImageTheUploadSends) {
    TempDir dir;
    const std::string car = dir.file("car.vtl");
    saveGaugesOnEveryPage(car);
    const CommandRun streamed = run({"stream", car, "-o", dir.file("car.bin")});
    ASSERT_EQ(streamed.status, ExitOk) << streamed.err;
    const Bytes stream = readAll(dir.file("car.bin"));
    const Bytes pageImage(stream.begin() + 1, stream.begin() + 1 + kPageImageBytes);

    // Each scale's picture, decoded, is the page image pixel for pixel, and even the largest is
    // small: a picture of whole display pixels packs well (at scale 16 its pixels are 15.7 MB).
    const struct {
        int scale;
        std::size_t mostBytes;
    } cases[] = {{1, 4 * 1024}, {3, 8 * 1024}, {16, 32 * 1024}};
    for (const auto& c : cases) {
        const int scale = c.scale;
        const std::string png = dir.file("car" + std::to_string(scale) + ".png");
        std::vector<std::string> words = {"render", car, "-o", png, "--scale", std::to_string(scale)};
        if (scale == 3) words.insert(words.end(), {"--font", dir.file("font.png")});
        const CommandRun r = run(words);
        ASSERT_EQ(r.status, ExitOk) << r.err;
        const Bytes file = readAll(png);
        EXPECT_LE(file.size(), c.mostBytes) << "scale " << scale;
        int width = 0, height = 0;
        const Bytes grey = decodeGreyPng(file, width, height);
        ASSERT_EQ(width, 240 * scale);
        ASSERT_EQ(height, 256 * scale);
        // The expected picture, each display row enlarged once and then repeated.
        Bytes expected;
        int darkOnPage[4] = {};
        for (int y = 0; y < 256; ++y) {
            Bytes row;
            for (int x = 0; x < 240; ++x) {
                const bool dark = displayPixelIsDark(pageImage, x, y);
                row.insert(row.end(), static_cast<std::size_t>(scale), dark ? 0 : 255);
                darkOnPage[y / 64] += dark;
            }
            for (int i = 0; i < scale; ++i) expected.insert(expected.end(), row.begin(), row.end());
        }
        ASSERT_EQ(grey.size(), expected.size()) << "scale " << scale;
        if (grey != expected) {
            const auto at = std::mismatch(grey.begin(), grey.end(), expected.begin()).first - grey.begin();
            ADD_FAILURE() << "scale " << scale << ": pixel " << at % width << "," << at / width << " is "
                          << int(grey[at]) << ", not " << int(expected[at]);
        }
        for (int page = 0; page < 4; ++page) EXPECT_GT(darkOnPage[page], 0) << "page " << page + 1 << " is blank";
    }
    // The font grid: glyph 0x41 ("A") starts 7C, so its top row is dark from its second pixel.
    int width = 0, height = 0;
    const Bytes font = decodeGreyPng(readAll(dir.file("font.png")), width, height);
    ASSERT_EQ(width, 128 * 3);
    const int ax = (0x41 % 16) * 8, ay = (0x41 / 16) * 8;
    EXPECT_EQ(font[static_cast<std::size_t>(ay * 3) * width + ax * 3], 255);
    EXPECT_EQ(font[static_cast<std::size_t>(ay * 3) * width + (ax + 1) * 3], 0);
}

// The record as the display receives it: rev meter range, fuel flow, gears, tyre, weight, drag.
Bytes vehicleRecordOf(const Bytes& stream) {
    std::size_t at = kPagesOffset;
    for (int page = 0; page < 4; ++page) at += 1 + kGaugeRecordBytes * stream[at] + 2;
    return Bytes(stream.begin() + at, stream.begin() + at + kVehicleRecordBytes);
}

Bytes displayFloat(float value) {
    const auto b = toDisplayFloat(value);
    return Bytes(b.begin(), b.end());
}

TEST(CliStream, ValuesPassThroughThePanelTextsAndMissingBlocksKeepStartUpValues) {
    TempDir dir;
    // Values that the panel's texts round: 3.142 and 3001 are what the editor sends.
    auto config = std::make_unique<Configuration>();
    resetPages(config->layout, config->directory);
    config->vehicle.gearRatio[0] = 3.14159f;
    config->vehicle.finalDriveRatio = 1.0f;
    config->vehicle.vehicleWeight = 3000.7f;
    config->vehicle.revMeterRpmHigh = 7000;
    config->curves = startupCustomSensorCurves();
    const std::string current = dir.file("current.vtl");
    writeAll(current, encodeConfiguration(*config));
    ASSERT_EQ(run({"stream", current, "-o", dir.file("current.bin"), "--schedule", dir.file("s.csv")}).status, ExitOk);
    const Bytes stream = readAll(dir.file("current.bin"));
    const Bytes record = vehicleRecordOf(stream);
    EXPECT_EQ(Bytes(record.begin() + 2, record.begin() + 4), (Bytes{0x58, 0x1B}));  // 7000
    EXPECT_EQ(Bytes(record.begin() + 8, record.begin() + 12),
              displayFloat(static_cast<float>(3.142f * static_cast<double>(12.87f))));
    EXPECT_EQ(Bytes(record.begin() + 36, record.begin() + 40), displayFloat(3001.0f));
    // Fuel entries of 0 divide by zero: NaN, as the editor sends it.
    EXPECT_EQ(Bytes(record.begin() + 4, record.begin() + 8), (Bytes{0xFF, 0xC0, 0x00, 0x00}));

    // The schedule covers every byte once, in order, with the pauses the sender keeps.
    std::ifstream csv(dir.file("s.csv"));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "offset,length,minimum_pause_ms");
    std::size_t next = 0;
    double pauses = 0;
    while (std::getline(csv, line)) {
        std::size_t offset = 0, length = 0;
        double pause = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%zu,%zu,%lf", &offset, &length, &pause), 3) << line;
        EXPECT_EQ(offset, next) << line;
        next = offset + length;
        pauses += pause;
    }
    EXPECT_EQ(next, stream.size());
    // 256 lines of 30 ms, 256 glyphs of 10 ms, 4 ms for each of the 3756 paced bytes.
    EXPECT_DOUBLE_EQ(pauses, 256 * 30 + 256 * 10 + 4 * 3756);

    // A pages-only file has no vehicle block: the panel keeps its start-up texts (RPM High Range
    // 8000) and the curves their start-up values.
    Bytes old = encodeConfiguration(*config);
    old.resize(configurationFileSize(kVersionPages));
    putWord(old, 0, kVersionPages);
    const std::string pagesOnly = dir.file("pages.vtl");
    writeAll(pagesOnly, old);
    ASSERT_EQ(run({"stream", pagesOnly, "-o", dir.file("pages.bin")}).status, ExitOk);
    const Bytes oldStream = readAll(dir.file("pages.bin"));
    const Bytes oldRecord = vehicleRecordOf(oldStream);
    EXPECT_EQ(Bytes(oldRecord.begin() + 2, oldRecord.begin() + 4), (Bytes{0x40, 0x1F}));  // 8000
    EXPECT_EQ(Bytes(oldRecord.begin() + 8, oldRecord.begin() + 12), displayFloat(0.0f));
    const std::size_t curvesAt = oldStream.size() - 192 - 4 - 528;
    EXPECT_EQ(Bytes(oldStream.begin() + curvesAt + 4 * 32, oldStream.begin() + curvesAt + 4 * 33), displayFloat(5.0f));
}

TEST(CliCommands, EveryFileTheEditorRefusesGivesStatus2AndWritesNothing) {
    TempDir dir;
    auto config = std::make_unique<Configuration>();
    resetPages(config->layout, config->directory);
    const Bytes good = encodeConfiguration(*config);
    struct Case {
        std::string name;
        Bytes bytes;
    };
    std::vector<Case> cases;
    for (std::uint32_t version : {kVersionPages, kVersionShortVehicle, kVersionCurves, kVersionWarnings, kVersionCurrent}) {
        Bytes cut(good.begin(), good.begin() + configurationFileSize(version) - 1);
        putWord(cut, 0, version);
        cases.push_back({"one byte short of " + std::to_string(version), cut});
    }
    cases.push_back({"empty", {}});
    Bytes unknown = good;
    putWord(unknown, 0, 0xABBADEB2);
    cases.push_back({"unknown version", unknown});
    Bytes badCount = good;
    putWord(badCount, 20484 + 2 * 24 + 20, 129);
    cases.push_back({"page count 129", badCount});
    Bytes movedFrame = good;
    putWord(movedFrame, 20484 + 24 + 4, 33);  // page 2's frame one pixel to the right
    cases.push_back({"a page frame not at its fixed place", movedFrame});
    for (const Case& c : cases) ASSERT_FALSE(parseConfigurationFile(c.bytes).accepted) << c.name;

    std::vector<std::string> paths;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        paths.push_back(dir.file("bad" + std::to_string(i) + ".vtl"));
        writeAll(paths.back(), cases[i].bytes);
    }
    paths.push_back(dir.file("missing.vtl"));
    paths.push_back(dir.path.string());  // a folder
    const std::string out = dir.file("out");
    const std::string accepted = dir.file("accepted.vtl");
    writeAll(accepted, good);
    for (const std::string& path : paths) {
        const std::vector<std::vector<std::string>> commands = {
            {"info", path}, {"info", path, "--json"}, {"check", path}, {"check", path, "--json"}, {"render", path, "-o", out, "--font", out + "2"},
            {"stream", path, "-o", out, "--schedule", out + "2"}, {"convert", path, out},
            {"diff", path, accepted}, {"diff", accepted, path, "--json"}, {"report", path, "-o", out}};
        for (const auto& words : commands) {
            const CommandRun r = run(words);
            EXPECT_EQ(r.status, ExitBadInput) << words[0] << " " << path;
            EXPECT_TRUE(r.out.empty()) << words[0] << " " << path;
            EXPECT_EQ(r.err.rfind("veltrana-cli: " + path + ": ", 0), 0u) << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_FALSE(fs::exists(out) || fs::exists(out + "2")) << words[0] << " " << path;
            // Nothing but the bad files and the accepted one: no temporary file either.
            EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator())),
                      cases.size() + 1) << words[0] << " " << path;
        }
    }
    // Two refused files: diff names each, in order.
    const CommandRun both = run({"diff", paths[0], paths[1]});
    EXPECT_EQ(both.status, ExitBadInput);
    EXPECT_EQ(both.err.find("veltrana-cli: " + paths[0] + ": "), 0u) << both.err;
    EXPECT_NE(both.err.find("\nveltrana-cli: " + paths[1] + ": "), std::string::npos) << both.err;
    EXPECT_EQ(std::count(both.err.begin(), both.err.end(), '\n'), 2) << both.err;
}

TEST(CliCommands, AnOutputThatIsTheInputIsRefusedAndOtherOutputsAreReplacedWhole) {
    TempDir dir;
    const std::string car = dir.file("car.vtl"), link = dir.file("link.vtl"), hard = dir.file("hard.vtl");
    saveGaugesOnEveryPage(car);
    const Bytes original = readAll(car);
    fs::create_symlink("car.vtl", link);
    fs::create_hard_link(car, hard);
    fs::create_directory(dir.file("sub"));
    const std::string respelled = dir.file("sub/../car.vtl");
    const std::string isInput = ": It is the input file ";
    const struct {
        std::vector<std::string> words;
        std::string complaint;  // the line on stderr, from its start
    } cases[] = {
        {{"render", car, "-o", car}, car + isInput + car},
        {{"render", car, "-o", dir.file("p.png"), "--font", respelled}, respelled + isInput + car},
        {{"stream", car, "-o", link}, link + isInput + car},
        {{"stream", car, "-o", dir.file("s.bin"), "--schedule", hard}, hard + isInput + car},
        {{"stream", link, "-o", car}, car + isInput + link},
        {{"stream", car, "-o", dir.file("sub")}, dir.file("sub") + ": It is not a regular file"},
        {{"report", car, "-o", car}, car + isInput + car},
        {{"report", car, "-o", link}, link + isInput + car},
        {{"convert", car, car}, car + isInput + car},
        {{"convert", car, link}, link + isInput + car},
    };
    for (const auto& c : cases) {
        const CommandRun r = run(c.words);
        EXPECT_EQ(r.status, ExitFailed) << c.complaint;
        EXPECT_EQ(r.err.rfind("veltrana-cli: " + c.complaint, 0), 0u) << r.err;
        EXPECT_EQ(readAll(car), original) << c.complaint;
        EXPECT_FALSE(fs::exists(dir.file("p.png")) || fs::exists(dir.file("s.bin"))) << c.complaint;
    }

    // An output that is there already keeps its permission bits; a link keeps pointing at the
    // file that gets the new contents; no temporary file is left.
    writeAll(dir.file("s.bin"), Bytes{1, 2, 3});
    fs::permissions(dir.file("s.bin"), fs::perms(0600));
    writeAll(dir.file("real.csv"), Bytes{1, 2, 3});
    fs::create_symlink("real.csv", dir.file("s.csv"));
    ASSERT_EQ(run({"stream", car, "-o", dir.file("s.bin"), "--schedule", dir.file("s.csv")}).status, ExitOk);
    EXPECT_EQ(fs::status(dir.file("s.bin")).permissions() & fs::perms::all, fs::perms(0600));
    EXPECT_TRUE(fs::is_symlink(dir.file("s.csv")));
    EXPECT_EQ(readAll(dir.file("real.csv"))[0], 'o');  // "offset,length,..."
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 7);
}

TEST(CliConvert, OldVersionsBecomeTheCurrentOneWithStartUpValuesForWhatTheyLack) {
    TempDir dir;
    auto config = std::make_unique<Configuration>();
    resetPages(config->layout, config->directory);
    place(*config, 1, 3, 0, 8, 8);
    config->vehicle.gearRatio[2] = 1.5f;
    config->vehicle.comPortIndex = 3;           // beyond the short block: not carried
    config->curves.points[1][5] = 42.0f;        // the curves block: carried
    config->warnings.rows[0].parameter = 9;     // the warnings block: not carried
    // Version 0xABBADEAF: pages, the first 60 bytes of the vehicle settings, the curves.
    const Bytes current = encodeConfiguration(*config);
    Bytes old(current.begin(), current.begin() + 20640);
    old.insert(old.end(), current.begin() + 21168, current.begin() + 21696);
    ASSERT_EQ(old.size(), configurationFileSize(kVersionCurves));
    putWord(old, 0, kVersionCurves);
    const std::string in = dir.file("old.vtl"), out = dir.file("new.vtl");
    writeAll(in, old);
    writeAll(out, Bytes{1, 2, 3});  // replaced

    ASSERT_EQ(run({"convert", in, out}).status, ExitOk);
    const Bytes converted = readAll(out);
    ASSERT_EQ(converted.size(), kConfigurationFileBytes);
    const auto parsed = std::make_unique<ParsedConfigurationFile>(parseConfigurationFile(converted));
    ASSERT_TRUE(parsed->accepted);
    const LoadedConfiguration& b = parsed->blocks;
    EXPECT_EQ(b.version, kVersionCurrent);
    EXPECT_EQ(b.directory.pages[1].count, 1);
    EXPECT_EQ(b.layout.slots[1][0].gaugeId, gaugeDefinition(3, 0)->gaugeId);
    EXPECT_EQ(b.vehicle.gearRatio[2], 1.5f);
    EXPECT_EQ(b.vehicle.comPortIndex, 0);
    EXPECT_EQ(b.vehicle.revMeterRpmHigh, 0);  // from the file's short block, which holds 0 there
    EXPECT_EQ(b.curves.points[1][5], 42.0f);
    EXPECT_EQ(b.warnings.rows[0].parameter, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 2);  // no temporary file

    // Converting the result again changes nothing; an output folder that is missing is a failure
    // that leaves nothing behind.
    ASSERT_EQ(run({"convert", out, dir.file("again.vtl")}).status, ExitOk);
    EXPECT_EQ(readAll(dir.file("again.vtl")), converted);
    const CommandRun failed = run({"convert", in, dir.file("no/such/folder.vtl")});
    EXPECT_EQ(failed.status, ExitFailed);
    EXPECT_NE(failed.err.find("no/such/folder.vtl"), std::string::npos);
}

TEST(CliCheck, ProblemsGiveStatus1AndNotesAlone0InWordsAndJson) {
    TempDir dir;
    struct Case {
        const char* name;
        void (*edit)(EditorSession&);
        int status;
        std::string text;  // a line of the words
        std::string json;  // a part of the JSON
    };
    const Case cases[] = {
        {"start-up", [](EditorSession&) {}, ExitOk, ": No problems found.\n", "\"problems\": 0,\n  \"notes\": 0,\n  \"findings\": []"},
        {"a custom sensor gauge on its start-up curve: a note",
         [](EditorSession& s) { place(s.config, 0, 3, 40, 0, 0); }, ExitOk,
         "Note: Page 1, gauge 1 (ADCR 1 (Custom1)): Custom Sensor 1's curve is still the start-up line",
         "{\"severity\": \"note\", \"kind\": \"custom-gauge-startup-curve\", \"place\": \"Page 1, gauge 1 (ADCR 1 "
         "(Custom1))\", \"page\": 1, \"slot\": 0, \"text\": "},
        {"a mistyped curve point",
         [](EditorSession& s) { s.config.curves.points[1][20] = 625; }, ExitProblemsFound,
         "Problem: Custom Sensor 2, point 21 (3.12 V): Custom Sensor 2 reads 625.00 at 3.12 V",
         "\"kind\": \"curve-typo\", \"place\": \"Custom Sensor 2, point 21 (3.12 V)\", \"sensor\": 2, \"point\": 20, "
         "\"volts\": 3.125"},
        {"injector size 0 as the panel shows it",
         [](EditorSession& s) {
             s.vehiclePanel.setText(IDC_CYLINDER_COUNT, "4");
             s.vehiclePanel.setText(IDC_FUEL_PRESSURE, "43");
         },
         ExitProblemsFound, "Problem: Injector Size (CC): Injector Size (CC) is 0",
         "\"field\": \"Injector Size (CC)\""},
    };
    for (const Case& c : cases) {
        auto session = std::make_unique<EditorSession>();
        c.edit(*session);
        const std::string path = dir.file("car.vtl");
        ASSERT_TRUE(session->save(path).saved);
        const CommandRun text = run({"check", path});
        EXPECT_EQ(text.status, c.status) << c.name << text.err;
        EXPECT_NE(text.out.find(c.text), std::string::npos) << c.name << "\n" << text.out;
        EXPECT_TRUE(text.err.empty()) << c.name;
        const CommandRun json = run({"check", path, "--json"});
        EXPECT_EQ(json.status, c.status) << c.name;
        EXPECT_NE(json.out.find(c.json), std::string::npos) << c.name << "\n" << json.out;
    }
}

TEST(CliInfo, GaugesSettingsCurvesAndWarningsInWordsAndJson) {
    TempDir dir;
    auto config = std::make_unique<Configuration>();
    resetPages(config->layout, config->directory);
    place(*config, 1, 3, 0, 184, 48);
    GaugePlacement unknown = config->layout.slots[1][0];
    unknown.gaugeId = 0x7777;
    unknown.previewX = config->directory.pages[1].x;
    addPlacement(config->layout, config->directory, 1, unknown);
    config->vehicle.revMeterRpmHigh = 6500;
    config->vehicle.tireWidthIndex = 99;  // outside the list: shown as no selection
    config->curves = startupCustomSensorCurves();
    config->curves.points[3][0] = std::numeric_limits<float>::quiet_NaN();
    // Warning 3 on the first text gauge's channel, stored as active on page 1; the layout puts
    // that gauge on page 2.
    const int parameter = gaugeDefinition(3, 0)->channel + 1;
    WarningRow& row = config->warnings.rows[warningRowIndex(2, 0)];
    row = WarningRow{1, parameter, 2, 12.5f, 1};
    const std::string path = dir.file("say \"car\".vtl");
    writeAll(path, encodeConfiguration(*config));

    const CommandRun text = run({"info", path});
    ASSERT_EQ(text.status, ExitOk) << text.err;
    const std::string key = channelKey(parameter - 1);
    EXPECT_NE(text.out.find("Format version: 0xABBADEB1 (current)"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find(gaugeDefinition(3, 0)->name), std::string::npos);
    EXPECT_NE(text.out.find("column 184  row 48"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("(not in the catalog)         id 0x7777"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("RPM High Range:             6500\n"), std::string::npos);
    EXPECT_NE(text.out.find("Tire Width:                 \n"), std::string::npos);
    EXPECT_NE(text.out.find("Warning 3: " + key + " < 12.5"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("; active on page 2\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Sensor 4: nan 0.15625"), std::string::npos);

    const CommandRun json = run({"info", path, "--json"});
    ASSERT_EQ(json.status, ExitOk);
    JsonValue root;
    std::string error;
    ASSERT_TRUE(JsonReader::parse(json.out, root, error)) << error << "\n" << json.out;
    EXPECT_EQ(root["file"].text, path);
    EXPECT_EQ(root["version"].text, "0xABBADEB1");
    const JsonValue& page2 = root["pages"][1];
    EXPECT_EQ(page2["page"].number, 2);
    ASSERT_EQ(page2["gauges"].items.size(), 2u);
    EXPECT_EQ(page2["gauges"][0]["name"].text, gaugeDefinition(3, 0)->name);
    EXPECT_EQ(page2["gauges"][0]["column"].number, 184);
    EXPECT_EQ(page2["gauges"][1]["name"].kind, JsonValue::Null);
    EXPECT_EQ(page2["gauges"][1]["id"].text, "0x7777");
    EXPECT_EQ(root["vehicle"]["RPM High Range"].text, "6500");
    EXPECT_EQ(root["curves"][3][0].kind, JsonValue::Null);
    EXPECT_EQ(root["curves"][3][1].number, 0.15625);
    ASSERT_EQ(root["warnings"].items.size(), 1u);
    const JsonValue& warning = root["warnings"][0];
    EXPECT_EQ(warning["warning"].number, 3);
    EXPECT_EQ(warning["conditions"][0]["parameter"].text, key);
    EXPECT_EQ(warning["conditions"][0]["condition"].text, "<");
    EXPECT_EQ(warning["conditions"][0]["value"].number, 12.5);
    EXPECT_EQ(warning["pages"].items.size(), 1u);
    EXPECT_EQ(warning["pages"][0].number, 2);

    // A file name in another encoding, with a control character: still valid JSON, each byte
    // that is no part of a UTF-8 character shown as U+FFFD, the rest as it is.
    const struct {
        const char* name;
        const char* shown;
    } names[] = {
        {"caf\xC3\xA9 \xE9t\xE9\x01.vtl", "caf\xC3\xA9 \xEF\xBF\xBDt\xEF\xBF\xBD\x01.vtl"},  // Latin-1 bytes
        {"cut \xE2\x82.vtl", "cut \xEF\xBF\xBD\xEF\xBF\xBD.vtl"},                          // a cut character
        {"over \xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80.vtl",                                   // overlong, surrogate,
         "over \xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD "            // above U+10FFFF
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.vtl"},
        {"\xF0\x9F\x9A\x97 \x7F.vtl", "\xF0\x9F\x9A\x97 \x7F.vtl"},  // four bytes, and DEL, as they are
    };
    for (const auto& n : names) {
        const std::string strange = dir.file(n.name);
        writeAll(strange, encodeConfiguration(*config));
        const CommandRun r = run({"info", strange, "--json"});
        ASSERT_EQ(r.status, ExitOk) << r.err;
        JsonValue parsed;
        EXPECT_TRUE(JsonReader::parse(r.out, parsed, error)) << n.shown << ": " << error;
        EXPECT_EQ(parsed["file"].text, dir.file(n.shown));
    }
}

// The bytes of a base64 text.
Bytes fromBase64(const std::string& text) {
    const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    Bytes out;
    std::uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        const std::size_t value = digits.find(c);
        if (value == std::string::npos) break;  // the padding
        bits = bits << 6 | static_cast<std::uint32_t>(value);
        if ((count += 6) >= 8) out.push_back(static_cast<std::uint8_t>(bits >> (count -= 8)));
    }
    return out;
}

TEST(CliReport, PagePicturesAreRenderPixelsAndTheFileStandsAlone) {
    TempDir dir;
    const std::string car = dir.file("car.vtl");
    saveGaugesOnEveryPage(car);
    ASSERT_EQ(run({"render", car, "-o", dir.file("pages.png")}).status, ExitOk);
    int width = 0, height = 0;
    const Bytes rendered = decodeGreyPng(readAll(dir.file("pages.png")), width, height);
    ASSERT_EQ(width, 240);

    const std::string html = dir.file("car.html");
    writeAll(html, Bytes{'o', 'l', 'd'});
    const CommandRun r = run({"report", car, "-o", html});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const Bytes bytes = readAll(html);
    const std::string page(bytes.begin(), bytes.end());
    const std::string uri = "src=\"data:image/png;base64,";
    std::size_t at = 0;
    int pages = 0;
    for (; (at = page.find(uri, at)) != std::string::npos; ++pages) {
        at += uri.size();
        int w = 0, h = 0;
        const Bytes grey = decodeGreyPng(fromBase64(page.substr(at, page.find('"', at) - at)), w, h);
        ASSERT_EQ(w, 240);
        ASSERT_EQ(h, 64);
        const auto first = rendered.begin() + static_cast<std::ptrdiff_t>(pages) * 240 * 64;
        EXPECT_EQ(grey, Bytes(first, first + 240 * 64)) << "page " << pages + 1;
    }
    EXPECT_EQ(pages, 4);
    // Shown three times enlarged, pixel for pixel, and nothing fetched from elsewhere.
    EXPECT_NE(page.find("width=\"720\" height=\"192\""), std::string::npos);
    EXPECT_NE(page.find("image-rendering: pixelated"), std::string::npos);
    for (const char* outside : {"<link", "<script", "src=\"http", "url("})
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    // The panel's texts, the curves' values and their plots.
    EXPECT_NE(page.find("<th>RPM High Range</th><td>8000</td>"), std::string::npos);
    EXPECT_NE(page.find("<td class=\"number\">0.15625</td>"), std::string::npos);
    int plots = 0;
    for (std::size_t svg = page.find("<svg"); svg != std::string::npos; svg = page.find("<svg", svg + 1)) ++plots;
    EXPECT_EQ(plots, 4);
    EXPECT_FALSE(fs::exists(html + ".saving"));

    // An output that cannot be written is a failure that leaves nothing behind.
    const CommandRun failed = run({"report", car, "-o", dir.file("no/such/folder.html")});
    EXPECT_EQ(failed.status, ExitFailed);
    EXPECT_NE(failed.err.find("no/such/folder.html"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.file("no")));
}

TEST(CliDiff, ExitStatusTextAndJsonAndTheEditorsReadingOfAFileAgrees) {
    TempDir dir;
    const std::string a = dir.file("a.vtl"), b = dir.file("b.vtl");
    saveGaugesOnEveryPage(a);
    {
        auto session = std::make_unique<EditorSession>();
        ASSERT_TRUE(session->load(a).loaded);
        session->vehiclePanel.texts[IDC_INJECTOR_SIZE] = "550";
        session->config.layout.slots[3][1].previewX += 2 * 8;  // an indicator on page 4 moves right
        ASSERT_TRUE(session->save(b).saved);
    }
    const CommandRun same = run({"diff", a, a});
    EXPECT_EQ(same.status, ExitOk);
    EXPECT_EQ(same.out, "");
    const CommandRun text = run({"diff", a, b});
    EXPECT_EQ(text.status, ExitDifferent);
    const std::string indicator = gaugeDefinition(5, 1)->name;
    EXPECT_EQ(text.out, "Page 4: " + indicator + " moved from column 24, row 56 to column 32, row 56\n"
                        "Injector Size (CC): 0 -> 550\n");
    const CommandRun json = run({"diff", a, b, "--json"});
    EXPECT_EQ(json.status, ExitDifferent);
    EXPECT_NE(json.out.find("\"equal\": false"), std::string::npos);
    EXPECT_NE(json.out.find("{\"kind\": \"gauge\", \"place\": \"Page 4\", \"from\": \"" + indicator +
                            " at column 24, row 56\", \"to\": \"" + indicator + " at column 32, row 56\""),
              std::string::npos)
        << json.out;

    // The editor reads the file it compares with through a start-up state of its own: for every
    // version that must give what a session that loaded the file shows.
    std::vector<std::string> files = {a, b};
    for (const auto& entry : fs::directory_iterator(fs::path(VELTRANA_SOURCE_DIR) / "tests/fuzz/seeds"))
        files.push_back(entry.path().string());
    for (const std::string& file : files) {
        auto session = std::make_unique<EditorSession>();
        const LoadResult loaded = session->load(file);
        ConfigurationSummary fromFile;
        std::string reason;
        ASSERT_EQ(summarizeConfigurationFile(file, fromFile, reason), loaded.loaded) << file;
        if (!loaded.loaded) {
            EXPECT_EQ(reason, loaded.reason);
            continue;
        }
        const ConfigurationSummary fromSession = summarizeSession(*session, loaded.version);
        EXPECT_TRUE(compareConfigurations(fromSession, fromFile).empty()) << file;
        EXPECT_EQ(fromFile.gauges.size(), fromSession.gauges.size()) << file;
    }
}

}  // namespace
