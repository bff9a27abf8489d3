#pragma once
// The picture of a custom sensor curve beside its fields: volts across, value up, the value axis
// labelled with the lowest and highest value, the 33 points joined. Each point stands at the
// value the upload would send for its field's text; a field whose text is not that number (a
// typo, trailing characters, a cut) is marked so that it stands out.
#include <array>
#include <string>

#include "settings/curve_point_text.h"

struct CurvePlot {
    std::array<CurvePointReading, kCurvePointCount> points;
    // The value axis: the lowest and highest finite value (0 and 0 when there is none).
    double lowest = 0;
    double highest = 0;
    std::string lowestLabel;
    std::string highestLabel;
};

CurvePlot plotCurve(const CurvePointTexts& texts);
// The same picture of a curve's stored values, every point as typed.
CurvePlot plotCurveValues(const float (&values)[kCurvePointCount]);

// A rectangle of pixels, edges included; y grows downwards.
struct PlotArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct PlotPixel {
    int x = 0;
    int y = 0;
};

// Where each point goes: point k at k/32 of the width; the lowest value on the bottom edge, the
// highest on the top edge; a flat curve across the middle; an infinite value on the edge it
// points to.
std::array<PlotPixel, kCurvePointCount> placeCurvePoints(const CurvePlot& plot, const PlotArea& area);

// An axis label: two decimals, or a power of ten for values from a million up.
std::string plotLabel(double value);
