#include "settings/vehicle_fields.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "settings/com_port_names.h"
#include "settings/number_text.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/vehicle_settings.h"

namespace {

template <float VehicleSettings::*member>
double decimal(const VehicleSettings& settings) {
    return settings.*member;
}

template <std::int32_t VehicleSettings::*member>
double whole(const VehicleSettings& settings) {
    return settings.*member;
}

template <int gear>
double gearRatio(const VehicleSettings& settings) {
    return settings.gearRatio[gear];
}

// Load Scalar is shown in the engine unit's terms, mapScale x 655.35.
double loadScalar(const VehicleSettings& settings) { return loadScalarOf(settings.mapScale); }

// The text a list of sizes shows at `position`: the size it stands for; "" for a position
// outside the list, which leaves a form's list without a selection.
std::string sizeListText(const std::int32_t* sizes, int position) {
    for (int i = 0; sizes[i] >= 0; ++i)
        if (i == position) return formatInt(sizes[i]);
    return "";
}

using Format = VehicleFieldFormat;
using V = VehicleSettings;

}  // namespace

const VehicleField kVehicleFields[kVehicleFieldCount] = {
    {"1st Gear Ratio", IDC_GEAR_RATIO_FIRST, Format::Decimal, gearRatio<0>, nullptr},
    {"2nd Gear Ratio", IDC_GEAR_RATIO_FIRST + 1, Format::Decimal, gearRatio<1>, nullptr},
    {"3rd Gear Ratio", IDC_GEAR_RATIO_FIRST + 2, Format::Decimal, gearRatio<2>, nullptr},
    {"4th Gear Ratio", IDC_GEAR_RATIO_FIRST + 3, Format::Decimal, gearRatio<3>, nullptr},
    {"5th Gear Ratio", IDC_GEAR_RATIO_FIRST + 4, Format::Decimal, gearRatio<4>, nullptr},
    {"6th Gear Ratio", IDC_GEAR_RATIO_FIRST + 5, Format::Decimal, gearRatio<5>, nullptr},
    {"Final Drive Ratio", IDC_FINAL_DRIVE_RATIO, Format::Decimal, decimal<&V::finalDriveRatio>, nullptr},
    {"Load Offset", IDC_LOAD_OFFSET, Format::Decimal, decimal<&V::mapOffset>, nullptr},
    {"Load Scalar", IDC_LOAD_SCALAR, Format::Decimal, loadScalar, nullptr},
    {"Number of Cylinders", IDC_CYLINDER_COUNT, Format::Whole, whole<&V::cylinderCount>, nullptr},
    {"Injector Size (CC)", IDC_INJECTOR_SIZE, Format::Whole, whole<&V::injectorSize>, nullptr},
    {"Static Fuel Pressure (PSI)", IDC_FUEL_PRESSURE, Format::Whole, whole<&V::fuelPressure>, nullptr},
    {"Rim Diameter (in)", IDC_RIM_DIAMETER, Format::SizeList, whole<&V::rimDiameterIndex>, kRimDiameterList},
    {"Tire Width", IDC_TIRE_WIDTH, Format::SizeList, whole<&V::tireWidthIndex>, kTireWidthList},
    {"Tire Aspect", IDC_TIRE_ASPECT, Format::SizeList, whole<&V::tireAspectIndex>, kTireAspectList},
    {"Vehicle Weight (lbs)", IDC_VEHICLE_WEIGHT, Format::Weight, decimal<&V::vehicleWeight>, nullptr},
    {"Drag Coefficient", IDC_DRAG_COEFFICIENT, Format::Decimal, decimal<&V::dragCoefficient>, nullptr},
    {"Com Port", IDC_COM_PORT, Format::ComPort, whole<&V::comPortIndex>, nullptr},
    {"RPM Low Range", IDC_REV_METER_RPM_LOW, Format::Whole, whole<&V::revMeterRpmLow>, nullptr},
    {"RPM High Range", IDC_REV_METER_RPM_HIGH, Format::Whole, whole<&V::revMeterRpmHigh>, nullptr},
};

bool isListField(const VehicleField& field) {
    return field.format == Format::SizeList || field.format == Format::ComPort;
}

const char* vehicleFieldLabel(int controlId) {
    for (const VehicleField& field : kVehicleFields)
        if (field.controlId == controlId) return field.label;
    return "";
}

std::string vehicleFieldText(const VehicleField& field, const VehicleSettings& settings) {
    const double value = field.value(settings);
    switch (field.format) {
    case Format::Decimal: return formatFixed(value, 1, 3);
    case Format::Weight: return formatFixed(value, 5, 0);
    case Format::Whole: return formatInt(static_cast<std::int32_t>(value));
    case Format::SizeList: return sizeListText(field.sizes, static_cast<int>(value));
    case Format::ComPort: {
        // The list holds the fixed ports, the present ones and the stored one; an index that no
        // entry stands for (-1, a damaged file's) leaves it without a selection.
        const int index = static_cast<int>(value);
        const std::vector<int> shown = comPortListIndexes(presentComPorts(), index);
        return std::find(shown.begin(), shown.end(), index) != shown.end() ? comPortName(index) : "";
    }
    }
    return "";
}

bool panelEditIsInteger(int controlId) {
    return controlId == IDC_REV_METER_RPM_LOW || controlId == IDC_REV_METER_RPM_HIGH;
}

bool panelReadsAsTyped(int controlId, const std::string& text) {
    if (text.find_first_not_of(" \t\n\v\f\r") == std::string::npos) return true;
    const double says = readDecimal(text);
    if (!isWholeDecimal(text) || !std::isfinite(static_cast<float>(says))) return false;
    const std::string read = text.substr(0, kFormTextLimit);
    if (panelEditIsInteger(controlId)) return readInteger(read) == says;
    return static_cast<float>(readDecimal(read)) == static_cast<float>(says);
}
