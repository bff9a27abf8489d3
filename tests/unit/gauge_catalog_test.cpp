#include "layout/gauge_catalog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "support/fake_view_host.h"

namespace {

std::uint32_t floatBits(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bits;
}

TEST(GaugeCatalog, KindsHoldTheirEntriesInTableOrder) {
    struct Case {
        int kind;
        const char* name;
        int count;
        int width;  // 0 where the kind mixes sizes
        int height;
    };
    const Case cases[] = {
        {0, "Radial", 3, 64, 64},         {1, "Horizontal Bar", 19, 80, 16},
        {2, "Vertical Bar", 5, 16, 64},   {3, "Text", 112, 56, 16},
        {4, "Big Rev Meters", 5, 0, 0},   {5, "Indicators", 23, 24, 8},
    };
    int total = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(kindName(c.kind), c.name) << "kind " << c.kind;
        EXPECT_EQ(definitionCount(c.kind), c.count) << "kind " << c.kind;
        total += definitionCount(c.kind);
        if (c.width == 0) continue;
        for (int p = 0; p < definitionCount(c.kind); ++p) {
            EXPECT_EQ(gaugeDefinition(c.kind, p)->tableWidth, c.width) << c.name << " " << p;
            EXPECT_EQ(gaugeDefinition(c.kind, p)->tableHeight, c.height) << c.name << " " << p;
        }
    }
    EXPECT_EQ(total, kCatalogEntryCount);
}

TEST(GaugeCatalog, SelectedEntriesCarryTheirTableValues) {
    struct Case {
        int kind;
        int position;
        const char* name;
        std::uint32_t gaugeId;
        std::uint32_t bitmapId;
        int width, height;
        int channel, secondChannel;
        float rangeMin, rangeMax;
    };
    const Case cases[] = {
        {0, 0, "Radial Rev Meter", 0x0000, 123, 64, 64, 8, 255, 0, 10000},
        {0, 2, "350kPa Boost", 0x0002, 171, 64, 64, 7, 255, 0, 350},
        {1, 11, "O2 #2 (Lambda)", 0x1001, 145, 80, 16, 25, 255, 0.7f, 1.3f},
        {1, 12, "O2 #1 (Lambda)", 0x1002, 146, 80, 16, 24, 255, 0.7f, 1.3f},
        {1, 16, "O2 Target (A/F Ratio)", 0x9006, 148, 80, 16, 28, 255, 10, 20},
        {1, 18, "350kPa Map", 0x1012, 158, 80, 16, 7, 255, 0, 350},
        {2, 4, "O2 Target", 0x2004, 156, 16, 64, 28, 255, 0.7f, 1.3f},
        {3, 10, "Engine Load (psi)", 0xB118, 177, 56, 16, 7, 255, -20, 99},
        {3, 11, "Gear", 0x310E, 175, 56, 16, 35, 8, 0, 6},
        {3, 14, "Injectory Duty (%)", 0x310F, 176, 56, 16, 10, 255, 0, 250},
        {3, 25, "Mileage (mpg)", 0x310D, 174, 56, 16, 23, 32, 0, 100},
        {3, 36, "SPEED (kph)", 0x310A, 136, 56, 16, 32, 255, 0, 999},
        {3, 39, "Torque", 0x3130, 212, 56, 16, 34, 32, 0, 26000},
        {3, 40, "ADCR 1 (Custom1)", 0x311D, 191, 56, 16, 36, 255, 0, 9999},
        {3, 57, "ADCR 18 (Custom1)", 0x312E, 208, 56, 16, 53, 255, 0, 9999},
        {3, 58, "ADCR 1 (Custom2)", 0x711D, 191, 56, 16, 36, 255, 0, 9999},
        {3, 85, "ADCR 10 (Custom3)", 0xB126, 200, 56, 16, 45, 255, 0, 9999},
        {3, 94, "ADCR 1 (Custom4)", 0xF11D, 191, 56, 16, 36, 255, 0, 9999},
        {3, 111, "ADCR 18 (Custom4)", 0xF12E, 208, 56, 16, 53, 255, 0, 9999},
        {4, 0, "Rev Meter (10K)", 0x3200, 116, 176, 32, 8, 255, 0, 10000},
        {4, 2, "Bigger Rev Meter (10K)", 0x3601, 181, 240, 48, 8, 255, 0, 10000},
        {4, 3, "Big Rev Meter (12K)", 0x3500, 178, 176, 48, 8, 255, 0, 12000},
        {5, 0, "LS1", 0x3700, 223, 24, 8, 54, 255, -999, 999},
        {5, 22, "SWITCH7", 0x3716, 245, 24, 8, 76, 255, -999, 999},
    };
    for (const Case& c : cases) {
        const GaugeDefinition* d = gaugeDefinition(c.kind, c.position);
        ASSERT_NE(d, nullptr) << "case " << c.name;
        EXPECT_EQ(d->name, c.name) << "case " << c.name;
        EXPECT_EQ(definitionName(c.kind, c.position), c.name) << "case " << c.name;
        EXPECT_EQ(d->gaugeId, c.gaugeId) << "case " << c.name;
        EXPECT_EQ(d->bitmapId, c.bitmapId) << "case " << c.name;
        EXPECT_EQ(d->tableWidth, c.width) << "case " << c.name;
        EXPECT_EQ(d->tableHeight, c.height) << "case " << c.name;
        EXPECT_EQ(d->channel, c.channel) << "case " << c.name;
        EXPECT_EQ(d->secondChannel, c.secondChannel) << "case " << c.name;
        EXPECT_EQ(floatBits(d->rangeMin), floatBits(c.rangeMin)) << "case " << c.name;
        EXPECT_EQ(floatBits(d->rangeMax), floatBits(c.rangeMax)) << "case " << c.name;
    }
}

