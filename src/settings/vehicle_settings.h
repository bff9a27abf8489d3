#pragma once
// The vehicle data of a configuration: gear ratios, MAP sensor, fuel system, tyres, weight and
// drag, the serial port and an external rev meter's range. Block 3 of the configuration file,
// 588 bytes little-endian; older files carry only its first 60 bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class ByteReader;
class ByteWriter;

constexpr std::size_t kVehicleSettingsBytes = 588;
constexpr std::size_t kVehicleSettingsShortBytes = 60;  // gearRatio[0] to fuelFlowFactor
constexpr std::size_t kVehicleSettingsReservedBytes = 504;

struct VehicleSettings {
    std::array<float, 6> gearRatio{};
    float finalDriveRatio = 0;
    std::int32_t revMeterRpmLow = 0;
    std::int32_t revMeterRpmHigh = 0;  // the panel sets 8000 when it is created
    float mapScale = 0;                // kPa per raw count
    float mapOffset = 0;               // kPa
    std::int32_t cylinderCount = 0;
    std::int32_t fuelPressure = 0;     // psi
    std::int32_t injectorSize = 0;     // cc
    float fuelFlowFactor = 0;          // derived by the panel, never shown
    // List positions, -1 for no selection.
    std::int32_t comPortIndex = 0;     // 0 = COM1
    std::int32_t rimDiameterIndex = 0;
    std::int32_t tireWidthIndex = 0;
    std::int32_t tireAspectIndex = 0;
    float vehicleWeight = 0;           // lbs
    float dragCoefficient = 0;
    // Kept as read from a file and written back unchanged; the program never uses it.
    std::array<std::uint8_t, kVehicleSettingsReservedBytes> reserved{};
};

enum class VehicleSettingsForm { Whole, Short };

// All 588 bytes.
void encodeVehicleSettings(const VehicleSettings& settings, ByteWriter& out);
std::vector<std::uint8_t> encodeVehicleSettings(const VehicleSettings& settings);

// Reads the whole form (588 bytes) or the short form (60 bytes, which replaces gearRatio[0] to
// fuelFlowFactor and keeps every later field). Returns false and leaves `settings` untouched when
// the input holds fewer bytes than the form needs.
bool decodeVehicleSettings(ByteReader& in, VehicleSettingsForm form, VehicleSettings& settings);

// --- What the stored numbers stand for ------------------------------------------------------
// The panel shows these and the upload sends them; both take them from here.

// The fixed lists whose positions VehicleSettings stores; each ends with its first negative entry.
extern const std::int32_t kRimDiameterList[];  // 11 to 30 inches
extern const std::int32_t kTireWidthList[];    // 140 to 395 mm in steps of 5
extern const std::int32_t kTireAspectList[];   // 5 to 95 percent in steps of 5

// The value that `position` stands for in one of the lists above; 0 for a position outside it
// (-1 for no selection, or a damaged file's position).
std::int32_t vehicleListValue(const std::int32_t* list, int position);

// The rev meter's upper end when the editor starts.
constexpr std::int32_t kRevMeterRpmHighStart = 8000;
// The rev meter's range as the editor starts: 0 to kRevMeterRpmHighStart. The panel's set-up
// gives it to the record it shows; a file without vehicle settings keeps it.
void setStartRevMeterRange(VehicleSettings& settings);

// Load Scalar as it is entered and shown, in the engine unit's terms: mapScale x 655.35.
double loadScalarOf(float mapScale);

// The MAP sensor's slots 38 (kPa) and 39 (psi, gauge pressure, hence 100 kPa less) of the engine
// unit profiles, from Load Scalar and Load Offset as entered.
struct MapSensorScaling {
    float kpaScale = 0;
    float kpaOffset = 0;
    float psiScale = 0;
    float psiOffset = 0;
};
MapSensorScaling mapSensorScaling(double loadScalar, float loadOffset);

// A whole-number field from its entry: truncated toward zero. Entries without a 32-bit integer
// (NaN, out of range) give INT32_MIN, the value x86's conversion instruction yields.
std::int32_t wholeNumberOf(double entry);

// The fuel system from its three entries as typed: each kept as a whole number, the flow factor
// derived from the untruncated entries.
void setFuelSystem(VehicleSettings& settings, double cylinders, float injector, float pressure);

// (cylinders x injector x 0.0002642008) / sqrt(pressure x 0.022222223) in single precision, from
// the untruncated entries. A NaN result (0 / 0, a negative root) is always the bits 0xFFC00000.
float computeFuelFlowFactor(double cylinders, float injector, float pressure);
