#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "layout/byte_io.h"
#include "settings/custom_sensor_curves.h"
#include "settings/custom_sensor_dialog.h"
#include "settings/filling_controls.h"
#include "platform/memory_form.h"
#include "support/float_bits.h"
#include "settings/custom_sensor_ids.h"

namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;

// Remembers whether fillingControls was set at each text write.
class FlagWatchingForm : public MemoryForm {
public:
    void setText(int id, const std::string& text) override {
        MemoryForm::setText(id, text);
        if (!fillingControls) ++unguardedWrites;
    }
    int unguardedWrites = 0;
};

}  // namespace

TEST(CustomSensorCurves, StartValuesAreTheVoltageAndSensorTwoThePercentage) {
    const CustomSensorCurves curves = startupCustomSensorCurves();
    struct Case { const char* name; int sensor; int point; float value; };
    const Case cases[] = {
        {"sensor 1 first", 0, 0, 0.0f},      {"sensor 1 second", 0, 1, 0.15625f},
        {"sensor 1 last", 0, 32, 5.0f},      {"sensor 2 third", 1, 2, 6.25f},
        {"sensor 2 last", 1, 32, 100.0f},    {"sensor 3 middle", 2, 16, 2.5f},
        {"sensor 4 last", 3, 32, 5.0f},      {"sensor 4 point 7", 3, 7, 1.09375f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bitsOf(curves.points[c.sensor][c.point]), bitsOf(c.value)) << "case " << c.name;
}

TEST(CustomSensorCurves, EncodesSensorAfterSensorAsLittleEndianFloats) {
    const CustomSensorCurves curves = startupCustomSensorCurves();
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    encodeCustomSensorCurves(curves, out);
    ASSERT_EQ(bytes.size(), kCustomSensorCurvesBytes);
    ASSERT_EQ(bytes.size(), 528u);
    // Sensor 2 (offset 132), point 32 (offset 128 within it): 100.0f = 0x42C80000.
    const std::vector<std::uint8_t> last(bytes.begin() + 260, bytes.begin() + 264);
    EXPECT_EQ(last, (std::vector<std::uint8_t>{0x00, 0x00, 0xC8, 0x42}));
    // Sensor 1, point 1: 0.15625f = 0x3E200000.
    const std::vector<std::uint8_t> second(bytes.begin() + 4, bytes.begin() + 8);
    EXPECT_EQ(second, (std::vector<std::uint8_t>{0x00, 0x00, 0x20, 0x3E}));

    CustomSensorCurves back{};
    ByteReader in(bytes.data(), bytes.size());
    ASSERT_TRUE(decodeCustomSensorCurves(in, back));
    EXPECT_EQ(std::memcmp(&back, &curves, sizeof curves), 0);
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(CustomSensorCurves, ShortInputIsRefusedAndLeavesTheCurvesAlone) {
    const std::vector<std::uint8_t> bytes(527, 0xFF);
    CustomSensorCurves curves = startupCustomSensorCurves();
    ByteReader in(bytes.data(), bytes.size());
    EXPECT_FALSE(decodeCustomSensorCurves(in, curves));
    EXPECT_EQ(curves.points[1][32], 100.0f);
}

TEST(CustomSensorDialog, FillShowsTwoDecimalsRightAligned) {
    const CustomSensorCurves curves = startupCustomSensorCurves();
    struct Case { const char* name; int sensor; int point; const char* text; };
    const Case cases[] = {
        {"sensor 1 row 1", 0, 0, " 0.00"},  {"sensor 1 row 2", 0, 1, " 0.16"},
        {"sensor 1 row 3", 0, 2, " 0.31"},  {"sensor 1 row 4", 0, 3, " 0.47"},
        {"sensor 1 last", 0, 32, " 5.00"},  {"sensor 2 row 1", 1, 0, " 0.00"},
        {"sensor 2 row 3", 1, 2, " 6.25"},  {"sensor 2 last", 1, 32, "100.00"},
    };
    for (const Case& c : cases) {
        FlagWatchingForm form;
        FilledCurvePoints filled;
        fillCustomSensorDialog(form, filled, curves, c.sensor);
        EXPECT_EQ(form.texts[IDC_CURVE_POINT_FIRST + c.point], c.text) << "case " << c.name;
        EXPECT_EQ(form.texts.size(), 33u) << "case " << c.name;
        EXPECT_EQ(form.unguardedWrites, 0) << "case " << c.name;
        EXPECT_FALSE(fillingControls) << "case " << c.name;
    }
}

TEST(CustomSensorDialog, OkKeepsEveryPointWhoseTextIsAsFilled) {
    CustomSensorCurves curves = startupCustomSensorCurves();
    curves.points[0][3] = -23.2062139468195f;
    curves.points[0][4] = -0.0f;
    curves.points[0][5] = 1e-7f;
    const CustomSensorCurves before = curves;
    MemoryForm form;
    FilledCurvePoints filled;
    fillCustomSensorDialog(form, filled, curves, 0);
    EXPECT_EQ(form.texts[IDC_CURVE_POINT_FIRST + 3], "-23.21");
    EXPECT_TRUE(customSensorCommand(form, filled, curves, 0, kOk));
    EXPECT_EQ(std::memcmp(&before, &curves, sizeof curves), 0);

    // A changed text is read, even back to what it showed; typing the filled text again keeps.
    struct Case { const char* name; const char* text; float value; };
    const Case cases[] = {
        {"untouched", " 0.16", 0.15625f},
        {"the same number typed", "0.16", 0.16f},
        {"the filled text typed again", " 0.16", 0.15625f},
        {"emptied", "", 0.0f},
    };
    for (const Case& c : cases) {
        form.texts[IDC_CURVE_POINT_FIRST + 1] = c.text;
        customSensorCommand(form, filled, curves, 0, kOk);
        EXPECT_EQ(bitsOf(curves.points[0][1]), bitsOf(c.value)) << "case " << c.name;
        EXPECT_EQ(bitsOf(curves.points[0][3]), bitsOf(-23.2062139468195f)) << "case " << c.name;
    }
    // Only the dialog's own sensor is rewritten.
    EXPECT_EQ(curves.points[2][1], 0.15625f);
}

TEST(CustomSensorDialog, ReadsAtMostNineCharactersOfEachEdit) {
    struct Case { const char* name; const char* text; float value; };
    const Case cases[] = {
        {"empty", "", 0.0f},
        {"not a number", "abc", 0.0f},
        {"trailing characters", "12.5volts", 12.5f},
        {"cut to nine", "1234567891234", 123456789.0f},
        {"cut inside the fraction", "1.23456789", 1.2345678f},
        {"exponent", " -3e2", -300.0f},
        {"hexadecimal is not a number", "0x10", 0.0f},
    };
    for (const Case& c : cases) {
        CustomSensorCurves curves = startupCustomSensorCurves();
        MemoryForm form;
        FilledCurvePoints filled;
        fillCustomSensorDialog(form, filled, curves, 3);
        form.texts[IDC_CURVE_POINT_FIRST + 5] = c.text;
        readCustomSensorDialog(form, filled, curves, 3);
        EXPECT_EQ(curves.points[3][5], c.value) << "case " << c.name;
        EXPECT_EQ(curves.points[3][6], 0.9375f) << "case " << c.name;
    }
}

TEST(CustomSensorDialog, CancelAndOtherCommandsStoreNothing) {
    struct Case { const char* name; int command; bool closes; };
    const Case cases[] = {
        {"cancel", kCancel, true},
        {"an edit's notification", IDC_CURVE_POINT_FIRST + 4, false},
        {"command 7", 7, false},
    };
    for (const Case& c : cases) {
        CustomSensorCurves curves = startupCustomSensorCurves();
        MemoryForm form;
        FilledCurvePoints filled;
        fillCustomSensorDialog(form, filled, curves, 1);
        form.texts[IDC_CURVE_POINT_FIRST + 4] = "42";
        EXPECT_EQ(customSensorCommand(form, filled, curves, 1, c.command), c.closes) << "case " << c.name;
        EXPECT_EQ(curves.points[1][4], 12.5f) << "case " << c.name;
    }
}

TEST(CustomSensorDialog, OkWhileTheProgramFillsClosesWithoutReading) {
    CustomSensorCurves curves = startupCustomSensorCurves();
    MemoryForm form;
    form.texts[IDC_CURVE_POINT_FIRST] = "9";
    FillingControls filling;
    EXPECT_TRUE(customSensorCommand(form, FilledCurvePoints{}, curves, 0, kOk));
    EXPECT_EQ(curves.points[0][0], 0.0f);
}

TEST(CustomSensorDialog, TwoOpenDialogsEachStoreIntoTheirOwnSensor) {
    CustomSensorCurves curves = startupCustomSensorCurves();
    MemoryForm third, first;
    FilledCurvePoints thirdFilled, firstFilled;
    fillCustomSensorDialog(third, thirdFilled, curves, 2);
    fillCustomSensorDialog(first, firstFilled, curves, 0);
    third.texts[IDC_CURVE_POINT_FIRST + 10] = "33";
    first.texts[IDC_CURVE_POINT_FIRST + 10] = "11";
    customSensorCommand(third, thirdFilled, curves, 2, kOk);
    customSensorCommand(first, firstFilled, curves, 0, kOk);
    EXPECT_EQ(curves.points[2][10], 33.0f);
    EXPECT_EQ(curves.points[0][10], 11.0f);
    EXPECT_EQ(curves.points[1][10], 31.25f);
}

TEST(CustomSensorDialog, SensorOutsideTheFourTouchesNothing) {
    CustomSensorCurves curves = startupCustomSensorCurves();
    const CustomSensorCurves before = curves;
    MemoryForm form;
    FilledCurvePoints filled;
    for (int sensor : {-1, 4}) {
        fillCustomSensorDialog(form, filled, curves, sensor);
        readCustomSensorDialog(form, filled, curves, sensor);
        EXPECT_EQ(form.writes, 0) << "case sensor " << sensor;
    }
    EXPECT_EQ(std::memcmp(&before, &curves, sizeof curves), 0);
}

TEST(CustomSensorDialog, LineFillsTheEditsFromTheTwoEnds) {
    struct Case {
        const char* name;
        const char* at0V;
        const char* at5V;
        const char* first;
        const char* second;
        const char* middle;
        const char* last;
    };
    const Case cases[] = {
        {"0 to 100 psi", "0", "100", " 0.00", " 3.12", "50.00", "100.00"},
        {"falling", "5", "-5", " 5.00", " 4.69", " 0.00", "-5.00"},
        {"flat", " 7.50", "7.5", " 7.50", " 7.50", " 7.50", " 7.50"},
        {"read as OK reads: 9 characters, no number is 0", "x", "1000000000", " 0.00",
         "3125000.00", "50000000.00", "100000000.00"},
    };
    for (const Case& c : cases) {
        FlagWatchingForm form;
        FilledCurvePoints filled;
        fillCurveLine(form, filled, c.at0V, c.at5V);
        EXPECT_EQ(form.texts[IDC_CURVE_POINT_FIRST], c.first) << "case " << c.name;
        EXPECT_EQ(form.texts[IDC_CURVE_POINT_FIRST + 1], c.second) << "case " << c.name;
        EXPECT_EQ(form.texts[IDC_CURVE_POINT_FIRST + 16], c.middle) << "case " << c.name;
        EXPECT_EQ(form.texts[IDC_CURVE_POINT_FIRST + 32], c.last) << "case " << c.name;
        EXPECT_EQ(form.unguardedWrites, 0) << "case " << c.name;
    }
    // Only the edits change: Cancel afterwards stores nothing.
    CustomSensorCurves curves = startupCustomSensorCurves();
    FlagWatchingForm form;
    FilledCurvePoints filled;
    fillCurveLine(form, filled, "0", "100");
    EXPECT_TRUE(customSensorCommand(form, filled, curves, 0, kCancel));
    EXPECT_EQ(bitsOf(curves.points[0][32]), bitsOf(5.0f));

    // An end shown as its point was filled is that point's value, and OK keeps the line's
    // points as computed, not as shown (" 0.00", " 5.00"; point 1 " 0.16").
    curves.points[0][0] = 0.004f;
    curves.points[0][32] = 5.004f;
    fillCustomSensorDialog(form, filled, curves, 0);
    fillCurveLine(form, filled, " 0.00", " 5.00");
    EXPECT_EQ(form.texts[IDC_CURVE_POINT_FIRST + 1], " 0.16");
    EXPECT_TRUE(customSensorCommand(form, filled, curves, 0, kOk));
    EXPECT_EQ(bitsOf(curves.points[0][0]), bitsOf(0.004f));
    EXPECT_EQ(bitsOf(curves.points[0][1]), bitsOf(static_cast<float>(double{0.004f} + (double{5.004f} - double{0.004f}) / 32)));
    EXPECT_EQ(bitsOf(curves.points[0][32]), bitsOf(5.004f));
    // A typed end is read as typed.
    fillCurveLine(form, filled, "0", " 5.00");
    customSensorCommand(form, filled, curves, 0, kOk);
    EXPECT_EQ(bitsOf(curves.points[0][0]), bitsOf(0.0f));
    EXPECT_EQ(bitsOf(curves.points[0][32]), bitsOf(5.004f));
}
