#include "document/configuration_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "document/configuration.h"
#include "document/configuration_summary.h"
#include "layout/gauge_catalog.h"
#include "profiles/engine_unit_profiles.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/number_text.h"
#include "settings/vehicle_fields.h"
#include "settings/vehicle_settings.h"

namespace {

// A point counts as a likely typo when it is this many times further off the line of its
// neighbours than those two differ, than any point away from it is off its own, and than any
// step of the curve away from it.
constexpr double kTypoFactor = 4.0;

std::string curveNumber(double value) { return formatFixed(value, 1, 2); }
std::string voltsText(int point) { return formatFixed(point * kCurveStepVolts, 1, 2) + " V"; }

std::string gaugeName(std::uint32_t gaugeId) {
    const GaugeDefinition* definition = findGaugeDefinition(gaugeId);
    return definition ? definition->name : std::string();
}

std::string pageName(int page) { return "page " + std::to_string(page + 1); }

std::string joinWords(const std::vector<std::string>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text += i + 1 == words.size() ? " and " : ", ";
        text += words[i];
    }
    return text;
}

class Findings {
public:
    void add(CheckSeverity severity, CheckKind kind, const CheckPlace& place, std::string text) {
        list.push_back(CheckFinding{severity, kind, place, std::move(text)});
    }
    std::vector<CheckFinding> list;
};

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

// --- Gauges -------------------------------------------------------------------------------

void checkGauges(const Configuration& config, Findings& out) {
    const CustomSensorCurves startupCurves = startupCustomSensorCurves();
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& frame = config.directory.pages[page];
        const int used = usedSlotCount(frame);
        for (int slot = 0; slot < used; ++slot) {
            const GaugePlacement& gauge = config.layout.slots[page][slot];
            const CheckPlace place = gaugePlace(page, slot, gauge.gaugeId);
            if (!findGaugeDefinition(gauge.gaugeId)) {
                char id[16];
                std::snprintf(id, sizeof id, "0x%04X", gauge.gaugeId);
                out.add(CheckSeverity::Problem, CheckKind::GaugeUnknown, place,
                        "This gauge's identifier " + std::string(id) +
                            " is not in the catalog, so it is left out of the upload and shows "
                            "nothing.");
            }
            if (!placementInsideFrame(gauge, frame))
                out.add(CheckSeverity::Problem, CheckKind::GaugeOffPage, place,
                        "This gauge reaches past the edge of " + pageName(page) +
                            ", so the display cuts it off.");
            for (int other = 0; other < slot; ++other) {
                if (!placementsOverlap(gauge, config.layout.slots[page][other])) continue;
                out.add(CheckSeverity::Problem, CheckKind::GaugeOverlap, place,
                        "This gauge covers gauge " + std::to_string(other + 1) + " of " +
                            pageName(page) + ", so the display draws one over the other.");
            }
            const int sensor = customSensorOfGauge(gauge.gaugeId);
            if (sensor >= 0 && std::equal(std::begin(config.curves.points[sensor]),
                                          std::end(config.curves.points[sensor]),
                                          std::begin(startupCurves.points[sensor])))
                out.add(CheckSeverity::Note, CheckKind::CustomGaugeStartupCurve, place,
                        "Custom Sensor " + std::to_string(sensor + 1) +
                            "'s curve is still the start-up line, so this gauge shows " +
                            (sensor == 1 ? "the input as a percentage of 5 V" : "the input voltage") +
                            " until the curve is set up.");
        }
    }
}

// --- Vehicle ------------------------------------------------------------------------------

struct NumberField {
    int controlId;
    float VehicleSettings::*value;
};

