#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "profiles/display_encoding.h"
#include "link/upload_image.h"
#include "link/upload_stream.h"
#include "support/upload_config.h"
#include "support/float_bits.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes streamOf(UploadConfig& cfg) {
    return flattenStream(buildUploadStream(cfg.sources(), Bytes(kPageImageBytes, 0), Bytes(kFontImageBytes, 0)));
}

Bytes slice(const Bytes& b, std::size_t at, std::size_t n) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

const Bytes kRpmCorner = {0x09, 0x31, 0x08, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x8D, 0x4B, 0x20, 0x00, 0x00, 0x00};

// Offset of the vehicle record: the page sections end there.
std::size_t vehicleOffset(std::size_t gauges) { return kPagesOffset + 12 + 14 * gauges; }

}  // namespace

TEST(UploadStream, EmptyConfiguration) {
    auto cfg = std::make_unique<UploadConfig>();
    const UploadStream stream = buildUploadStream(cfg->sources(), Bytes(kPageImageBytes, 0), Bytes(kFontImageBytes, 0x55));
    const Bytes b = flattenStream(stream);
    ASSERT_EQ(b.size(), 13490u);
    EXPECT_EQ(progressStepCount(stream), 13484);
    EXPECT_DOUBLE_EQ(minimumDurationMs(stream), 25264.0);
    EXPECT_EQ(b[0], 0xB1);
    EXPECT_EQ(slice(b, 1, 7680), Bytes(7680, 0));
    EXPECT_EQ(slice(b, 7681, 2048), Bytes(2048, 0x55));
    EXPECT_EQ(b[9729], 0x04);
    Bytes profiles;
    for (const auto& p : cfg->profiles.profiles) {
        const Bytes one = encodeEngineUnitProfile(p);
        profiles.insert(profiles.end(), one.begin(), one.end());
    }
    EXPECT_EQ(slice(b, 9730, 2980), profiles);
    EXPECT_EQ(slice(b, kPagesOffset, 12), Bytes(12, 0)) << "four sections of 00 00 00";
}

TEST(UploadStream, RpmRecordsAndCheckValues) {
    struct Case {
        const char* name;
        int page, column, row;
        Bytes record;
        Bytes check;
    };
    Bytes moved = kRpmCorner;
    moved[12] = 0xB8;
    moved[13] = 0x30;
    const Case cases[] = {
        {"page 1 corner", 0, 0, 0, kRpmCorner, {0x3A, 0x67}},
        {"page 1 column 184 row 48", 0, 184, 48, moved, {0x17, 0xA2}},
        {"page 2 corner", 1, 0, 0, kRpmCorner, {0x3A, 0x67}},
    };
    for (const Case& c : cases) {
        auto cfg = std::make_unique<UploadConfig>();
        cfg->place(c.page, kRpmGaugeId, c.column, c.row, 56, 16);
        // A stale range in the placement must not matter: the catalog's range is sent.
        cfg->layout.slots[c.page][0].rangeMax = 5;
        const Bytes b = streamOf(*cfg);
        ASSERT_EQ(b.size(), 13490u + 14) << "case " << c.name;
        Bytes expected;
        for (int p = 0; p < 4; ++p) {
            if (p == c.page) {
                expected.push_back(1);
                expected.insert(expected.end(), c.record.begin(), c.record.end());
                expected.insert(expected.end(), c.check.begin(), c.check.end());
            } else {
                expected.insert(expected.end(), {0, 0, 0});
            }
        }
        EXPECT_EQ(slice(b, kPagesOffset, expected.size()), expected) << "case " << c.name;
    }
}

