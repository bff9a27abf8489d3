#include "settings/curve_plot.h"

#include <algorithm>
#include <cmath>

#include "settings/number_text.h"

std::string plotLabel(double value) {
    if (std::fabs(value) < 1e6) return formatFixed(value, 0, 2);
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    std::string mantissa = formatFixed(value / std::pow(10.0, exponent), 0, 2);
    // 9.999e6 rounds to "10.00": carry into the exponent.
    if (mantissa == "10.00" || mantissa == "-10.00") {
        ++exponent;
        mantissa = formatFixed(value / std::pow(10.0, exponent), 0, 2);
    }
    return mantissa + "e" + std::to_string(exponent);
}

namespace {

// The value axis from the points' finite values.
void setValueAxis(CurvePlot& plot) {
    bool any = false;
    for (const CurvePointReading& point : plot.points) {
        const double value = point.value;
        if (!std::isfinite(value)) continue;
        plot.lowest = any ? std::min(plot.lowest, value) : value;
        plot.highest = any ? std::max(plot.highest, value) : value;
        any = true;
    }
    plot.lowestLabel = plotLabel(plot.lowest);
    plot.highestLabel = plotLabel(plot.highest);
}

}  // namespace

CurvePlot plotCurve(const CurvePointTexts& texts) {
    CurvePlot plot;
    for (int k = 0; k < kCurvePointCount; ++k) plot.points[k] = readCurvePoint(texts[k]);
    setValueAxis(plot);
    return plot;
}

CurvePlot plotCurveValues(const float (&values)[kCurvePointCount]) {
    CurvePlot plot;
    for (int k = 0; k < kCurvePointCount; ++k) plot.points[k] = CurvePointReading{values[k], true};
    setValueAxis(plot);
    return plot;
}

std::array<PlotPixel, kCurvePointCount> placeCurvePoints(const CurvePlot& plot, const PlotArea& area) {
    std::array<PlotPixel, kCurvePointCount> pixels;
    const double width = area.right - area.left;
    const double height = area.bottom - area.top;
    // In double: float values from -3e38 to 3e38 span more than a float holds.
    const double span = plot.highest - plot.lowest;
    for (int k = 0; k < kCurvePointCount; ++k) {
        const double value = plot.points[k].value;
        double up = 0.5;  // the share of the height above the bottom edge
        if (std::isinf(value)) up = value > 0 ? 1.0 : 0.0;
        else if (span > 0) up = (value - plot.lowest) / span;
        pixels[k].x = area.left + static_cast<int>(std::lround(width * k / (kCurvePointCount - 1)));
        pixels[k].y = area.bottom - static_cast<int>(std::lround(height * up));
    }
    return pixels;
}
