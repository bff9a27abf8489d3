#include "profiles/engine_unit_profiles.h"

#include <cstring>

namespace {

struct ScalingSlot {
    float scale;
    float offset;
};

// Profile 1's channel scaling table; profiles 2 to 4 derive from it below. Slots 38 and 39
// belong to the MAP sensor and are written by the vehicle panel.
const ScalingSlot kProfile1Scaling[kScalingSlotCount] = {
    {1.0f, 0.0f},                   //  0 ???
    {1.0f, 0.0f},                   //  1 ???
    {0.00390625f, -128.0f},         //  2 C
    {0.00703125f, -198.4f},         //  3 F
    {0.01953125f, 0.0f},            //  4 C
    {0.03515625f, 32.0f},           //  5 F
    {0.39673457f, 0.0f},            //  6 rpm
    {0.39673457f, 0.0f},            //  7 rpm
    {0.00390625f, 0.0f},            //  8 mph
    {0.006286528f, 0.0f},           //  9 kph
    {1.0f, 0.0f},                   // 10 t/f
    {1.0f, 0.0f},                   // 11 t/f
    {0.0015259022f, 0.0f},          // 12 %
    {0.0015259022f, 0.0f},          // 13 %
    {0.0015259022f, 0.0f},          // 14 %
    {0.0015259022f, 0.0f},          // 15 %
    {7.629511e-05f, 0.0f},          // 16 volts
    {7.629511e-05f, 0.0f},          // 17 volts
    {7.629511e-05f, 0.0f},          // 18 volts
    {7.629511e-05f, 0.0f},          // 19 volts
    {0.00031006333f, 0.0f},         // 20 volts
    {0.00031006333f, 0.0f},         // 21 volts
    {1.5258789e-05f, 0.5f},         // 22 lambda
    {0.00022338868f, 7.32f},        // 23 AFR
    {0.001373312f, 0.0f},           // 24 degrees
    {0.001373312f, 0.0f},           // 25 degrees
    {0.00390625f, 0.0f},            // 26 kPa
    {0.00056640623f, -14.5f},       // 27 psi
    {0.0013679713f, -17.0f},        // 28 degrees
    {0.0013679713f, -17.0f},        // 29 degrees
    {0.0015259022f, -50.0f},        // 30 %
    {0.0015259022f, -50.0f},        // 31 %
    {0.0038147555f, 0.0f},          // 32 mpg
    {0.0038147555f, 0.0f},          // 33 mpg
    {1.0f, 0.0f},                   // 34 whp
    {1.0f, 0.0f},                   // 35 whp
    {1.0f, 0.0f},                   // 36 wtq
    {1.0f, 0.0f},                   // 37 wtq
    {0.0f, 0.0f},                   // 38 kPa, MAP sensor
    {0.0f, 0.0f},                   // 39 psi, MAP sensor
    {0.0038147f, 0.0f},             // 40 %
    {0.0038147f, 0.0f},             // 41 %
    {7.629511e-05f, 0.0f},          // 42
    {7.629511e-05f, 0.0f},          // 43
    {7.629511e-05f, 0.0f},          // 44
    {7.629511e-05f, 0.0f},          // 45
    {0.0f, 0.0f},                   // 46 indicators
    {0.0f, 0.0f},                   // 47
    {0.0f, 0.0f},                   // 48
    {0.0f, 0.0f},                   // 49
    {0.0f, 0.0f},                   // 50
    {0.0f, 0.0f},                   // 51
    {0.0f, 0.0f},                   // 52
    {0.0f, 0.0f},                   // 53
};

// Channels 0 to 35: the address in each profile and the slot shared by all four.
struct MappedChannel {
    std::uint16_t address[kEngineUnitProfileCount];
    std::uint8_t slot;
};

const MappedChannel kNamedChannels[36] = {
    {{0xDC68, 0xDC68, 0xDC69, 0xC06A}, 28},  //  0 advance_comp
    {{0xFD58, 0xFD56, 0xFD69, 0xE158}, 16},  //  1 air_temp_raw
    {{0xDCA7, 0xDCA7, 0xDCAC, 0xC0A9}, 2},   //  2 air_temp
    {{0xFD5C, 0xFD5A, 0xDCA7, 0xE15C}, 20},  //  3 battery
    {{0xDCAD, 0xDCAD, 0xDCB2, 0xC0AF}, 2},   //  4 coolant
    {{0xDE70, 0xDE5C, 0xDE8B, 0xC254}, 4},   //  5 egt_1
    {{0xDE71, 0xDE5D, 0xDE8C, 0xC255}, 4},   //  6 egt_2
    {{0xFD76, 0xFD74, 0xFD87, 0xE176}, 38},  //  7 engine_load
    {{0xFD74, 0xFD72, 0xFD85, 0xE174}, 6},   //  8 engine_speed
    {{0xDD0F, 0xDD0F, 0xDD15, 0xC111}, 14},  //  9 idle_percent
    {{0xFD7E, 0xFD7C, 0xFD8F, 0xE17E}, 40},  // 10 injector_duty
    {{0xDD86, 0xDD84, 0xDD0F, 0xC186}, 18},  // 11 knock_1
    {{0xDD0B, 0xDD0B, 0x0000, 0xC10D}, 14},  // 12 knock_fuel_1
    {{0xFD54, 0xFD52, 0xDD0E, 0xE154}, 16},  // 13 knock_raw_1
    {{0xDD0A, 0xDD0A, 0x0000, 0xC10C}, 24},  // 14 knock_retard_1
    {{0xDD09, 0xDD09, 0x0000, 0xC10B}, 18},  // 15 knock_volt_1
    {{0xDD87, 0xDD85, 0xDDEA, 0xC187}, 18},  // 16 knock_2
    {{0xDDD7, 0xDDD5, 0x0000, 0xC1D5}, 14},  // 17 knock_fuel_2
    {{0xFD56, 0xFD54, 0xDDE9, 0xE156}, 16},  // 18 knock_raw_2
    {{0xDDD6, 0xDDD4, 0x0000, 0xC1D4}, 24},  // 19 knock_retard_2
    {{0xDDD5, 0xDDD3, 0x0000, 0xC1D3}, 18},  // 20 knock_volt_2
    {{0xFD78, 0xFD76, 0xFD89, 0xE178}, 12},  // 21 map_load
    {{0xFD50, 0xFD4E, 0xFD61, 0xE150}, 16},  // 22 map_raw
    {{0xFD7E, 0xFD7C, 0xFD8F, 0xE17E}, 32},  // 23 mileage
    {{0xDD13, 0xDD13, 0xDD19, 0xC115}, 22},  // 24 o2_1
    {{0xDD14, 0xDD14, 0xDD1A, 0xC116}, 22},  // 25 o2_2
    {{0xDD19, 0xDD19, 0xDD1F, 0xC11B}, 30},  // 26 o2_fb_1
    {{0xDD1F, 0xDD1F, 0xDD25, 0xC121}, 30},  // 27 o2_fb_2
    {{0xDD23, 0xDD23, 0xDD29, 0xC125}, 22},  // 28 o2_target
    {{0xFD5E, 0xFD5C, 0xFD6F, 0xE15E}, 16},  // 29 o2_raw_1
    {{0xFD60, 0xFD5E, 0xFD71, 0xE160}, 16},  // 30 o2_raw_2
    {{0xFD7A, 0xFD78, 0xFD8B, 0xE17A}, 12},  // 31 throttle
    {{0xFD72, 0xFD70, 0xFD83, 0xE172}, 8},   // 32 vehicle_speed
    {{0xFD74, 0xFD72, 0xFD85, 0xE174}, 6},   // 33 hp
    {{0xFD74, 0xFD72, 0xFD85, 0xE174}, 6},   // 34 torque
    {{0xFD72, 0xFD70, 0xFD83, 0xE172}, 8},   // 35 gear
};

// Channels 36 to 53 (adcr_01 to adcr_18) lie one after another from a base address.
constexpr int kFirstAdcChannel = 36;
constexpr int kFirstIndicatorChannel = 54;
const std::uint16_t kAdcBase[kEngineUnitProfileCount] = {0xFD4F, 0xFD4D, 0xFD60, 0xE14F};
constexpr std::uint8_t kAdcSlot = 16;

// Channels 54 to 76 (ls1..ls12, hs1..hs4, switch1..switch7): only profile 4 provides them.
constexpr std::uint8_t kMissingIndicatorSlot = 46;
struct IndicatorChannel {
    std::uint16_t address;
    std::uint8_t slot;
};
const IndicatorChannel kProfile4Indicators[kProfileChannelCount - kFirstIndicatorChannel] = {
    {0xC23D, 51}, {0xC23D, 50}, {0xC1C6, 53}, {0xC1C6, 46}, {0xC241, 47}, {0xC23E, 52},  // ls1-6
    {0xC1C6, 47}, {0xC1C6, 48}, {0xC1C6, 49}, {0xC1C6, 50}, {0xC1C6, 51}, {0xC1C6, 52},  // ls7-12
    {0xC23D, 46}, {0xC23D, 47}, {0xC23D, 48}, {0xC23D, 49},                              // hs1-4
    {0xC0BA, 53}, {0xC0BA, 52}, {0xC0BA, 51}, {0xC0BA, 50}, {0xC0BA, 49}, {0xC0BA, 48},  // switch1-6
    {0xC0BB, 52},                                                                        // switch7
};

struct FirmwareIdEntry {
    const char* text;  // 13 characters, or nullptr for an empty entry
    std::uint8_t tail[6];
};

const FirmwareIdEntry kFirmwareIds[kEngineUnitProfileCount][4] = {
    {{"AEM15GENV1.03", {0x1C, 0x00, 0x00, 0xE5, 0x7B, 0x01}},
     {"AEM15GENV1.03", {0x1C, 0x00, 0x00, 0xE9, 0x70, 0x01}},
     {"AEM15GENV1.03", {0x1C, 0x00, 0x00, 0xBB, 0x4B, 0x01}},
     {"AEM15GENV1.03", {0x1C, 0x00, 0x00, 0xF5, 0xCD, 0x01}}},
    {{"AEM15GENV1.07", {0x1C, 0x00, 0x00, 0x69, 0xAC, 0x01}}, {nullptr, {}}, {nullptr, {}},
     {nullptr, {}}},
    {{"AEM15GENV0.89", {0x1C, 0x00, 0x00, 0x78, 0x70, 0x01}},
     {"AEM15GENV0.94", {0x1C, 0x00, 0x00, 0x2B, 0x16, 0x01}},
     {"AEM15GENV0.94", {0x1C, 0x00, 0x00, 0x2B, 0x98, 0x01}},
     {nullptr, {}}},
    {{"AEM15GENV1.10", {0x1D, 0x00, 0x00, 0xE1, 0x95, 0x01}},
     {"AEM15GENV1.11", {0x1D, 0x00, 0x00, 0x7A, 0x40, 0x01}},
     {"AEM15GENV1.11", {0x1D, 0x00, 0x00, 0x78, 0xAB, 0x01}},
     {"AEM15GENV1.12", {0x1D, 0x00, 0x00, 0x76, 0x98, 0x01}}},
};

// Bytes 2 to 5 are the high bytes of the addresses the profile's channel map uses.
const std::uint8_t kProfileBytes[kEngineUnitProfileCount][6] = {
    {0xAD, 0x9D, 0xDC, 0xDD, 0xDE, 0xFD},
    {0xAB, 0x9D, 0xDC, 0xDD, 0xDE, 0xFD},
    {0xBA, 0x9D, 0xDC, 0xDD, 0xDE, 0xFD},
    {0xAD, 0x81, 0xC0, 0xC1, 0xC2, 0xE1},
};

void setScalingTable(EngineUnitProfile& profile, int index) {
    for (int s = 0; s < kScalingSlotCount; ++s) {
        profile.scales[s] = kProfile1Scaling[s].scale;
        profile.offsets[s] = kProfile1Scaling[s].offset;
    }
    if (index == 2) {  // profile 3: other sensor scalings
        profile.scales[8] = 0.0038910506f;
        profile.scales[9] = 0.0062257377f;
        profile.scales[20] = 0.00024414435f;
        profile.scales[21] = 0.00024414435f;
        profile.scales[22] = 3.0517578e-05f;
        profile.scales[23] = 0.00015258789f;
        profile.scales[24] = 0.00390625f;
        profile.scales[25] = 0.00390625f;
        profile.offsets[22] = 0.67896f;
        profile.offsets[23] = 9.94f;
    } else if (index == 3) {  // profile 4: its indicator channels exist and read as they are
        for (int s = 46; s < kScalingSlotCount; ++s) profile.scales[s] = 1.0f;
    }
}

void setChannelMap(EngineUnitProfile& profile, int index) {
    for (int c = 0; c < kProfileChannelCount; ++c) {
        std::uint16_t address = 0;
        std::uint8_t slot = 0;
        if (c < kFirstAdcChannel) {
            address = kNamedChannels[c].address[index];
            slot = kNamedChannels[c].slot;
        } else if (c < kFirstIndicatorChannel) {
            address = static_cast<std::uint16_t>(kAdcBase[index] + (c - kFirstAdcChannel));
            slot = kAdcSlot;
        } else if (index == 3) {
            address = kProfile4Indicators[c - kFirstIndicatorChannel].address;
            slot = kProfile4Indicators[c - kFirstIndicatorChannel].slot;
        } else {
            address = 0;
            slot = kMissingIndicatorSlot;
        }
        profile.channelAddresses[c] = address;
        profile.channelSlots[c] = slot;
    }
}

}  // namespace