// Catches slips in the hand-written tables: every value within its field, and identifiers
// unique except for the one pair of speed units that share theirs.
TEST(GaugeCatalog, EveryDefinitionIsWellFormed) {
    std::map<std::uint32_t, int> idUses;
    std::map<std::uint32_t, std::pair<int, int>> bitmapSizes;
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int p = 0; p < definitionCount(kind); ++p) {
            const GaugeDefinition& d = *gaugeDefinition(kind, p);
            const std::string where = kindName(kind) + " " + std::to_string(p);
            EXPECT_FALSE(d.name.empty()) << where;
            EXPECT_LE(d.name.size(), 31u) << where;
            EXPECT_LE(d.gaugeId, 0xFFFFu) << where;
            EXPECT_LT(d.channel, kChannelCount) << where;
            EXPECT_TRUE(d.secondChannel == kNoChannel || d.secondChannel < kChannelCount) << where;
            EXPECT_LT(d.rangeMin, d.rangeMax) << where;
            ++idUses[d.gaugeId];
            auto [it, fresh] = bitmapSizes.emplace(d.bitmapId, std::make_pair(d.tableWidth, d.tableHeight));
            EXPECT_EQ(it->second, std::make_pair(d.tableWidth, d.tableHeight))
                << where << " shares bitmap " << d.bitmapId << " at another size";
            (void)fresh;
        }
    }
    for (const auto& [id, uses] : idUses)
        EXPECT_EQ(uses, id == 0x310A ? 2 : 1) << "identifier " << std::hex << id;
}

TEST(GaugeCatalog, LookupByIdentifierFindsTheFirstEntry) {
    struct Case {
        const char* label;
        std::uint32_t gaugeId;
        const char* name;  // nullptr: none
    };
    const Case cases[] = {
        {"radial rev meter", 0x0000, "Radial Rev Meter"},
        {"shared speed id", 0x310A, "SPEED (mph)"},
        {"A/F bar", 0x9005, "O2 #1 (A/F Ratio)"},
        {"last custom gauge", 0xF12E, "ADCR 18 (Custom4)"},
        {"indicator", 0x3716, "SWITCH7"},
        {"unknown", 0x3131, nullptr},
        {"upper bits compared too", 0x1310A, nullptr},
    };
    FakeViewHost host;
    const GaugeCatalog catalog = loadCatalog(host);
    for (const Case& c : cases) {
        const CatalogEntry* e = findCatalogEntry(catalog, c.gaugeId);
        const GaugeDefinition* d = findGaugeDefinition(c.gaugeId);
        if (!c.name) {
            EXPECT_EQ(e, nullptr) << "case " << c.label;
            EXPECT_EQ(d, nullptr) << "case " << c.label;
            continue;
        }
        ASSERT_NE(e, nullptr) << "case " << c.label;
        ASSERT_NE(d, nullptr) << "case " << c.label;
        EXPECT_EQ(e->name, c.name) << "case " << c.label;
        EXPECT_EQ(d->name, c.name) << "case " << c.label;
    }
}

