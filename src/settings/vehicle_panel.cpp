#include "settings/vehicle_panel.h"

#include <cmath>
#include <string>

#include "profiles/engine_unit_profiles.h"
#include "platform/form_controls.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/com_port_list.h"
#include "settings/filling_controls.h"
#include "settings/number_text.h"
#include "settings/vehicle_settings.h"

const VehiclePanelField kVehiclePanelFields[kVehiclePanelFieldCount] = {
    {"1st Gear Ratio", IDC_GEAR_RATIO_FIRST, false},
    {"2nd Gear Ratio", IDC_GEAR_RATIO_FIRST + 1, false},
    {"3rd Gear Ratio", IDC_GEAR_RATIO_FIRST + 2, false},
    {"4th Gear Ratio", IDC_GEAR_RATIO_FIRST + 3, false},
    {"5th Gear Ratio", IDC_GEAR_RATIO_FIRST + 4, false},
    {"6th Gear Ratio", IDC_GEAR_RATIO_FIRST + 5, false},
    {"Final Drive Ratio", IDC_FINAL_DRIVE_RATIO, false},
    {"Load Offset", IDC_LOAD_OFFSET, false},
    {"Load Scalar", IDC_LOAD_SCALAR, false},
    {"Number of Cylinders", IDC_CYLINDER_COUNT, false},
    {"Injector Size (CC)", IDC_INJECTOR_SIZE, false},
    {"Static Fuel Pressure (PSI)", IDC_FUEL_PRESSURE, false},
    {"Rim Diameter (in)", IDC_RIM_DIAMETER, true},
    {"Tire Width", IDC_TIRE_WIDTH, true},
    {"Tire Aspect", IDC_TIRE_ASPECT, true},
    {"Vehicle Weight (lbs)", IDC_VEHICLE_WEIGHT, false},
    {"Drag Coefficient", IDC_DRAG_COEFFICIENT, false},
    {"Com Port", IDC_COM_PORT, true},
    {"RPM Low Range", IDC_REV_METER_RPM_LOW, false},
    {"RPM High Range", IDC_REV_METER_RPM_HIGH, false},
};

const char* vehiclePanelLabel(int controlId) {
    for (const VehiclePanelField& field : kVehiclePanelFields)
        if (field.controlId == controlId) return field.label;
    return "";
}

namespace {

// Command ids that are not fields of the panel: 1 and 7 (the standard OK and No button ids) and
// 1002. Notifications from them never read the panel back.
constexpr int kIgnoredCommandIds[] = {1, 7, 1002};

void fillList(FormControls& form, int id, const std::int32_t* list) {
    form.clearList(id);
    for (const std::int32_t* entry = list; *entry >= 0; ++entry) form.addListItem(id, formatInt(*entry));
    form.selectListItem(id, 0);
}

double readEditDecimal(FormControls& form, int id) {
    return readDecimal(form.getText(id, kFormTextLimit));
}

std::int32_t readEditInteger(FormControls& form, int id) {
    return readInteger(form.getText(id, kFormTextLimit));
}

// Enough to show what was typed; the panel itself reads only the first 9 characters.
constexpr std::size_t kTypedTextLimit = 64;

}  // namespace

bool panelEditIsInteger(int controlId) {
    return controlId == IDC_REV_METER_RPM_LOW || controlId == IDC_REV_METER_RPM_HIGH;
}

std::vector<PanelText> typedVehiclePanelTexts(FormControls& form) {
    std::vector<PanelText> texts;
    for (const VehiclePanelField& field : kVehiclePanelFields)
        if (!field.isList) texts.push_back(PanelText{field.label, form.getText(field.controlId, kTypedTextLimit)});
    return texts;
}

bool panelReadsAsTyped(int controlId, const std::string& text) {
    if (text.find_first_not_of(" \t\n\v\f\r") == std::string::npos) return true;
    const double says = readDecimal(text);
    if (!isWholeDecimal(text) || !std::isfinite(static_cast<float>(says))) return false;
    const std::string read = text.substr(0, kFormTextLimit);
    if (panelEditIsInteger(controlId)) return readInteger(read) == says;
    return static_cast<float>(readDecimal(read)) == static_cast<float>(says);
}

void setUpVehiclePanel(FormControls& form, VehicleSettings& settings) {
    FillingControls filling;
    fillList(form, IDC_RIM_DIAMETER, kRimDiameterList);
    fillList(form, IDC_TIRE_WIDTH, kTireWidthList);
    fillList(form, IDC_TIRE_ASPECT, kTireAspectList);
    comPortList().fill(form, IDC_COM_PORT, 0);
    settings.revMeterRpmLow = 0;
    settings.revMeterRpmHigh = kRevMeterRpmHighStart;
    fillVehiclePanel(form, settings);
}