// Typed texts that the panel does not read as they stand: what is saved and sent is not what the
// user sees. The value is named as the panel shows it once filled from the record.
void checkTypedTexts(const VehicleSettings& v, const std::vector<PanelText>& typed, Findings& out) {
    if (typed.empty()) return;
    const std::vector<PanelText> saved = savedPanelTexts(v);
    for (int i = 0; i < kVehicleFieldCount; ++i) {
        const VehicleField& field = kVehicleFields[i];
        const auto entry = std::find_if(typed.begin(), typed.end(),
                                        [&](const PanelText& t) { return t.label == field.label; });
        if (isListField(field) || entry == typed.end() || panelReadsAsTyped(field.controlId, entry->text)) continue;
        std::string value = saved[static_cast<std::size_t>(i)].text;
        value.erase(0, std::min(value.find_first_not_of(' '), value.size()));  // "%5.0f" pads
        const char* advice = panelEditIsInteger(field.controlId)
                                 ? "a whole number, at most 9 characters."
                                 : "a number, at most 9 characters, with a point for decimals.";
        out.add(CheckSeverity::Problem, CheckKind::VehicleTextMisread, fieldPlace(field.controlId),
                std::string(field.label) + " shows \"" + entry->text + "\" but is read as " + value +
                    ", the value that is saved and sent to the display; type only " + advice);
    }
}

void checkVehicle(const VehicleSettings& v, Findings& out) {
    // Only a damaged file holds these: the panel reads every entry as a finite number.
    const NumberField numbers[] = {
        {IDC_FINAL_DRIVE_RATIO, &VehicleSettings::finalDriveRatio},
        {IDC_LOAD_OFFSET, &VehicleSettings::mapOffset},
        {IDC_LOAD_SCALAR, &VehicleSettings::mapScale},
        {IDC_VEHICLE_WEIGHT, &VehicleSettings::vehicleWeight},
        {IDC_DRAG_COEFFICIENT, &VehicleSettings::dragCoefficient},
    };
    const auto notFinite = [&](int controlId) {
        out.add(CheckSeverity::Problem, CheckKind::VehicleNotFinite, fieldPlace(controlId),
                std::string(vehicleFieldLabel(controlId)) +
                    " is not a number; the file is damaged, so enter the value again.");
    };

    bool anyGear = false;
    for (int g = 0; g < 6; ++g) {
        if (!std::isfinite(v.gearRatio[g])) notFinite(IDC_GEAR_RATIO_FIRST + g);
        if (v.gearRatio[g] != 0) anyGear = true;
    }
    // A 0 with a set gear on each side: the display works the gear out from the ratios.
    for (int g = 1; g < 5; ++g) {
        if (v.gearRatio[g] != 0) continue;
        const bool setBelow = std::any_of(v.gearRatio.begin(), v.gearRatio.begin() + g,
                                          [](float r) { return r != 0; });
        const bool setAbove = std::any_of(v.gearRatio.begin() + g + 1, v.gearRatio.end(),
                                          [](float r) { return r != 0; });
        if (setBelow && setAbove)
            out.add(CheckSeverity::Problem, CheckKind::GearRatioGap,
                    fieldPlace(IDC_GEAR_RATIO_FIRST + g),
                    std::string(vehicleFieldLabel(IDC_GEAR_RATIO_FIRST + g)) +
                        " is 0 between gears that are set, so the display will show the wrong gear.");
    }
    for (const NumberField& field : numbers)
        if (!std::isfinite(v.*field.value)) notFinite(field.controlId);
    if (anyGear && v.finalDriveRatio == 0)
        out.add(CheckSeverity::Problem, CheckKind::FinalDriveZero, fieldPlace(IDC_FINAL_DRIVE_RATIO),
                "Final Drive Ratio is 0 while gear ratios are set, so the display cannot work out "
                "the gear.");

    // The fuel system counts as in use once any of its three fields is entered.
    const int fuelFields[] = {IDC_CYLINDER_COUNT, IDC_INJECTOR_SIZE, IDC_FUEL_PRESSURE};
    const std::int32_t fuelValues[] = {v.cylinderCount, v.injectorSize, v.fuelPressure};
    if (v.cylinderCount != 0 || v.injectorSize != 0 || v.fuelPressure != 0) {
        for (int i = 0; i < 2; ++i)
            if (fuelValues[i] == 0)
                out.add(CheckSeverity::Problem, CheckKind::FuelFlowZero, fieldPlace(fuelFields[i]),
                        std::string(vehicleFieldLabel(fuelFields[i])) +
                            " is 0, so the display's fuel flow is always 0 or not a number.");
        if (!std::isfinite(v.fuelFlowFactor)) {
            // The fields that cause it: those with which a sound value (1) makes the factor finite.
            std::vector<std::string> causes;
            int firstCause = IDC_FUEL_PRESSURE;
            for (int i = 2; i >= 0; --i) {
                double entries[] = {static_cast<double>(v.cylinderCount), static_cast<double>(v.injectorSize),
                                    static_cast<double>(v.fuelPressure)};
                entries[i] = 1;
                if (!std::isfinite(computeFuelFlowFactor(entries[0], static_cast<float>(entries[1]),
                                                         static_cast<float>(entries[2]))))
                    continue;
                causes.insert(causes.begin(), std::string(vehicleFieldLabel(fuelFields[i])) + " (" +
                                                  formatInt(fuelValues[i]) + ")");
                firstCause = fuelFields[i];
            }
            if (causes.empty()) causes.push_back(vehicleFieldLabel(IDC_FUEL_PRESSURE));
            out.add(CheckSeverity::Problem, CheckKind::FuelFlowNotFinite, fieldPlace(firstCause),
                    "The fuel flow factor sent to the display is not a number because of " +
                        joinWords(causes) + "; the fuel pressure must be above 0.");
        }
    }

    const int tyreFields[] = {IDC_RIM_DIAMETER, IDC_TIRE_WIDTH, IDC_TIRE_ASPECT};
    const std::int32_t* tyreLists[] = {kRimDiameterList, kTireWidthList, kTireAspectList};
    const std::int32_t tyrePositions[] = {v.rimDiameterIndex, v.tireWidthIndex, v.tireAspectIndex};
    for (int i = 0; i < 3; ++i)
        if (vehicleListValue(tyreLists[i], tyrePositions[i]) == 0)
            out.add(CheckSeverity::Problem, CheckKind::TyreNoSelection, fieldPlace(tyreFields[i]),
                    std::string(vehicleFieldLabel(tyreFields[i])) +
                        " has no selection, so it counts as 0 and the speed shown is wrong.");

    if (v.revMeterRpmLow >= v.revMeterRpmHigh)
        out.add(CheckSeverity::Problem, CheckKind::RpmRangeReversed, fieldPlace(IDC_REV_METER_RPM_LOW),
                "RPM Low Range (" + formatInt(v.revMeterRpmLow) + ") is not below RPM High Range (" +
                    formatInt(v.revMeterRpmHigh) + "), so the external rev meter cannot show the revs.");
}

