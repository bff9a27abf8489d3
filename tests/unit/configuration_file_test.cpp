#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "layout/byte_io.h"
#include "document/configuration_file.h"
#include "layout/gauge_catalog.h"
#include "layout/page_codec.h"
#include "support/fake_view_host.h"
#include "support/temp_dir.h"
#include "support/float_bits.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Floats whose bits a careless float copy would change: NaNs with payloads, signed zero,
// infinities, denormals.
const float kOddFloats[] = {fromBits(0x7FC01234u), fromBits(0xFF800001u), -0.0f,
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::denorm_min(),
                            std::numeric_limits<float>::max(), 1.5f};
constexpr int kOddFloatCount = sizeof kOddFloats / sizeof kOddFloats[0];
const std::int32_t kOddInts[] = {INT32_MIN, INT32_MAX, -1, 0, 77, 16};
constexpr int kOddIntCount = sizeof kOddInts / sizeof kOddInts[0];

float oddFloat(int i) { return kOddFloats[i % kOddFloatCount]; }
std::int32_t oddInt(int i) { return kOddInts[i % kOddIntCount]; }

std::uint32_t knownGaugeId(int position) { return gaugeDefinition(position % kKindCount, 0)->gaugeId; }

// A configuration with a different, mostly extreme value in every field. `seed` shifts the
// values so that two configurations made with different seeds differ everywhere.
std::unique_ptr<Configuration> makeConfiguration(int seed) {
    auto c = std::make_unique<Configuration>();
    const std::int32_t counts[kPageCount] = {3, 0, kSlotsPerPage, 1};
    for (int page = 0; page < kPageCount; ++page) {
        PageFrame& f = c->directory.pages[page];
        f = fixedPageFrame(page);  // a file with other frames is refused
        f.count = counts[(page + seed) % kPageCount];
        for (int s = 0; s < kSlotsPerPage; ++s) {
            GaugePlacement& p = c->layout.slots[page][s];
            const int i = seed + page * kSlotsPerPage + s;
            p.previewX = oddInt(i);
            p.previewY = oddInt(i + 1) + seed;
            p.displayWidth = oddInt(i + 2);
            p.displayHeight = oddInt(i + 3);
            // Mostly catalog gauges; every seventh an identifier no entry has.
            p.gaugeId = i % 7 == 0 ? 0xFFFFFFF0u + seed : knownGaugeId(i);
            p.hidden = static_cast<std::uint8_t>(i % 2 ? 0 : 255);
            p.rangeMin = oddFloat(i);
            p.rangeMax = oddFloat(i + 3);
        }
    }
    VehicleSettings& v = c->vehicle;
    for (int g = 0; g < 6; ++g) v.gearRatio[g] = oddFloat(seed + g);
    v.finalDriveRatio = oddFloat(seed + 6);
    v.revMeterRpmLow = oddInt(seed);
    v.revMeterRpmHigh = oddInt(seed + 1);
    v.mapScale = oddFloat(seed + 7);
    v.mapOffset = oddFloat(seed + 8);
    v.cylinderCount = oddInt(seed + 2);
    v.fuelPressure = oddInt(seed + 3);
    v.injectorSize = oddInt(seed + 4);
    v.fuelFlowFactor = oddFloat(seed + 9);
    v.comPortIndex = oddInt(seed + 5);
    v.rimDiameterIndex = -1 - seed;
    v.tireWidthIndex = oddInt(seed + 1);
    v.tireAspectIndex = 40 + seed;
    v.vehicleWeight = oddFloat(seed + 10);
    v.dragCoefficient = oddFloat(seed + 11);
    for (std::size_t i = 0; i < v.reserved.size(); ++i)
        v.reserved[i] = static_cast<std::uint8_t>(i * 7 + seed);
    for (int s = 0; s < kCustomSensorCount; ++s)
        for (int k = 0; k < kCurvePointCount; ++k)
            c->curves.points[s][k] = oddFloat(seed + s * kCurvePointCount + k);
    for (int r = 0; r < kWarningRowCount; ++r) {
        WarningRow& w = c->warnings.rows[r];
        w.activeOnPage = oddInt(seed + r);
        w.parameter = oddInt(seed + r + 1);
        w.condition = oddInt(seed + r + 2);
        w.value = oddFloat(seed + r);
        w.unit = oddInt(seed + r + 3);
    }
    return c;
}

