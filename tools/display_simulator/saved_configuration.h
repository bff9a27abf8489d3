#pragma once
// A configuration file as the editor saves it (the current version, 22336 bytes), read field by
// field at its fixed offsets: what the display must receive is derived from it.
#include <array>
#include <cstdint>
#include <string>

struct SavedPlacement {
    std::int32_t x = 0, y = 0;  // preview pixels
    std::uint32_t gaugeId = 0;
};

struct SavedPage {
    std::int32_t x = 0, y = 0, count = 0;
    std::array<SavedPlacement, 128> slots{};
};

struct SavedWarningRow {
    std::int32_t activeOnPage = 0, parameter = 0, condition = 0, unit = 0;
    float value = 0;
};

struct SavedConfiguration {
    std::array<SavedPage, 4> pages{};
    std::array<float, 6> gearRatio{};
    float finalDriveRatio = 0;
    std::int32_t revMeterRpmLow = 0, revMeterRpmHigh = 0;
    float mapScale = 0, mapOffset = 0;
    std::int32_t cylinderCount = 0, fuelPressure = 0, injectorSize = 0;
    std::int32_t rimDiameterIndex = 0, tireWidthIndex = 0, tireAspectIndex = 0;
    float vehicleWeight = 0, dragCoefficient = 0;
    std::array<float, 132> curves{};
    std::array<SavedWarningRow, 32> warnings{};  // row 4w + j is row j of warning w
};

// False with a reason for a file that cannot be read or is not a whole current-version file.
bool readSavedConfiguration(const std::string& path, SavedConfiguration& config, std::string& error);
