// The configuration check's vehicle part: typed panel texts the panel does not read as they
// stand, then the record's fields in panel order.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "document/configuration_check_parts.h"
#include "document/configuration_summary.h"
#include "settings/number_text.h"
#include "settings/vehicle_fields.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/vehicle_settings.h"

namespace check_parts {

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

namespace {

// A number field of the record with its control.
struct NumberField {
    int controlId;
    float VehicleSettings::*value;
};

// The three fields of the fuel system, in panel order.
constexpr int kFuelFields[] = {IDC_CYLINDER_COUNT, IDC_INJECTOR_SIZE, IDC_FUEL_PRESSURE};

std::array<std::int32_t, 3> fuelEntries(const VehicleSettings& v) {
    return {v.cylinderCount, v.injectorSize, v.fuelPressure};
}

// Only a damaged file holds a number field that is not a finite number: the panel reads every
// entry as a finite number.
void addNotFinite(int controlId, float value, Findings& out) {
    out.add(CheckSeverity::Problem, CheckKind::VehicleNotFinite, fieldPlace(controlId),
            std::string(vehicleFieldLabel(controlId)) + " is " + notFiniteWords(value) +
                "; the file is damaged, so enter the value again.");
}

// Gear ratios that are not numbers, then a 0 with a set gear on each side: the display works the
// gear out from the ratios.
void checkGearRatios(const VehicleSettings& v, Findings& out) {
    for (int g = 0; g < 6; ++g)
        if (!std::isfinite(v.gearRatio[g])) addNotFinite(IDC_GEAR_RATIO_FIRST + g, v.gearRatio[g], out);
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
}

// The record's other decimal fields, in panel order.
void checkNumbersAreFinite(const VehicleSettings& v, Findings& out) {
    const NumberField numbers[] = {
        {IDC_FINAL_DRIVE_RATIO, &VehicleSettings::finalDriveRatio},
        {IDC_LOAD_OFFSET, &VehicleSettings::mapOffset},
        {IDC_LOAD_SCALAR, &VehicleSettings::mapScale},
        {IDC_VEHICLE_WEIGHT, &VehicleSettings::vehicleWeight},
        {IDC_DRAG_COEFFICIENT, &VehicleSettings::dragCoefficient},
    };
    for (const NumberField& field : numbers)
        if (!std::isfinite(v.*field.value)) addNotFinite(field.controlId, v.*field.value, out);
}

void checkFinalDrive(const VehicleSettings& v, Findings& out) {
    const bool anyGear = std::any_of(v.gearRatio.begin(), v.gearRatio.end(), [](float r) { return r != 0; });
    if (anyGear && v.finalDriveRatio == 0)
        out.add(CheckSeverity::Problem, CheckKind::FinalDriveZero, fieldPlace(IDC_FINAL_DRIVE_RATIO),
                "Final Drive Ratio is 0 while gear ratios are set, so the display cannot work out "
                "the gear.");
}

// The fields that make the fuel flow factor not a number: those with which a sound value (1) makes
// it finite, in panel order, each with its value; the fuel pressure alone when none does.
// `firstCause` is the control of the first of them.
std::vector<std::string> fuelFlowCauses(const VehicleSettings& v, int& firstCause) {
    const std::array<std::int32_t, 3> values = fuelEntries(v);
    std::vector<std::string> causes;
    firstCause = IDC_FUEL_PRESSURE;
    for (int i = 2; i >= 0; --i) {
        double entries[] = {static_cast<double>(v.cylinderCount), static_cast<double>(v.injectorSize),
                            static_cast<double>(v.fuelPressure)};
        entries[i] = 1;
        if (!std::isfinite(computeFuelFlowFactor(entries[0], static_cast<float>(entries[1]),
                                                 static_cast<float>(entries[2]))))
            continue;
        causes.insert(causes.begin(), std::string(vehicleFieldLabel(kFuelFields[i])) + " (" +
                                          formatInt(values[i]) + ")");
        firstCause = kFuelFields[i];
    }
    if (causes.empty()) causes.push_back(vehicleFieldLabel(IDC_FUEL_PRESSURE));
    return causes;
}

// The fuel system counts as in use once any of its three fields is entered.
void checkFuelSystem(const VehicleSettings& v, Findings& out) {
    if (v.cylinderCount == 0 && v.injectorSize == 0 && v.fuelPressure == 0) return;
    const std::array<std::int32_t, 3> values = fuelEntries(v);
    for (int i = 0; i < 2; ++i)
        if (values[i] == 0)
            out.add(CheckSeverity::Problem, CheckKind::FuelFlowZero, fieldPlace(kFuelFields[i]),
                    std::string(vehicleFieldLabel(kFuelFields[i])) +
                        " is 0, so the display's fuel flow is always 0 or not a number.");
    if (std::isfinite(v.fuelFlowFactor)) return;
    int firstCause = IDC_FUEL_PRESSURE;
    const std::vector<std::string> causes = fuelFlowCauses(v, firstCause);
    out.add(CheckSeverity::Problem, CheckKind::FuelFlowNotFinite, fieldPlace(firstCause),
            "The fuel flow factor sent to the display is not a number because of " + joinWords(causes) +
                "; the fuel pressure must be above 0.");
}

void checkTyres(const VehicleSettings& v, Findings& out) {
    const int tyreFields[] = {IDC_RIM_DIAMETER, IDC_TIRE_WIDTH, IDC_TIRE_ASPECT};
    const std::int32_t* tyreLists[] = {kRimDiameterList, kTireWidthList, kTireAspectList};
    const std::int32_t tyrePositions[] = {v.rimDiameterIndex, v.tireWidthIndex, v.tireAspectIndex};
    for (int i = 0; i < 3; ++i)
        if (vehicleListValue(tyreLists[i], tyrePositions[i]) == 0)
            out.add(CheckSeverity::Problem, CheckKind::TyreNoSelection, fieldPlace(tyreFields[i]),
                    std::string(vehicleFieldLabel(tyreFields[i])) +
                        " has no selection, so it counts as 0 and the speed shown is wrong.");
}

void checkRevMeterRange(const VehicleSettings& v, Findings& out) {
    if (v.revMeterRpmLow >= v.revMeterRpmHigh)
        out.add(CheckSeverity::Problem, CheckKind::RpmRangeReversed, fieldPlace(IDC_REV_METER_RPM_LOW),
                "RPM Low Range (" + formatInt(v.revMeterRpmLow) + ") is not below RPM High Range (" +
                    formatInt(v.revMeterRpmHigh) + "), so the external rev meter cannot show the revs.");
}

}  // namespace

// The record's fields, their findings in panel order.
void checkVehicle(const VehicleSettings& v, Findings& out) {
    checkGearRatios(v, out);
    checkNumbersAreFinite(v, out);
    checkFinalDrive(v, out);
    checkFuelSystem(v, out);
    checkTyres(v, out);
    checkRevMeterRange(v, out);
}

}  // namespace check_parts