void expectSamePlacement(const GaugePlacement& a, const GaugePlacement& b, const std::string& where) {
    EXPECT_EQ(a.previewX, b.previewX) << where;
    EXPECT_EQ(a.previewY, b.previewY) << where;
    EXPECT_EQ(a.displayWidth, b.displayWidth) << where;
    EXPECT_EQ(a.displayHeight, b.displayHeight) << where;
    EXPECT_EQ(a.gaugeId, b.gaugeId) << where;
    EXPECT_EQ(a.hidden, b.hidden) << where;
    EXPECT_EQ(bitsOf(a.rangeMin), bitsOf(b.rangeMin)) << where;
    EXPECT_EQ(bitsOf(a.rangeMax), bitsOf(b.rangeMax)) << where;
}

// The placed gauges and the frames' geometry and counts (not the runtime handles).
void expectSamePages(const Configuration& a, const Configuration& b, const std::string& name) {
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& fa = a.directory.pages[page];
        const PageFrame& fb = b.directory.pages[page];
        const std::string where = "case " + name + " page " + std::to_string(page);
        EXPECT_EQ(fa.x, fb.x) << where;
        EXPECT_EQ(fa.y, fb.y) << where;
        EXPECT_EQ(fa.width, fb.width) << where;
        EXPECT_EQ(fa.height, fb.height) << where;
        ASSERT_EQ(fa.count, fb.count) << where;
        for (int s = 0; s < usedSlotCount(fa); ++s)
            expectSamePlacement(a.layout.slots[page][s], b.layout.slots[page][s],
                                where + " slot " + std::to_string(s));
    }
}

// The first 60 bytes of the vehicle record: gear ratios to the fuel flow factor.
void expectSameVehicleFirstBytes(const VehicleSettings& a, const VehicleSettings& b,
                                 const std::string& name) {
    for (int g = 0; g < 6; ++g)
        EXPECT_EQ(bitsOf(a.gearRatio[g]), bitsOf(b.gearRatio[g])) << "case " << name << " gear " << g;
    EXPECT_EQ(bitsOf(a.finalDriveRatio), bitsOf(b.finalDriveRatio)) << "case " << name;
    EXPECT_EQ(a.revMeterRpmLow, b.revMeterRpmLow) << "case " << name;
    EXPECT_EQ(a.revMeterRpmHigh, b.revMeterRpmHigh) << "case " << name;
    EXPECT_EQ(bitsOf(a.mapScale), bitsOf(b.mapScale)) << "case " << name;
    EXPECT_EQ(bitsOf(a.mapOffset), bitsOf(b.mapOffset)) << "case " << name;
    EXPECT_EQ(a.cylinderCount, b.cylinderCount) << "case " << name;
    EXPECT_EQ(a.fuelPressure, b.fuelPressure) << "case " << name;
    EXPECT_EQ(a.injectorSize, b.injectorSize) << "case " << name;
    EXPECT_EQ(bitsOf(a.fuelFlowFactor), bitsOf(b.fuelFlowFactor)) << "case " << name;
}

// The 528 bytes that only the current version carries.
void expectSameVehicleRest(const VehicleSettings& a, const VehicleSettings& b, const std::string& name) {
    EXPECT_EQ(a.comPortIndex, b.comPortIndex) << "case " << name;
    EXPECT_EQ(a.rimDiameterIndex, b.rimDiameterIndex) << "case " << name;
    EXPECT_EQ(a.tireWidthIndex, b.tireWidthIndex) << "case " << name;
    EXPECT_EQ(a.tireAspectIndex, b.tireAspectIndex) << "case " << name;
    EXPECT_EQ(bitsOf(a.vehicleWeight), bitsOf(b.vehicleWeight)) << "case " << name;
    EXPECT_EQ(bitsOf(a.dragCoefficient), bitsOf(b.dragCoefficient)) << "case " << name;
    EXPECT_EQ(a.reserved, b.reserved) << "case " << name;
}