// --- Curves -------------------------------------------------------------------------------

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
    for (int k = 0; k < kCurvePointCount; ++k) {
        if (std::isfinite(points[k])) continue;
        out.add(CheckSeverity::Problem, CheckKind::CurveNotFinite, curvePlace(sensor, k),
                name + " at " + voltsText(k) + " is not a number; the file is damaged, so enter the "
                                               "point again.");
        return;
    }
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

// --- Warnings -----------------------------------------------------------------------------

void checkWarnings(const Configuration& config, Findings& out) {
    const EngineUnitProfile unitProfile = defaultEngineUnitProfiles().profiles[0];
    for (int w = 0; w < kWarningCount; ++w) {
        const std::string name = "Warning " + std::to_string(w + 1);
        int parameters[kRowsPerWarning];
        for (int r = 0; r < kRowsPerWarning; ++r) {
            const WarningRow& row = config.warnings.rows[warningRowIndex(w, r)];
            parameters[r] = row.parameter;
            const CheckPlace place = warningPlace(w, r);
            const bool hasCondition = row.condition == 1 || row.condition == 2;
            if (row.parameter == 0) {
                if (hasCondition)
                    out.add(CheckSeverity::Problem, CheckKind::WarningNoParameter, place,
                            name + " has a condition in row " + std::to_string(r + 1) +
                                " but no parameter, so that row tests nothing.");
                continue;
            }
            if (row.parameter < 1 || row.parameter > kChannelCount) {
                out.add(CheckSeverity::Problem, CheckKind::WarningUnknownChannel, place,
                        name + " tests parameter " + formatInt(row.parameter) +
                            ", which names no channel, so the warning is never active.");
                continue;
            }
            const std::string channel = channelKey(row.parameter - 1);
            const std::optional<UnitPair> units = warningUnitPair(row.parameter, unitProfile);
            if (!hasCondition)
                out.add(CheckSeverity::Problem, CheckKind::WarningNoCondition, place,
                        name + " tests " + channel + " without a condition (> or <), so the display "
                                                     "cannot tell when to warn.");
            if (!std::isfinite(row.value))
                out.add(CheckSeverity::Problem, CheckKind::WarningValueNotFinite, place,
                        name + " compares " + channel + " with a value that is not a number, so it "
                                                        "never goes off.");
            if (units && row.unit != 0 && row.unit != 1)
                out.add(CheckSeverity::Problem, CheckKind::WarningUnitNotInPair, place,
                        name + " has no unit for " + channel + " (it takes " + units->first + " or " +
                            units->second + "), so the threshold is read in the wrong unit.");
        }

        // The pages as the upload derives them from the layout. A parameter that names no channel
        // has its own finding, which already says the warning is never active.
        bool tests = false;
        bool unknown = false;
        bool active = false;
        for (int parameter : parameters) {
            tests = tests || (parameter >= 1 && parameter <= kChannelCount);
            unknown = unknown || (parameter != 0 && (parameter < 1 || parameter > kChannelCount));
        }
        for (int page = 0; page < kPageCount; ++page)
            active = active || warningShownOnPage(parameters, config.layout, config.directory, page);
        if (!tests || unknown || active) continue;
        // Which tested channel is missing where: first the channels on no page at all, else the
        // pages that show some of them and what each lacks.
        std::vector<std::string> onNoPage;
        int firstRow = -1;
        for (int r = 0; r < kRowsPerWarning; ++r) {
            if (parameters[r] < 1 || parameters[r] > kChannelCount) continue;
            const int channel = parameters[r] - 1;
            bool shown = false;
            for (int page = 0; page < kPageCount; ++page)
                shown = shown || pageShowsChannel(config.layout, config.directory, page, channel);
            if (shown) continue;
            const std::string key = channelKey(channel);
            if (std::find(onNoPage.begin(), onNoPage.end(), key) != onNoPage.end()) continue;
            onNoPage.push_back(key);
            if (firstRow < 0) firstRow = r;
        }
        std::string why;
        if (!onNoPage.empty()) {
            why = "no page shows " + joinWords(onNoPage) + "; place a gauge of it on the page "
                  "where the warning should show.";
        } else {
            std::vector<std::string> lacks;
            for (int page = 0; page < kPageCount; ++page) {
                std::vector<std::string> missing;
                bool showsSome = false;
                for (int r = 0; r < kRowsPerWarning; ++r) {
                    if (parameters[r] < 1 || parameters[r] > kChannelCount) continue;
                    const std::string key = channelKey(parameters[r] - 1);
                    if (pageShowsChannel(config.layout, config.directory, page, parameters[r] - 1))
                        showsSome = true;
                    else if (std::find(missing.begin(), missing.end(), key) == missing.end())
                        missing.push_back(key);
                    if (firstRow < 0 && !missing.empty()) firstRow = r;
                }
                if (showsSome) lacks.push_back(pageName(page) + " lacks " + joinWords(missing));
            }
            why = "no page shows every channel it tests (" + joinWords(lacks) + ").";
        }
        out.add(CheckSeverity::Problem, CheckKind::WarningNeverActive, warningPlace(w, std::max(firstRow, 0)),
                name + " can never be active: " + why);
    }
}

}  // namespace

std::vector<CheckFinding> checkConfiguration(const Configuration& config, const std::vector<PanelText>& typed) {
    Findings out;
    checkGauges(config, out);
    checkTypedTexts(config.vehicle, typed, out);
    checkVehicle(config.vehicle, out);
    for (int sensor = 0; sensor < kCustomSensorCount; ++sensor)
        checkCurve(config.curves.points[sensor], sensor, out);
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
               (place.point >= 0 ? ", point " + std::to_string(place.point + 1) + " (" + voltsText(place.point) + ")"
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
