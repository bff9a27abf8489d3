#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "layout/byte_io.h"
#include "settings/vehicle_settings.h"

namespace {

std::uint32_t wordAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

VehicleSettings sample() {
    VehicleSettings s;
    s.gearRatio = {3.5f, 2.0f, 1.5f, 1.0f, 0.75f, 0.5f};
    s.finalDriveRatio = 4.25f;
    s.revMeterRpmLow = 1000;
    s.revMeterRpmHigh = 8000;
    s.mapScale = 0.25f;
    s.mapOffset = -10.0f;
    s.cylinderCount = 6;
    s.fuelPressure = 43;
    s.injectorSize = 550;
    s.fuelFlowFactor = 2.0f;
    s.comPortIndex = 2;
    s.rimDiameterIndex = -1;
    s.tireWidthIndex = 51;
    s.tireAspectIndex = 7;
    s.vehicleWeight = 3001.0f;
    s.dragCoefficient = 0.125f;
    for (std::size_t i = 0; i < s.reserved.size(); ++i) s.reserved[i] = static_cast<std::uint8_t>(i);
    return s;
}

TEST(VehicleSettingsBytes, FieldsAtTheirOffsets) {
    const auto bytes = encodeVehicleSettings(sample());
    ASSERT_EQ(bytes.size(), kVehicleSettingsBytes);
    struct Case {
        const char* name;
        std::size_t at;
        std::uint32_t word;
    };
    const Case cases[] = {
        {"gearRatio[0]", 0, 0x40600000},      {"gearRatio[5]", 20, 0x3F000000},
        {"finalDriveRatio", 24, 0x40880000},  {"revMeterRpmLow", 28, 1000},
        {"revMeterRpmHigh", 32, 8000},        {"mapScale", 36, 0x3E800000},
        {"mapOffset", 40, 0xC1200000},        {"cylinderCount", 44, 6},
        {"fuelPressure", 48, 43},             {"injectorSize", 52, 550},
        {"fuelFlowFactor", 56, 0x40000000},   {"comPortIndex", 60, 2},
        {"rimDiameterIndex", 64, 0xFFFFFFFF}, {"tireWidthIndex", 68, 51},
        {"tireAspectIndex", 72, 7},           {"vehicleWeight", 76, 0x453B9000},
        {"dragCoefficient", 80, 0x3E000000},  {"reserved begins", 84, 0x03020100},
    };
    for (const Case& c : cases) EXPECT_EQ(wordAt(bytes, c.at), c.word) << "case " << c.name;
    EXPECT_EQ(bytes[587], static_cast<std::uint8_t>(503));
}

TEST(VehicleSettingsBytes, WholeFormRoundTrips) {
    const auto bytes = encodeVehicleSettings(sample());
    ByteReader in(bytes.data(), bytes.size());
    VehicleSettings read;
    ASSERT_TRUE(decodeVehicleSettings(in, VehicleSettingsForm::Whole, read));
    EXPECT_EQ(in.position(), kVehicleSettingsBytes);
    EXPECT_EQ(encodeVehicleSettings(read), bytes);
}

TEST(VehicleSettingsBytes, ShortFormReplacesOnlyTheFirst60Bytes) {
    const auto source = encodeVehicleSettings(sample());
    VehicleSettings current;
    current.comPortIndex = 3;
    current.tireWidthIndex = 9;
    current.vehicleWeight = 2500.0f;
    current.dragCoefficient = 0.3f;
    current.reserved[10] = 0xAA;

    ByteReader in(source.data(), kVehicleSettingsShortBytes);
    ASSERT_TRUE(decodeVehicleSettings(in, VehicleSettingsForm::Short, current));
    EXPECT_EQ(in.position(), kVehicleSettingsShortBytes);

    const auto after = encodeVehicleSettings(current);
    EXPECT_EQ(std::vector<std::uint8_t>(after.begin(), after.begin() + 60),
              std::vector<std::uint8_t>(source.begin(), source.begin() + 60));
    EXPECT_EQ(current.comPortIndex, 3);
    EXPECT_EQ(current.tireWidthIndex, 9);
    EXPECT_EQ(current.vehicleWeight, 2500.0f);
    EXPECT_EQ(current.dragCoefficient, 0.3f);
    EXPECT_EQ(current.reserved[10], 0xAA);
}

TEST(VehicleSettingsBytes, TooFewBytesLeaveTheRecordAlone) {
    const auto source = encodeVehicleSettings(sample());
    struct Case {
        const char* name;
        VehicleSettingsForm form;
        std::size_t size;
    };
    const Case cases[] = {{"whole form one byte short", VehicleSettingsForm::Whole, 587},
                          {"whole form given a short block", VehicleSettingsForm::Whole, 60},
                          {"short form one byte short", VehicleSettingsForm::Short, 59}};
    for (const Case& c : cases) {
        VehicleSettings current;
        current.revMeterRpmHigh = 1234;
        ByteReader in(source.data(), c.size);
        EXPECT_FALSE(decodeVehicleSettings(in, c.form, current)) << "case " << c.name;
        EXPECT_EQ(current.revMeterRpmHigh, 1234) << "case " << c.name;
        EXPECT_EQ(current.gearRatio[0], 0.0f) << "case " << c.name;
    }
}

TEST(VehicleSettingsBytes, StartRecordIsAllZero) {
    const auto bytes = encodeVehicleSettings(VehicleSettings{});
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(kVehicleSettingsBytes, 0));
}

// The edges of the 32-bit range: just inside truncates, just outside (and NaN) gives INT32_MIN.
TEST(VehicleSettingsNumbers, WholeNumberOfAnEntry) {
    const struct {
        double entry;
        std::int32_t whole;
    } cases[] = {
        {4.9, 4},
        {-4.9, -4},
        {2147483647.9, 2147483647},
        {2147483648.0, INT32_MIN},
        {-2147483647.9, -2147483647},
        {-2147483648.9, INT32_MIN},  // still inside: truncates to the lowest value
        {-2147483649.0, INT32_MIN},
        {std::numeric_limits<double>::quiet_NaN(), INT32_MIN},
        {std::numeric_limits<double>::infinity(), INT32_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(wholeNumberOf(c.entry), c.whole) << "entry " << c.entry;
}

}  // namespace
