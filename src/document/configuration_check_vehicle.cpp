// The configuration check's vehicle part: typed panel texts the panel does not read as they
// stand, then the record's fields in panel order.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "document/configuration_check_parts.h"
#include "document/configuration_summary.h"
#include "settings/number_text.h"
#include "settings/vehicle_fields.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/vehicle_settings.h"

namespace check_parts {

namespace {

struct NumberField {
    int controlId;
    float VehicleSettings::*value;
};

}  // namespace

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

}  // namespace check_parts
