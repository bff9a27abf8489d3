#pragma once
// The four built-in engine unit profiles that every upload sends to the display. Each covers a
// group of engine unit firmware versions, which keep the same values at different addresses:
// the profile says where each of the 77 channels lives and which scaling slot converts it.
// Constant data, except the MAP sensor slots 38 and 39, which the vehicle panel rewrites.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class ByteWriter;

constexpr int kEngineUnitProfileCount = 4;
constexpr int kScalingSlotCount = 54;
constexpr int kProfileChannelCount = 77;
constexpr int kMapKpaSlot = 38;  // engine load in kPa
constexpr int kMapPsiSlot = 39;  // engine load in psi
// Bytes of one profile as sent: firmware ids, profile bytes, scaling table, channel map.
constexpr std::size_t kEngineUnitProfileBytes = 76 + 6 + 432 + 231;

// 13 ASCII characters without terminator, then 6 further bytes; all zero when empty.
struct FirmwareId {
    std::array<char, 13> text{};
    std::array<std::uint8_t, 6> tail{};
};

struct EngineUnitProfile {
    std::array<FirmwareId, 4> firmwareIds{};
    std::array<std::uint8_t, 6> profileBytes{};
    // Channel scaling table: value shown = raw x scale + offset. Even slot: a value's first
    // unit, odd slot: its second unit.
    std::array<float, kScalingSlotCount> scales{};
    std::array<float, kScalingSlotCount> offsets{};
    // Channel map: the unit's memory address of each channel (0 where the profile lacks it)
    // and the scaling slot that applies to it.
    std::array<std::uint16_t, kProfileChannelCount> channelAddresses{};
    std::array<std::uint8_t, kProfileChannelCount> channelSlots{};
};

// Profiles 1 to 4 at indexes 0 to 3. Program-wide: the shell owns one and hands it by reference.
struct EngineUnitProfiles {
    std::array<EngineUnitProfile, kEngineUnitProfileCount> profiles{};
};

// The built-in values (slots 38 and 39 hold their start values until the panel is read back).
EngineUnitProfiles defaultEngineUnitProfiles();

// The scaling slot of `channel` (0 to 76) in the profile's channel map; -1 for a channel outside.
int channelScalingSlot(const EngineUnitProfile& profile, int channel);

// Writes the MAP sensor slots in all four profiles: slot 38 in kPa, slot 39 in psi.
void setMapSensorSlots(EngineUnitProfiles& profiles, float kpaScale, float kpaOffset,
                       float psiScale, float psiOffset);

// The profile as the upload sends it (kEngineUnitProfileBytes bytes): firmware ids, profile
// bytes, 54 scales then 54 offsets as display floats, 77 addresses low byte first, 77 slots.
void encodeEngineUnitProfile(const EngineUnitProfile& profile, ByteWriter& out);
std::vector<std::uint8_t> encodeEngineUnitProfile(const EngineUnitProfile& profile);
