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