EngineUnitProfiles defaultEngineUnitProfiles() {
    EngineUnitProfiles result;
    for (int p = 0; p < kEngineUnitProfileCount; ++p) {
        EngineUnitProfile& profile = result.profiles[p];
        for (int e = 0; e < 4; ++e) {
            const FirmwareIdEntry& entry = kFirmwareIds[p][e];
            FirmwareId& id = profile.firmwareIds[e];
            if (entry.text == nullptr) continue;  // stays all zero
            std::memcpy(id.text.data(), entry.text, id.text.size());
            std::memcpy(id.tail.data(), entry.tail, id.tail.size());
        }
        std::memcpy(profile.profileBytes.data(), kProfileBytes[p], profile.profileBytes.size());
        setScalingTable(profile, p);
        setChannelMap(profile, p);
    }
    return result;
}

int channelScalingSlot(const EngineUnitProfile& profile, int channel) {
    if (channel < 0 || channel >= kProfileChannelCount) return -1;
    return profile.channelSlots[channel];
}

void setMapSensorSlots(EngineUnitProfiles& profiles, float kpaScale, float kpaOffset,
                       float psiScale, float psiOffset) {
    for (EngineUnitProfile& profile : profiles.profiles) {
        profile.scales[kMapKpaSlot] = kpaScale;
        profile.offsets[kMapKpaSlot] = kpaOffset;
        profile.scales[kMapPsiSlot] = psiScale;
        profile.offsets[kMapPsiSlot] = psiOffset;
    }
}