TEST(UploadStream, FullPageOfIndicatorsAndUnknownGauges) {
    auto cfg = std::make_unique<UploadConfig>();
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 10; ++col) cfg->place(2, kIndicatorGaugeId, 24 * col, 8 * row, 24, 8);
    // Page 4: a gauge unknown to the catalog between two known ones is left out of the records,
    // the count and the check value.
    cfg->place(3, kRpmGaugeId, 0, 0, 56, 16);
    cfg->place(3, 0xDEAD, 0, 16, 56, 16);
    cfg->place(3, kRpmGaugeId, 184, 48, 56, 16);
    const Bytes b = streamOf(*cfg);
    ASSERT_EQ(b.size(), 13490u + 14 * 82);

    const std::size_t page3 = kPagesOffset + 6;
    EXPECT_EQ(b[page3], 0x50);
    std::uint16_t check = 0;
    for (int i = 0; i < 80; ++i) {
        const Bytes rec = slice(b, page3 + 1 + 14 * i, 14);
        EXPECT_EQ(rec[0] | rec[1] << 8, 0x3700) << "record " << i;
        EXPECT_EQ(rec[12], 24 * (i % 10)) << "record " << i;
        EXPECT_EQ(rec[13], 8 * (i / 10)) << "record " << i;
        check = displayCrc(rec.data(), 14, check);
    }
    EXPECT_EQ(slice(b, page3 + 1 + 1120, 2), (Bytes{static_cast<std::uint8_t>(check), static_cast<std::uint8_t>(check >> 8)}));

    const std::size_t page4 = page3 + 1 + 1120 + 2;
    EXPECT_EQ(b[page4], 2);
    Bytes moved = kRpmCorner;
    moved[12] = 0xB8;
    moved[13] = 0x30;
    EXPECT_EQ(slice(b, page4 + 1, 14), kRpmCorner);
    EXPECT_EQ(slice(b, page4 + 15, 14), moved);
    const std::uint16_t chained = displayCrc(moved.data(), 14, displayCrc(kRpmCorner.data(), 14, 0));
    EXPECT_EQ(slice(b, page4 + 29, 2), (Bytes{static_cast<std::uint8_t>(chained), static_cast<std::uint8_t>(chained >> 8)}));
}

// A damaged file's positions near the int32 limits: the column and row are the low bytes of the
// true half difference, truncated toward zero (not of a wrapped one).
TEST(UploadStream, GaugeRecordPositionsNearTheInt32Limits) {
    struct Case {
        std::int32_t x, y;
        std::uint8_t column, row;
    };
    const Case cases[] = {
        {std::numeric_limits<std::int32_t>::min() + 1, std::numeric_limits<std::int32_t>::min(), 0xF1, 0xF0},
        {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max() - 1, 0xEF, 0xEF},
    };
    for (const Case& c : cases) {
        GaugePlacement placement;
        placement.gaugeId = kRpmGaugeId;
        placement.previewX = c.x;
        placement.previewY = c.y;
        std::uint8_t record[kGaugeRecordBytes];
        ASSERT_TRUE(encodeGaugeRecord(placement, fixedPageFrame(0), record));
        EXPECT_EQ(record[12], c.column) << c.x;
        EXPECT_EQ(record[13], c.row) << c.y;
    }
}

TEST(UploadStream, DamagedCountIsClampedToTheSlots) {
    auto cfg = std::make_unique<UploadConfig>();
    for (int i = 0; i < kSlotsPerPage; ++i) cfg->place(0, kIndicatorGaugeId, 0, 0, 24, 8);
    cfg->directory.pages[0].count = 1000;
    cfg->directory.pages[1].count = -5;
    const Bytes b = streamOf(*cfg);
    EXPECT_EQ(b.size(), 13490u + 14 * 128);
    EXPECT_EQ(b[kPagesOffset], 128);
    EXPECT_EQ(slice(b, kPagesOffset + 1 + 14 * 128 + 2, 3), (Bytes{0, 0, 0}));
}

TEST(UploadStream, VehicleRecord) {
    auto cfg = std::make_unique<UploadConfig>();
    VehicleSettings& v = cfg->vehicle;
    v.revMeterRpmLow = 0x12345;  // low 16 bits only
    v.revMeterRpmHigh = 8000;
    v.fuelFlowFactor = fromBits(0xFFC00000);
    v.finalDriveRatio = 3.0f;
    v.gearRatio = {1.0f, 0.5f, 0, 0, 0, 0};
    v.vehicleWeight = 1.0f;
    v.dragCoefficient = -1.0f;
    const Bytes b = streamOf(*cfg);
    const Bytes rec = slice(b, vehicleOffset(0), 44);
    EXPECT_EQ(slice(rec, 0, 4), (Bytes{0x45, 0x23, 0x40, 0x1F}));
    EXPECT_EQ(slice(rec, 4, 4), (Bytes{0xFF, 0xC0, 0x00, 0x00})) << "NaN fuel factor kept as its bits";
    // 3 x 1 x 12.87 and 3 x 0.5 x 12.87, each product rounded once.
    const float gear1 = static_cast<float>(3.0 * static_cast<double>(fromBits(0x414DEB85)));
    const auto g1 = toDisplayFloat(gear1);
    const auto g2 = toDisplayFloat(static_cast<float>(1.5 * static_cast<double>(fromBits(0x414DEB85))));
    EXPECT_EQ(slice(rec, 8, 4), Bytes(g1.begin(), g1.end()));
    EXPECT_EQ(slice(rec, 12, 4), Bytes(g2.begin(), g2.end()));
    EXPECT_EQ(slice(rec, 16, 16), Bytes(16, 0));
    EXPECT_EQ(slice(rec, 36, 8), (Bytes{0x7F, 0x00, 0x00, 0x00, 0x7F, 0x80, 0x00, 0x00}));
}

