// The configuration check's curves part: each custom sensor's curve, point by point.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "document/configuration_check_parts.h"
#include "document/configuration_summary.h"
#include "settings/custom_sensor_curves.h"
#include "settings/number_text.h"

namespace check_parts {

namespace {

// A point counts as a likely typo when it is this many times further off the line of its
// neighbours than those two differ, than any point away from it is off its own, and than any
// step of the curve away from it.
constexpr double kTypoFactor = 4.0;

// A float's value has about seven significant digits: beyond seven whole digits the fixed form
// shows only the binary value's noise (1e30 would take 34 characters), so a value that large is
// given as its shortest exact text ("1e+30").
constexpr double kFixedCurveNumberLimit = 1e7;

std::string curveNumber(float value) {
    return std::fabs(value) < kFixedCurveNumberLimit ? formatFixed(value, 1, 2) : shortestNumber(value);
}

// How far point k is off the line its neighbours give (the end points: the line of the two
// points next to them).
double offLine(const float (&p)[kCurvePointCount], int k) {
    double expected;
    if (k == 0) expected = 2.0 * p[1] - p[2];
    else if (k == kCurvePointCount - 1) expected = 2.0 * p[k - 1] - p[k - 2];
    else expected = (static_cast<double>(p[k - 1]) + p[k + 1]) / 2;
    return std::fabs(p[k] - expected);
}

// The one point that leaves the line of its neighbours by far more than the two points of that
// line differ, than every point away from it (two or more points off) and than every step of the
// curve away from it; -1 for none.
int likelyTypo(const float (&p)[kCurvePointCount]) {
    int worst = 0;
    for (int k = 1; k < kCurvePointCount; ++k)
        if (offLine(p, k) > offLine(p, worst)) worst = k;
    const double off = offLine(p, worst);
    if (off == 0) return -1;
    // A slip of the keyboard moves one point while the two that draw its line agree. Where they
    // differ by a fair part of how far it is off, the curve itself steps there (a switch, a
    // clamped end): that is its shape.
    const int a = worst == 0 ? 1 : worst - 1;
    const int b = worst == 0 ? 2 : worst == kCurvePointCount - 1 ? worst - 2 : worst + 1;
    if (off <= kTypoFactor * std::fabs(static_cast<double>(p[a]) - p[b])) return -1;
    double rest = 0;
    for (int k = 0; k < kCurvePointCount; ++k) {
        if (std::abs(k - worst) < 2) continue;
        rest = std::max(rest, offLine(p, k));
        if (k + 1 < kCurvePointCount && std::abs(k + 1 - worst) >= 2)
            rest = std::max(rest, std::fabs(static_cast<double>(p[k + 1]) - p[k]));
    }
    return off > kTypoFactor * rest ? worst : -1;
}

void checkCurve(const float (&points)[kCurvePointCount], int sensor, Findings& out) {
    const std::string name = "Custom Sensor " + std::to_string(sensor + 1);
    // Every point that is not a finite number has a finding of its own; the curve's shape says
    // nothing while one is there.
    bool allFinite = true;
    for (int k = 0; k < kCurvePointCount; ++k) {
        if (std::isfinite(points[k])) continue;
        out.add(CheckSeverity::Problem, CheckKind::CurveNotFinite, curvePlace(sensor, k),
                name + " at " + voltsText(k) + " is " + notFiniteWords(points[k]) +
                    "; the file is damaged, so enter the point again.");
        allFinite = false;
    }
    if (!allFinite) return;
    float p[kCurvePointCount];
    std::copy(std::begin(points), std::end(points), p);
    const int typo = likelyTypo(p);
    if (typo >= 0) {
        std::vector<std::string> neighbours;
        for (int k : {typo - 1, typo + 1})
            if (k >= 0 && k < kCurvePointCount)
                neighbours.push_back(curveNumber(p[k]) + " at " + voltsText(k));
        out.add(CheckSeverity::Problem, CheckKind::CurveTypo, curvePlace(sensor, typo),
                name + " reads " + curveNumber(p[typo]) + " at " + voltsText(typo) +
                    ", far off the line of its neighbours (" + joinWords(neighbours) +
                    "); likely a typo.");
        // The rest of the curve is judged as if the point lay on that line.
        if (typo == 0) p[0] = 2 * p[1] - p[2];
        else if (typo == kCurvePointCount - 1) p[typo] = 2 * p[typo - 1] - p[typo - 2];
        else p[typo] = (p[typo - 1] + p[typo + 1]) / 2;
    }
    // The curve's direction is that of its first step that is not flat; the first step against it
    // is where it turns.
    int direction = 0;
    for (int k = 1; k < kCurvePointCount; ++k) {
        const int step = (p[k] > p[k - 1]) - (p[k] < p[k - 1]);
        if (step == 0) continue;
        if (direction == 0) {
            direction = step;
        } else if (step != direction) {
            out.add(CheckSeverity::Note, CheckKind::CurveNotMonotonic, curvePlace(sensor, k),
                    name + (direction > 0 ? " rises, then falls" : " falls, then rises") + " at " +
                        voltsText(k) + " (" + curveNumber(p[k - 1]) + " to " + curveNumber(p[k]) +
                        "), so two voltages show the same value.");
            return;
        }
    }
}

}  // namespace

void checkCurves(const CustomSensorCurves& curves, Findings& out) {
    for (int sensor = 0; sensor < kCustomSensorCount; ++sensor)
        checkCurve(curves.points[sensor], sensor, out);
}

}  // namespace check_parts