TEST(GaugeCatalog, LoadTakesImagesAndSizesFromTheHost) {
    FakeViewHost host;
    const GaugeCatalog catalog = loadCatalog(host);
    ASSERT_EQ(host.loadedIds.size(), static_cast<std::size_t>(kCatalogEntryCount));
    std::size_t load = 0;
    for (int kind = 0; kind < kKindCount; ++kind) {
        ASSERT_EQ(static_cast<int>(catalog.kinds[kind].size()), definitionCount(kind));
        for (int p = 0; p < definitionCount(kind); ++p) {
            const GaugeDefinition& d = *gaugeDefinition(kind, p);
            const CatalogEntry& e = *catalogEntry(catalog, kind, p);
            EXPECT_EQ(host.loadedIds[load++], d.bitmapId) << d.name;
            EXPECT_EQ(e.name, d.name);
            EXPECT_EQ(e.gaugeId, d.gaugeId) << d.name;
            EXPECT_EQ(e.channel, d.channel) << d.name;
            EXPECT_EQ(e.secondChannel, d.secondChannel) << d.name;
            EXPECT_EQ(e.bitmap, FakeViewHost::bitmapHandleFor(d.bitmapId)) << d.name;
            EXPECT_NE(e.bitmap, 0u) << d.name;
        }
    }

    // The loaded image decides the size, not the table.
    struct OddSizedHost : FakeViewHost {
        LoadedBitmap loadBitmap(std::uint32_t id) override {
            return LoadedBitmap{id, 7, 3};
        }
    } odd;
    const GaugeCatalog oddCatalog = loadCatalog(odd);
    const CatalogEntry* radial = catalogEntry(oddCatalog, 0, 0);
    ASSERT_NE(radial, nullptr);
    EXPECT_EQ(radial->bitmapWidth, 7);
    EXPECT_EQ(radial->bitmapHeight, 3);
    EXPECT_EQ(radial->bitmap, 123u);
}

TEST(GaugeCatalog, PositionsOutsideTheTablesFindNothing) {
    FakeViewHost host;
    const GaugeCatalog catalog = loadCatalog(host);
    const std::pair<int, int> outside[] = {{-1, 0}, {6, 0}, {0, -1}, {0, 3}, {3, 112}, {5, 23}};
    for (const auto& [kind, position] : outside) {
        EXPECT_EQ(catalogEntry(catalog, kind, position), nullptr) << kind << "/" << position;
        EXPECT_EQ(gaugeDefinition(kind, position), nullptr) << kind << "/" << position;
        EXPECT_EQ(definitionName(kind, position), "") << kind << "/" << position;
    }
    EXPECT_EQ(kindName(-1), "");
    EXPECT_EQ(kindName(6), "");
    EXPECT_EQ(definitionCount(6), 0);
    // An empty catalog (not loaded) answers nothing rather than failing.
    EXPECT_EQ(catalogEntry(GaugeCatalog{}, 0, 0), nullptr);
    EXPECT_EQ(findCatalogEntry(GaugeCatalog{}, 0), nullptr);
}

TEST(GaugeCatalog, ChannelKeys) {
    const std::pair<int, const char*> cases[] = {
        {0, "advance_comp"}, {8, "engine_speed"}, {23, "mileage"}, {35, "gear"},
        {36, "adcr_01"},     {44, "adcr_09"},     {45, "adcr_10"}, {53, "adcr_18"},
        {54, "ls1"},         {65, "ls12"},        {66, "hs1"},     {69, "hs4"},
        {70, "switch1"},     {76, "switch7"},     {77, ""},        {-1, ""},
    };
    for (const auto& [index, key] : cases) EXPECT_EQ(channelKey(index), key) << "index " << index;
    std::set<std::string> distinct;
    for (int i = 0; i < kChannelCount; ++i) distinct.insert(channelKey(i));
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kChannelCount));
}

TEST(GaugeCatalog, BitmapListHoldsEachBitmapOnceWithItsSize) {
    const std::vector<GaugeBitmapSize> bitmaps = allBitmapIds();
    std::set<std::uint32_t> ids;
    for (const GaugeBitmapSize& b : bitmaps) EXPECT_TRUE(ids.insert(b.bitmapId).second) << b.bitmapId;
    // Every definition's bitmap is listed, at the definition's size.
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (int p = 0; p < definitionCount(kind); ++p) {
            const GaugeDefinition& d = *gaugeDefinition(kind, p);
            bool listed = false;
            for (const GaugeBitmapSize& b : bitmaps) {
                if (b.bitmapId != d.bitmapId) continue;
                listed = true;
                EXPECT_EQ(b.width, d.tableWidth) << d.name;
                EXPECT_EQ(b.height, d.tableHeight) << d.name;
            }
            EXPECT_TRUE(listed) << d.name;
        }
    }
    EXPECT_EQ(bitmaps.size(), 104u);  // 167 entries share down to 104 pictures
}

}  // namespace