TEST(UploadStream, TyreValueFromTheSizesOfThePositions) {
    struct Case {
        const char* name;
        int rim, width, aspect;
        double feet;  // (width x aspect / 1270 + rim inches) / 24
    };
    const Case cases[] = {
        {"start-up positions 11in 140mm 5%", 0, 0, 0, (140.0 * 5 / 1270 + 11) / 24},
        {"17in 225/45", 6, 17, 8, (225.0 * 45 / 1270 + 17) / 24},
        {"last positions 30in 395/95", 19, 51, 18, (395.0 * 95 / 1270 + 30) / 24},
        {"nothing selected", -1, -1, -1, 0.0},
        {"no rim selected", -1, 0, 0, (140.0 * 5 / 1270) / 24},
        {"positions past the lists", 20, 52, 19, 0.0},
    };
    for (const Case& c : cases) {
        VehicleSettings v;
        v.rimDiameterIndex = c.rim;
        v.tireWidthIndex = c.width;
        v.tireAspectIndex = c.aspect;
        EXPECT_NEAR(tyreValue(v), c.feet, 1e-6) << "case " << c.name;
    }
}

TEST(UploadStream, WarningMasksAndRecords) {
    auto cfg = std::make_unique<UploadConfig>();
    cfg->place(0, kRpmGaugeId, 0, 0, 56, 16);  // engine speed, channel 8, on page 1
    WarningTable& t = cfg->warnings;
    // Warning 1: engine speed (parameter 9) "<" in the second unit; stale flag on page 3.
    t.rows[warningRowIndex(0, 0)] = WarningRow{0, 9, 2, 6500.0f, 1};
    t.rows[warningRowIndex(0, 1)] = WarningRow{0, 9, 1, 1.0f, 0};
    t.rows[warningRowIndex(0, 2)] = WarningRow{1, 0, 0, 0.0f, -1};
    t.rows[warningRowIndex(0, 3)] = WarningRow{0, 9, 1, 0.5f, -1};
    const Bytes b = streamOf(*cfg);
    const std::size_t masks = vehicleOffset(1) + 44 + 528;
    EXPECT_EQ(slice(b, masks, 4), (Bytes{0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(t.rows[warningRowIndex(0, 2)].activeOnPage, 0) << "page flags recomputed";
    const Bytes rec = slice(b, masks + 4, 24);
    EXPECT_EQ(slice(rec, 0, 4), (Bytes{9, 9, 0, 9}));
    EXPECT_EQ(slice(rec, 4, 4), (Bytes{0xFE, 0x01, 0x00, 0xFF}));
    EXPECT_EQ(slice(rec, 12, 4), (Bytes{0x7F, 0x00, 0x00, 0x00}));
    EXPECT_EQ(slice(b, masks + 4 + 24, 7 * 24), Bytes(7 * 24, 0)) << "empty warnings";
    EXPECT_EQ(masks + 4 + 8 * 24, b.size());
}

TEST(UploadStream, CustomSensorSectionInBlockOrder) {
    auto cfg = std::make_unique<UploadConfig>();
    cfg->curves = startupCustomSensorCurves();
    cfg->curves.points[3][32] = -1.0f;
    const Bytes b = streamOf(*cfg);
    const std::size_t at = vehicleOffset(0) + 44;
    EXPECT_EQ(slice(b, at, 4), Bytes(4, 0)) << "curve 1 point 0 is 0 V";
    const auto p1 = toDisplayFloat(cfg->curves.points[0][1]);
    EXPECT_EQ(slice(b, at + 4, 4), Bytes(p1.begin(), p1.end()));
    EXPECT_EQ(slice(b, at + 524, 4), (Bytes{0x7F, 0x80, 0x00, 0x00}));
}