void expectSameCurves(const CustomSensorCurves& a, const CustomSensorCurves& b, const std::string& name) {
    for (int s = 0; s < kCustomSensorCount; ++s)
        for (int k = 0; k < kCurvePointCount; ++k)
            ASSERT_EQ(bitsOf(a.points[s][k]), bitsOf(b.points[s][k]))
                << "case " << name << " sensor " << s << " point " << k;
}

void expectSameWarnings(const WarningTable& a, const WarningTable& b, const std::string& name) {
    for (int r = 0; r < kWarningRowCount; ++r) {
        const WarningRow& x = a.rows[r];
        const WarningRow& y = b.rows[r];
        EXPECT_EQ(x.activeOnPage, y.activeOnPage) << "case " << name << " row " << r;
        EXPECT_EQ(x.parameter, y.parameter) << "case " << name << " row " << r;
        EXPECT_EQ(x.condition, y.condition) << "case " << name << " row " << r;
        EXPECT_EQ(bitsOf(x.value), bitsOf(y.value)) << "case " << name << " row " << r;
        EXPECT_EQ(x.unit, y.unit) << "case " << name << " row " << r;
    }
}

// Every byte of a configuration, runtime handles and unused slots included, to tell whether
// anything at all changed.
Bytes snapshot(const Configuration& c) {
    Bytes out;
    ByteWriter w(out);
    for (const auto& page : c.layout.slots)
        for (const GaugePlacement& p : page) {
            w.u32(p.window);
            w.u32(p.bitmap);
            encodeGaugePlacement(p, w);
        }
    for (const PageFrame& f : c.directory.pages) w.u32(f.window);
    encodePageDirectory(c.directory, w);
    encodeVehicleSettings(c.vehicle, w);
    encodeCustomSensorCurves(c.curves, w);
    encodeWarningTable(c.warnings, w);
    return out;
}

std::uint32_t readWord(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void putWord(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A configuration as the shell holds it after start-up: previews with handles, gauges with views.
struct Editor {
    FakeViewHost host;
    GaugeCatalog catalog = loadCatalog(host);
    std::unique_ptr<Configuration> config = makeConfiguration(5);

    Editor() {
        for (int page = 0; page < kPageCount; ++page)
            config->directory.pages[page].window = host.createView(32, 32 + 176 * page, 480, 128);
        attachPlacementViews(config->layout, config->directory, catalog, host);
    }
};

Bytes readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

TEST(ConfigurationFile, SavedFileIs22336BytesAndBeginsWithTheVersionWord) {
    Editor editor;
    TempDir dir;
    const std::string path = dir.file("car1.vtl");
    const SaveResult saved = saveConfiguration(path, *editor.config);
    ASSERT_TRUE(saved.saved) << saved.reason;
    const Bytes bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 22336u);
    EXPECT_EQ(bytes[0], 0xB1);
    EXPECT_EQ(bytes[1], 0xDE);
    EXPECT_EQ(bytes[2], 0xBA);
    EXPECT_EQ(bytes[3], 0xAB);
    EXPECT_EQ(bytes, encodeConfiguration(*editor.config));
    // Nothing but the file is left in its folder: the temporary file became it.
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), fs::directory_iterator()), 1);
}

TEST(ConfigurationFile, SaveThenLoadRestoresEveryField) {
    Editor source;
    TempDir dir;
    const std::string path = dir.file("round trip.vtl");
    ASSERT_TRUE(saveConfiguration(path, *source.config).saved);

    Editor target;
    target.config = makeConfiguration(11);
    const LoadResult loaded = loadConfiguration(path, *target.config, target.catalog, target.host);
    ASSERT_TRUE(loaded.loaded) << loaded.reason;
    EXPECT_TRUE(loaded.vehicleLoaded);

    expectSamePages(*source.config, *target.config, "round trip");
    expectSameVehicleFirstBytes(source.config->vehicle, target.config->vehicle, "round trip");
    expectSameVehicleRest(source.config->vehicle, target.config->vehicle, "round trip");
    expectSameCurves(source.config->curves, target.config->curves, "round trip");
    expectSameWarnings(source.config->warnings, target.config->warnings, "round trip");
}

