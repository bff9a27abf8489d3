#include <gtest/gtest.h>

#include <limits>

#include "settings/curve_plot.h"
#include "settings/number_text.h"

namespace {

// Sensor 1's start texts: " 0.00", " 0.16" ... " 5.00".
CurvePointTexts startTexts() {
    CurvePointTexts texts;
    for (int k = 0; k < kCurvePointCount; ++k) texts[k] = formatFixed(k * 0.15625, 5, 2);
    return texts;
}

}  // namespace

TEST(CurvePlot, ATypoIsMarkedAndStandsAtTheValueTheUploadWouldSend) {
    struct Case {
        const char* text;
        float value;
        bool asTyped;
    };
    const Case cases[] = {
        {" 2.50", 2.5f, true},         {"1..5", 1.0f, false},        {"2,5", 2.0f, false},
        {"", 0.0f, false},             {"3.5v", 3.5f, false},        {"123456789", 123456789.0f, true},
        {"1.23456789", 1.2345678f, false},  // the 9-character read cuts it
        {"1234567.50", 1234567.5f, true},   // the cut only drops a trailing zero
        {"1e39", std::numeric_limits<float>::infinity(), false},
    };
    for (const Case& c : cases) {
        const CurvePointReading reading = readCurvePoint(c.text);
        EXPECT_EQ(reading.value, c.value) << "case \"" << c.text << "\"";
        EXPECT_EQ(reading.asTyped, c.asTyped) << "case \"" << c.text << "\"";
    }
}

TEST(CurvePlot, PointsSpanTheAreaFromLowestAtTheBottomToHighestAtTheTop) {
    CurvePointTexts texts = startTexts();
    texts[10] = "-2..5";  // sends -2: the lowest value
    texts[20] = " 7.00";
    const CurvePlot plot = plotCurve(texts);
    EXPECT_EQ(plot.lowest, -2.0);
    EXPECT_EQ(plot.highest, 7.0);
    EXPECT_EQ(plot.lowestLabel, "-2.00");
    EXPECT_EQ(plot.highestLabel, "7.00");
    for (int k = 0; k < kCurvePointCount; ++k) EXPECT_EQ(plot.points[k].asTyped, k != 10) << "point " << k;

    const PlotArea area{40, 10, 360, 190};
    const auto pixels = placeCurvePoints(plot, area);
    EXPECT_EQ(pixels[0].x, 40);
    EXPECT_EQ(pixels[16].x, 200);
    EXPECT_EQ(pixels[32].x, 360);
    EXPECT_EQ(pixels[10].y, 190);
    EXPECT_EQ(pixels[20].y, 10);
    EXPECT_EQ(pixels[0].y, 150);  // 0 is 2/9 of the way up from -2 to 7
}

TEST(CurvePlot, FlatAndInfiniteCurvesStayInsideTheArea) {
    CurvePointTexts texts;
    texts.fill("4");
    texts[5] = "1e39";
    texts[6] = "-1e39";
    const CurvePlot plot = plotCurve(texts);
    EXPECT_EQ(plot.lowest, 4.0);
    EXPECT_EQ(plot.highest, 4.0);
    const auto pixels = placeCurvePoints(plot, PlotArea{0, 0, 320, 100});
    EXPECT_EQ(pixels[0].y, 50);
    EXPECT_EQ(pixels[5].y, 0);
    EXPECT_EQ(pixels[6].y, 100);

    // The largest floats apart: the span is taken in double, so nothing overflows.
    texts[0] = "-3.4e38";
    texts[1] = "3.4e38";
    const auto wide = placeCurvePoints(plotCurve(texts), PlotArea{0, 0, 320, 100});
    EXPECT_EQ(wide[0].y, 100);
    EXPECT_EQ(wide[1].y, 0);
    EXPECT_EQ(wide[2].y, 50);
}

TEST(CurvePlot, LabelsUseTwoDecimalsOrAPowerOfTen) {
    EXPECT_EQ(plotLabel(100.0), "100.00");
    EXPECT_EQ(plotLabel(-3.5), "-3.50");
    EXPECT_EQ(plotLabel(25000000.0), "2.50e7");
    EXPECT_EQ(plotLabel(-9999999.0), "-1.00e7");
    EXPECT_EQ(plotLabel(3.4e38), "3.40e38");
}
