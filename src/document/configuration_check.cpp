#include "document/configuration_check.h"

#include <algorithm>
#include <cmath>

#include "document/configuration.h"
#include "document/configuration_check_parts.h"
#include "layout/gauge_catalog.h"
#include "settings/number_text.h"
#include "settings/vehicle_fields.h"

// The checkers themselves stand in a file each (configuration_check_layout.cpp, _vehicle,
// _curves, _warnings); this file runs them and says what they found.

namespace check_parts {

std::string voltsText(int point) { return formatFixed(point * kCurveStepVolts, 1, 2) + " V"; }

std::string pageName(int page) { return "page " + std::to_string(page + 1); }

std::string notFiniteWords(float value) {
    if (std::isnan(value)) return "not a number";
    return value > 0 ? "infinity" : "minus infinity";
}

std::string joinWords(const std::vector<std::string>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text += i + 1 == words.size() ? " and " : ", ";
        text += words[i];
    }
    return text;
}

CheckPlace gaugePlace(int page, int slot, std::uint32_t gaugeId) {
    CheckPlace place;
    place.kind = CheckPlaceKind::Gauge;
    place.page = page;
    place.slot = slot;
    place.gaugeId = gaugeId;
    return place;
}

CheckPlace fieldPlace(int controlId) {
    CheckPlace place;
    place.kind = CheckPlaceKind::VehicleField;
    place.controlId = controlId;
    place.label = vehicleFieldLabel(controlId);
    return place;
}

CheckPlace curvePlace(int sensor, int point) {
    CheckPlace place;
    place.kind = CheckPlaceKind::CurvePoint;
    place.sensor = sensor;
    place.point = point;
    return place;
}

CheckPlace warningPlace(int warning, int row) {
    CheckPlace place;
    place.kind = CheckPlaceKind::Warning;
    place.warning = warning;
    place.row = row;
    return place;
}

}  // namespace check_parts

namespace {

std::string gaugeName(std::uint32_t gaugeId) {
    const GaugeDefinition* definition = findGaugeDefinition(gaugeId);
    return definition ? definition->name : std::string();
}

}  // namespace

std::vector<CheckFinding> checkConfiguration(const Configuration& config, const std::vector<PanelText>& typed) {
    using namespace check_parts;
    Findings out;
    checkGauges(config, out);
    checkTypedTexts(config.vehicle, typed, out);
    checkVehicle(config.vehicle, out);
    checkCurves(config.curves, out);
    checkWarnings(config, out);
    return out.list;
}

int problemCount(const std::vector<CheckFinding>& findings) {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const CheckFinding& f) {
        return f.severity == CheckSeverity::Problem;
    }));
}

std::string checkSeverityText(CheckSeverity severity) {
    return severity == CheckSeverity::Problem ? "problem" : "note";
}

std::string checkKindKey(CheckKind kind) {
    switch (kind) {
    case CheckKind::WarningNeverActive: return "warning-never-active";
    case CheckKind::WarningUnknownChannel: return "warning-unknown-channel";
    case CheckKind::WarningNoCondition: return "warning-no-condition";
    case CheckKind::WarningNoParameter: return "warning-no-parameter";
    case CheckKind::WarningValueNotFinite: return "warning-value-not-finite";
    case CheckKind::WarningUnitNotInPair: return "warning-unit-not-in-pair";
    case CheckKind::CurveNotFinite: return "curve-not-finite";
    case CheckKind::CurveTypo: return "curve-typo";
    case CheckKind::CurveNotMonotonic: return "curve-not-monotonic";
    case CheckKind::CustomGaugeStartupCurve: return "custom-gauge-startup-curve";
    case CheckKind::GearRatioGap: return "gear-ratio-gap";
    case CheckKind::FinalDriveZero: return "final-drive-zero";
    case CheckKind::RpmRangeReversed: return "rpm-range-reversed";
    case CheckKind::FuelFlowNotFinite: return "fuel-flow-not-finite";
    case CheckKind::FuelFlowZero: return "fuel-flow-zero";
    case CheckKind::TyreNoSelection: return "tyre-no-selection";
    case CheckKind::VehicleNotFinite: return "vehicle-not-finite";
    case CheckKind::VehicleTextMisread: return "vehicle-text-misread";
    case CheckKind::GaugeUnknown: return "gauge-unknown";
    case CheckKind::GaugeOffPage: return "gauge-off-page";
    case CheckKind::GaugeOverlap: return "gauge-overlap";
    }
    return "";
}

std::string checkPlaceText(const CheckPlace& place) {
    switch (place.kind) {
    case CheckPlaceKind::Gauge: {
        const std::string name = gaugeName(place.gaugeId);
        return "Page " + std::to_string(place.page + 1) + ", gauge " + std::to_string(place.slot + 1) +
               (name.empty() ? std::string() : " (" + name + ")");
    }
    case CheckPlaceKind::VehicleField: return place.label;
    case CheckPlaceKind::CurvePoint:
        return "Custom Sensor " + std::to_string(place.sensor + 1) +
               (place.point >= 0 ? ", point " + std::to_string(place.point + 1) + " (" + check_parts::voltsText(place.point) + ")"
                                 : std::string());
    case CheckPlaceKind::Warning:
        return "Warning " + std::to_string(place.warning + 1) + ", row " + std::to_string(place.row + 1);
    }
    return "";
}

std::string checkFindingLine(const CheckFinding& finding) {
    std::string severity = checkSeverityText(finding.severity);
    severity[0] = static_cast<char>(severity[0] - 'a' + 'A');
    return severity + ": " + checkPlaceText(finding.place) + ": " + finding.text;
}

std::string problemsFoundText(int problems) {
    return std::to_string(problems) + (problems == 1 ? " problem found" : " problems found");
}

std::string checkSummaryText(const std::vector<CheckFinding>& findings) {
    const int problems = problemCount(findings);
    const int notes = static_cast<int>(findings.size()) - problems;
    std::string text = problems == 0 ? std::string("No problems found") : problemsFoundText(problems);
    if (notes > 0) text += ", " + std::to_string(notes) + (notes == 1 ? " note" : " notes");
    return text + ".";
}