TEST(ConfigurationFile, WritesZeroForHandlesAndUnusedSlotsAndFieldsAtTheirOffsets) {
    auto c = makeConfiguration(0);
    for (auto& page : c->layout.slots)
        for (GaugePlacement& p : page) {
            p.window = 0xDEADBEEF;
            p.bitmap = 0xCAFEF00D;
        }
    for (PageFrame& f : c->directory.pages) f.window = 0x12345678;
    const Bytes bytes = encodeConfiguration(*c);
    ASSERT_EQ(bytes.size(), kConfigurationFileBytes);

    for (int page = 0; page < kPageCount; ++page) {
        const int used = usedSlotCount(c->directory.pages[page]);
        for (int s = 0; s < kSlotsPerPage; ++s) {
            const std::size_t at = 4 + (page * kSlotsPerPage + s) * 40;
            const GaugePlacement& p = c->layout.slots[page][s];
            const std::string where = "page " + std::to_string(page) + " slot " + std::to_string(s);
            EXPECT_EQ(readWord(bytes, at), 0u) << where;
            EXPECT_EQ(readWord(bytes, at + 20), 0u) << where;
            EXPECT_EQ(readWord(bytes, at + 28) & 0xFFFFFF00u, 0u) << where << " padding";
            if (s < used) {
                EXPECT_EQ(static_cast<std::int32_t>(readWord(bytes, at + 4)), p.previewX) << where;
                EXPECT_EQ(static_cast<std::int32_t>(readWord(bytes, at + 16)), p.displayHeight) << where;
                EXPECT_EQ(readWord(bytes, at + 24), p.gaugeId) << where;
                EXPECT_EQ(bytes[at + 28], p.hidden) << where;
                EXPECT_EQ(readWord(bytes, at + 36), bitsOf(p.rangeMax)) << where;
            } else {
                EXPECT_EQ(Bytes(bytes.begin() + at, bytes.begin() + at + 40), Bytes(40, 0)) << where;
            }
        }
        const std::size_t frame = 20484 + page * 24;
        EXPECT_EQ(readWord(bytes, frame), 0u) << "frame " << page;
        EXPECT_EQ(static_cast<std::int32_t>(readWord(bytes, frame + 4)), c->directory.pages[page].x);
        EXPECT_EQ(static_cast<std::int32_t>(readWord(bytes, frame + 20)), c->directory.pages[page].count);
    }
    EXPECT_EQ(readWord(bytes, 20580), bitsOf(c->vehicle.gearRatio[0]));
    EXPECT_EQ(readWord(bytes, 21168), bitsOf(c->curves.points[0][0]));
    EXPECT_EQ(static_cast<std::int32_t>(readWord(bytes, 21696)), c->warnings.rows[0].activeOnPage);
}