void fillVehiclePanel(FormControls& form, const VehicleSettings& s) {
    FillingControls filling;
    comPortList().fill(form, IDC_COM_PORT, s.comPortIndex);
    form.selectListItem(IDC_RIM_DIAMETER, s.rimDiameterIndex);
    form.selectListItem(IDC_TIRE_WIDTH, s.tireWidthIndex);
    form.selectListItem(IDC_TIRE_ASPECT, s.tireAspectIndex);

    form.setText(IDC_VEHICLE_WEIGHT, formatFixed(s.vehicleWeight, 5, 0));
    form.setText(IDC_DRAG_COEFFICIENT, formatFixed(s.dragCoefficient, 1, 3));

    form.setText(IDC_REV_METER_RPM_LOW, formatInt(s.revMeterRpmLow));
    form.setText(IDC_REV_METER_RPM_HIGH, formatInt(s.revMeterRpmHigh));

    for (int g = 0; g < 6; ++g)
        form.setText(IDC_GEAR_RATIO_FIRST + g, formatFixed(s.gearRatio[g], 1, 3));
    form.setText(IDC_FINAL_DRIVE_RATIO, formatFixed(s.finalDriveRatio, 1, 3));

    // Load Scalar is shown in the engine unit's terms, mapScale x 655.35.
    form.setText(IDC_LOAD_SCALAR, formatFixed(loadScalarOf(s.mapScale), 1, 3));
    form.setText(IDC_LOAD_OFFSET, formatFixed(s.mapOffset, 1, 3));

    form.setText(IDC_CYLINDER_COUNT, formatInt(s.cylinderCount));
    form.setText(IDC_INJECTOR_SIZE, formatInt(s.injectorSize));
    form.setText(IDC_FUEL_PRESSURE, formatInt(s.fuelPressure));
}

void readVehiclePanel(FormControls& form, VehicleSettings& s, EngineUnitProfiles& profiles) {
    s.comPortIndex = comPortList().selectedIndex(form, IDC_COM_PORT);
    s.rimDiameterIndex = form.selectedListItem(IDC_RIM_DIAMETER);
    s.tireWidthIndex = form.selectedListItem(IDC_TIRE_WIDTH);
    s.tireAspectIndex = form.selectedListItem(IDC_TIRE_ASPECT);

    s.vehicleWeight = static_cast<float>(readEditDecimal(form, IDC_VEHICLE_WEIGHT));
    s.dragCoefficient = static_cast<float>(readEditDecimal(form, IDC_DRAG_COEFFICIENT));

    s.revMeterRpmLow = readEditInteger(form, IDC_REV_METER_RPM_LOW);
    s.revMeterRpmHigh = readEditInteger(form, IDC_REV_METER_RPM_HIGH);

    for (int g = 0; g < 6; ++g)
        s.gearRatio[g] = static_cast<float>(readEditDecimal(form, IDC_GEAR_RATIO_FIRST + g));
    s.finalDriveRatio = static_cast<float>(readEditDecimal(form, IDC_FINAL_DRIVE_RATIO));

    // The MAP sensor: slot 38 in kPa, slot 39 in psi.
    const float offset = static_cast<float>(readEditDecimal(form, IDC_LOAD_OFFSET));
    const MapSensorScaling map = mapSensorScaling(readEditDecimal(form, IDC_LOAD_SCALAR), offset);
    setMapSensorSlots(profiles, map.kpaScale, map.kpaOffset, map.psiScale, map.psiOffset);
    s.mapScale = profiles.profiles[0].scales[kMapKpaSlot];
    s.mapOffset = profiles.profiles[0].offsets[kMapKpaSlot];

    const float injector = static_cast<float>(readEditDecimal(form, IDC_INJECTOR_SIZE));
    const float pressure = static_cast<float>(readEditDecimal(form, IDC_FUEL_PRESSURE));
    setFuelSystem(s, readEditDecimal(form, IDC_CYLINDER_COUNT), injector, pressure);
}

void onVehiclePanelCommand(FormControls& form, int controlId, VehicleSettings& settings,
                           EngineUnitProfiles& profiles) {
    for (int ignored : kIgnoredCommandIds)
        if (controlId == ignored) return;
    if (fillingControls) return;
    readVehiclePanel(form, settings, profiles);
}

void refreshComPortList(FormControls& form, const std::vector<SerialPortName>& present) {
    FillingControls filling;
    const int shown = comPortList().selectedIndex(form, IDC_COM_PORT);
    setPresentComPorts(present);
    comPortList().fill(form, IDC_COM_PORT, shown);
}
