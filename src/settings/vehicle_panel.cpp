#include "settings/vehicle_panel.h"

#include <cmath>
#include <cstring>
#include <string>

#include "profiles/engine_unit_profiles.h"
#include "platform/form_controls.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/com_port_list.h"
#include "settings/filling_controls.h"
#include "settings/number_text.h"
#include "settings/vehicle_settings.h"

const std::int32_t kRimDiameterList[] = {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                         22, 23, 24, 25, 26, 27, 28, 29, 30, -1};
const std::int32_t kTireWidthList[] = {
    140, 145, 150, 155, 160, 165, 170, 175, 180, 185, 190, 195, 200, 205, 210, 215, 220, 225,
    230, 235, 240, 245, 250, 255, 260, 265, 270, 275, 280, 285, 290, 295, 300, 305, 310, 315,
    320, 325, 330, 335, 340, 345, 350, 355, 360, 365, 370, 375, 380, 385, 390, 395, -1};
const std::int32_t kTireAspectList[] = {5,  10, 15, 20, 25, 30, 35, 40, 45, 50,
                                        55, 60, 65, 70, 75, 80, 85, 90, 95, -1};

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

// Constants that the display's values have always been computed with, given as the bits of
// single-precision floats. Products are formed in double precision and rounded to single once.
float singleFromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
const float kLoadScalarShown = singleFromBits(0x4423D666);      // 655.35
const float kKpaPerScalar = singleFromBits(0x3AC800C8);         // 100 / 65535
const float kPsiPerKpa = 14.5f;
const float kPerRawCount = singleFromBits(0x37800080);          // 1 / 65535
const float kPsiPerKpaGauge = singleFromBits(0x3E147AE1);       // 0.145
const float kInjectorFlowFactor = singleFromBits(0x398A846E);   // 0.0002642008
const float kPressureFactor = singleFromBits(0x3CB60B61);       // about 1 / 45
constexpr double kAtmosphereKpa = 100.0;

// Command ids that are not fields of the panel: 1 and 7 (the standard OK and No button ids) and
// 1002. Notifications from them never read the panel back.
constexpr int kIgnoredCommandIds[] = {1, 7, 1002};

constexpr int kRevMeterRpmHighStart = 8000;

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

// Truncation toward zero. Values without a 32-bit integer (NaN, out of range) give INT32_MIN,
// the value x86's conversion instruction yields, rather than undefined behaviour.
std::int32_t truncateToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t vehicleListValue(const std::int32_t* list, int position) {
    if (position < 0) return 0;
    for (int i = 0; list[i] >= 0; ++i)
        if (i == position) return list[i];
    return 0;
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
    const double loadScalar = static_cast<double>(s.mapScale) * static_cast<double>(kLoadScalarShown);
    form.setText(IDC_LOAD_SCALAR, formatFixed(loadScalar, 1, 3));
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

    // The MAP sensor: slot 38 in kPa, slot 39 in psi (gauge pressure, hence the 100 kPa).
    const float offset = static_cast<float>(readEditDecimal(form, IDC_LOAD_OFFSET));
    const double scalar = readEditDecimal(form, IDC_LOAD_SCALAR);
    const float kpaScale = static_cast<float>(scalar * static_cast<double>(kKpaPerScalar));
    const float psiScale = static_cast<float>(scalar * static_cast<double>(kPsiPerKpa) *
                                              static_cast<double>(kPerRawCount));
    const float psiOffset = static_cast<float>((static_cast<double>(offset) - kAtmosphereKpa) *
                                               static_cast<double>(kPsiPerKpaGauge));
    setMapSensorSlots(profiles, kpaScale, offset, psiScale, psiOffset);
    s.mapScale = profiles.profiles[0].scales[kMapKpaSlot];
    s.mapOffset = profiles.profiles[0].offsets[kMapKpaSlot];

    const float injector = static_cast<float>(readEditDecimal(form, IDC_INJECTOR_SIZE));
    const float pressure = static_cast<float>(readEditDecimal(form, IDC_FUEL_PRESSURE));
    const double cylinders = readEditDecimal(form, IDC_CYLINDER_COUNT);
    s.fuelPressure = truncateToInt(pressure);
    s.injectorSize = truncateToInt(injector);
    s.cylinderCount = truncateToInt(cylinders);

    s.fuelFlowFactor = computeFuelFlowFactor(cylinders, injector, pressure);
}

float computeFuelFlowFactor(double cylinders, float injector, float pressure) {
    // Unguarded on purpose: a pressure of 0 or below gives NaN or infinity, which is stored and
    // sent, as the display has always received it.
    const double flow = cylinders * static_cast<double>(injector) *
                        static_cast<double>(kInjectorFlowFactor);
    const double pressureRoot =
        std::sqrt(static_cast<double>(pressure) * static_cast<double>(kPressureFactor));
    const double factor = flow / pressureRoot;
    // The display has always received the NaN 0xFFC00000, which is x86's default NaN; other
    // processors make a NaN of another sign (ARM's is 0x7FC00000), so the bits are set here.
    if (std::isnan(factor)) return singleFromBits(0xFFC00000);
    return static_cast<float>(factor);
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
    comPortList().setPresentPorts(present);
    comPortList().fill(form, IDC_COM_PORT, shown);
}