// Older files are built here from their stated layouts: the version word, then each block the
// version holds at its stated offset.
TEST(ConfigurationFile, EachOlderVersionLoadsExactlyItsBlocksFromItsOffsets) {
    struct Case {
        const char* name;
        std::uint32_t version;
        std::size_t size;
        std::size_t vehicleOffset;  // 0: no vehicle block
        std::size_t vehicleBytes;
        std::size_t curvesOffset;   // 0: none
        std::size_t warningsOffset; // 0: none
    };
    const Case cases[] = {
        {"pages only", 0xABBADEAD, 20580, 0, 0, 0, 0},
        {"short vehicle", 0xABBADEAE, 20640, 20580, 60, 0, 0},
        {"curves", 0xABBADEAF, 21168, 20580, 60, 20640, 0},
        {"warnings", 0xABBADEB0, 21808, 20580, 60, 20640, 21168},
        {"current", 0xABBADEB1, 22336, 20580, 588, 21168, 21696},
    };
    for (const Case& k : cases) {
        auto fileConfig = makeConfiguration(1);
        const Bytes current = encodeConfiguration(*fileConfig);
        Bytes file(k.size, 0);
        putWord(file, 0, k.version);
        std::copy(current.begin() + 4, current.begin() + 20580, file.begin() + 4);  // layout, directory
        if (k.vehicleOffset)
            std::copy(current.begin() + 20580, current.begin() + 20580 + k.vehicleBytes,
                      file.begin() + k.vehicleOffset);
        if (k.curvesOffset)
            std::copy(current.begin() + 21168, current.begin() + 21696, file.begin() + k.curvesOffset);
        if (k.warningsOffset)
            std::copy(current.begin() + 21696, current.end(), file.begin() + k.warningsOffset);
        EXPECT_EQ(configurationFileSize(k.version), k.size) << "case " << k.name;

        Editor editor;
        const auto before = makeConfiguration(5);  // what the editor held
        const auto parsed = std::make_unique<ParsedConfigurationFile>(parseConfigurationFile(file));
        ASSERT_TRUE(parsed->accepted) << "case " << k.name << ": " << parsed->reason;
        const bool vehicleLoaded =
            applyLoadedConfiguration(parsed->blocks, *editor.config, editor.catalog, editor.host);
        const Configuration& after = *editor.config;

        EXPECT_EQ(vehicleLoaded, k.vehicleOffset != 0) << "case " << k.name;
        expectSamePages(*fileConfig, after, k.name);
        const VehicleSettings& firstFrom = k.vehicleOffset ? fileConfig->vehicle : before->vehicle;
        const VehicleSettings& restFrom = k.vehicleBytes == 588 ? fileConfig->vehicle : before->vehicle;
        expectSameVehicleFirstBytes(firstFrom, after.vehicle, k.name);
        expectSameVehicleRest(restFrom, after.vehicle, k.name);
        expectSameCurves(k.curvesOffset ? fileConfig->curves : before->curves, after.curves, k.name);
        expectSameWarnings(k.warningsOffset ? fileConfig->warnings : before->warnings, after.warnings, k.name);

        // One byte short of its version is refused.
        file.pop_back();
        EXPECT_FALSE(parseConfigurationFile(file).accepted) << "case " << k.name << " shortened";
    }
}

TEST(ConfigurationFile, LoadReplacesTheGaugeViewsAndKeepsThePagePreviews) {
    Editor editor;
    const int liveBefore = editor.host.liveCount();
    ViewHandle previews[kPageCount];
    for (int page = 0; page < kPageCount; ++page) previews[page] = editor.config->directory.pages[page].window;

    auto file = makeConfiguration(2);
    const auto parsed = std::make_unique<ParsedConfigurationFile>(
        parseConfigurationFile(encodeConfiguration(*file)));
    ASSERT_TRUE(parsed->accepted);
    applyLoadedConfiguration(parsed->blocks, *editor.config, editor.catalog, editor.host);

    EXPECT_EQ(editor.host.staleCalls, 0);
    int expectedLive = kPageCount;
    for (int page = 0; page < kPageCount; ++page) {
        EXPECT_EQ(editor.config->directory.pages[page].window, previews[page]) << "page " << page;
        for (int s = 0; s < usedSlotCount(editor.config->directory.pages[page]); ++s) {
            const GaugePlacement& p = editor.config->layout.slots[page][s];
            if (findCatalogEntry(editor.catalog, p.gaugeId)) {
                ++expectedLive;
                ASSERT_NE(p.window, 0u);
                EXPECT_FALSE(editor.host.view(p.window).destroyed);
            } else {
                EXPECT_EQ(p.window, 0u) << "unknown gauge on page " << page << " slot " << s;
            }
        }
    }
    EXPECT_GT(liveBefore, kPageCount);
    EXPECT_EQ(editor.host.liveCount(), expectedLive);
}

TEST(ConfigurationFile, EveryTruncationOfACurrentFileIsRefusedWithNothingChanged) {
    const Bytes full = encodeConfiguration(*makeConfiguration(3));
    ASSERT_TRUE(parseConfigurationFile(full).accepted);
    for (std::size_t length = 0; length < full.size(); ++length) {
        const ParsedConfigurationFile parsed = parseConfigurationFile(full.data(), length);
        ASSERT_FALSE(parsed.accepted) << "length " << length;
        ASSERT_FALSE(parsed.reason.empty()) << "length " << length;
    }
    // Through the file operation, at the edges of each block: the editor stays as it was, and the
    // reason names the block the file ends in.
    struct Cut {
        std::size_t length;
        const char* reason;
    };
    const Cut cuts[] = {
        {0, "too short to be a configuration file (0 bytes)"},
        {3, "too short to be a configuration file (3 bytes)"},
        {4, "ends inside its page layout (4 of the 22336 bytes"},
        {20483, "ends inside its page layout (20483 of"},
        {20484, "ends inside its page directory (20484 of"},
        {20579, "ends inside its page directory (20579 of"},
        {20580, "ends inside its vehicle settings (20580 of"},
        {21167, "ends inside its vehicle settings (21167 of"},
        {21695, "ends inside its custom sensor curves (21695 of"},
        {21696, "ends inside its warning table (21696 of"},
        {22335, "ends inside its warning table (22335 of the 22336 bytes"},
    };
    TempDir dir;
    const std::string path = dir.file("short.vtl");
    for (const Cut& cut : cuts) {
        const std::size_t length = cut.length;
        writeAll(path, Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length)));
        Editor editor;
        const Bytes before = snapshot(*editor.config);
        const int createdBefore = editor.host.createdCount();
        const LoadResult result = loadConfiguration(path, *editor.config, editor.catalog, editor.host);
        EXPECT_FALSE(result.loaded) << "length " << length;
        EXPECT_FALSE(result.vehicleLoaded) << "length " << length;
        EXPECT_NE(result.reason.find(cut.reason), std::string::npos) << "length " << length << ": " << result.reason;
        EXPECT_EQ(snapshot(*editor.config), before) << "length " << length;
        EXPECT_EQ(editor.host.createdCount(), createdBefore) << "length " << length;
        EXPECT_EQ(editor.host.liveCount(), createdBefore) << "length " << length;
    }
}

TEST(ConfigurationFile, UnknownVersionWordsAreRefused) {
    const std::uint32_t words[] = {0, 0xABBADEAC, 0xABBADEB2, 0x7FFFFFFF, 0xFFFFFFFF, 0xB1DEBAAB, 0x80000000};
    Bytes file = encodeConfiguration(*makeConfiguration(4));
    for (std::uint32_t word : words) {
        putWord(file, 0, word);
        const ParsedConfigurationFile parsed = parseConfigurationFile(file);
        EXPECT_FALSE(parsed.accepted) << "word " << std::hex << word;
        EXPECT_NE(parsed.reason.find("version"), std::string::npos) << parsed.reason;
        EXPECT_EQ(configurationFileSize(word), 0u) << "word " << std::hex << word;
    }
}

TEST(ConfigurationFile, PageCountsOutside0To128AreRefused) {
    struct Case {
        int page;
        std::int32_t count;
        bool accepted;
    };
    const Case cases[] = {{0, -1, false}, {1, INT32_MIN, false}, {2, 129, false},
                          {3, INT32_MAX, false}, {0, 0, true},   {3, 128, true}};
    for (const Case& k : cases) {
        Bytes file = encodeConfiguration(*makeConfiguration(0));
        putWord(file, 20484 + k.page * 24 + 20, static_cast<std::uint32_t>(k.count));
        const ParsedConfigurationFile parsed = parseConfigurationFile(file);
        EXPECT_EQ(parsed.accepted, k.accepted) << "case page " << k.page << " count " << k.count;
        if (!k.accepted) {
            EXPECT_NE(parsed.reason.find("page " + std::to_string(k.page + 1)), std::string::npos)
                << parsed.reason;
        }
        // An older version's directory is checked as well.
        Bytes old(file.begin(), file.begin() + 20580);
        putWord(old, 0, kVersionPages);
        EXPECT_EQ(parseConfigurationFile(old).accepted, k.accepted) << "case old page " << k.page;
    }
}

TEST(ConfigurationFile, PageFramesOtherThanTheFixedOnesAreRefusedWithNothingChanged) {
    struct Case {
        int page;
        std::size_t field;  // offset in the 24-byte frame: 4 x, 8 y, 12 width, 16 height
        std::int32_t value;
    };
    const Case cases[] = {{0, 4, 33}, {1, 8, 32}, {2, 12, 0}, {3, 16, INT32_MAX}, {3, 4, INT32_MIN}};
    TempDir dir;
    const std::string path = dir.file("frames.vtl");
    for (const Case& k : cases) {
        const std::string name = "page " + std::to_string(k.page) + " field " + std::to_string(k.field);
        Bytes file = encodeConfiguration(*makeConfiguration(0));
        putWord(file, 20484 + k.page * 24 + k.field, static_cast<std::uint32_t>(k.value));
        const ParsedConfigurationFile parsed = parseConfigurationFile(file);
        EXPECT_FALSE(parsed.accepted) << name;
        EXPECT_NE(parsed.reason.find("page " + std::to_string(k.page + 1) + " is "), std::string::npos)
            << parsed.reason;
        Bytes old(file.begin(), file.begin() + 20580);
        putWord(old, 0, kVersionPages);
        EXPECT_FALSE(parseConfigurationFile(old).accepted) << name << " in an older version";

        writeAll(path, file);
        Editor editor;
        const Bytes before = snapshot(*editor.config);
        const LoadResult result = loadConfiguration(path, *editor.config, editor.catalog, editor.host);
        EXPECT_FALSE(result.loaded) << name;
        EXPECT_EQ(snapshot(*editor.config), before) << name;
    }
    // The window handle's word is not geometry: a file with one there is read as usual.
    Bytes file = encodeConfiguration(*makeConfiguration(0));
    putWord(file, 20484, 0x1234);
    EXPECT_TRUE(parseConfigurationFile(file).accepted);
}

TEST(ConfigurationFile, BytesAfterTheLastBlockAreIgnored) {
    auto c = makeConfiguration(6);
    Bytes file = encodeConfiguration(*c);
    file.resize(file.size() + 100, 0xEE);
    const auto parsed = std::make_unique<ParsedConfigurationFile>(parseConfigurationFile(file));
    ASSERT_TRUE(parsed->accepted) << parsed->reason;
    EXPECT_EQ(parsed->blocks.version, kVersionCurrent);
    expectSameWarnings(c->warnings, parsed->blocks.warnings, "trailing bytes");
}

TEST(ConfigurationFile, FailedSaveOrLoadChangesNoFileAndNoRecord) {
    TempDir dir;
    Editor editor;
    const std::string path = dir.file("car1.vtl");
    const Bytes oldFile = encodeConfiguration(*makeConfiguration(9));
    writeAll(path, oldFile);

    // The target is a folder: it is left as it is, with a reason, and no temporary file stays.
    const std::string folder = dir.file("folder.vtl");
    fs::create_directory(folder);
    const SaveResult onFolder = saveConfiguration(folder, *editor.config);
    EXPECT_FALSE(onFolder.saved);
    EXPECT_NE(onFolder.reason.find("not a regular file"), std::string::npos) << onFolder.reason;
    EXPECT_TRUE(fs::is_directory(folder));

    // A folder that does not exist: the temporary file cannot be made.
    const SaveResult blocked = saveConfiguration(dir.file("missing/car.vtl"), *editor.config);
    EXPECT_FALSE(blocked.saved);
    EXPECT_FALSE(blocked.reason.empty());
    // Only car1.vtl and folder.vtl are there.
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), fs::directory_iterator()), 2);

    // Saving over an existing file replaces it.
    ASSERT_TRUE(saveConfiguration(path, *editor.config).saved);
    EXPECT_EQ(readAll(path), encodeConfiguration(*editor.config));

    // A file that cannot be opened changes nothing.
    const Bytes before = snapshot(*editor.config);
    const LoadResult missing =
        loadConfiguration(dir.file("nothing here.vtl"), *editor.config, editor.catalog, editor.host);
    EXPECT_FALSE(missing.loaded);
    EXPECT_FALSE(missing.reason.empty());
    EXPECT_EQ(snapshot(*editor.config), before);

    const std::string message = loadFailureMessage("C:\\cars\\car1.vtl", missing.reason);
    EXPECT_NE(message.find("C:\\cars\\car1.vtl"), std::string::npos);
    EXPECT_NE(message.find(missing.reason), std::string::npos);
}
