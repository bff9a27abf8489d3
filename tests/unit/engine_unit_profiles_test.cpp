#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "profiles/engine_unit_profiles.h"

namespace {

// Byte offsets of the pieces within one profile as sent.
constexpr std::size_t kProfileBytesAt = 76;
constexpr std::size_t kScalesAt = 82;
constexpr std::size_t kOffsetsAt = kScalesAt + 54 * 4;
constexpr std::size_t kAddressesAt = 514;
constexpr std::size_t kSlotsAt = kAddressesAt + 154;

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& bytes, std::size_t at,
                                std::size_t count) {
    return std::vector<std::uint8_t>(bytes.begin() + at, bytes.begin() + at + count);
}

std::uint16_t addressOf(const std::vector<std::uint8_t>& bytes, int channel) {
    return static_cast<std::uint16_t>(bytes[kAddressesAt + 2 * channel] |
                                      (bytes[kAddressesAt + 2 * channel + 1] << 8));
}

TEST(EngineUnitProfileBytes, EveryProfileHasTheSentSize) {
    const EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    for (int p = 0; p < kEngineUnitProfileCount; ++p)
        EXPECT_EQ(encodeEngineUnitProfile(profiles.profiles[p]).size(), 745u) << "profile " << p + 1;
}

TEST(EngineUnitProfileBytes, FirmwareIdsOfProfile2ThenZeros) {
    const auto bytes = encodeEngineUnitProfile(defaultEngineUnitProfiles().profiles[1]);
    std::vector<std::uint8_t> expected;
    for (char c : std::string("AEM15GENV1.07")) expected.push_back(static_cast<std::uint8_t>(c));
    for (std::uint8_t b : {0x1C, 0x00, 0x00, 0x69, 0xAC, 0x01}) expected.push_back(b);
    expected.resize(76, 0);
    EXPECT_EQ(slice(bytes, 0, 76), expected);
}

TEST(EngineUnitProfileBytes, FirmwareIdEntriesOfTheOtherProfiles) {
    struct Case {
        int profile;
        int entry;
        const char* text;
        std::vector<std::uint8_t> tail;
    };
    const Case cases[] = {
        {1, 0, "AEM15GENV1.03", {0x1C, 0x00, 0x00, 0xE5, 0x7B, 0x01}},
        {1, 3, "AEM15GENV1.03", {0x1C, 0x00, 0x00, 0xF5, 0xCD, 0x01}},
        {3, 1, "AEM15GENV0.94", {0x1C, 0x00, 0x00, 0x2B, 0x16, 0x01}},
        {3, 3, "", {}},
        {4, 0, "AEM15GENV1.10", {0x1D, 0x00, 0x00, 0xE1, 0x95, 0x01}},
        {4, 3, "AEM15GENV1.12", {0x1D, 0x00, 0x00, 0x76, 0x98, 0x01}},
    };
    const EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    for (const Case& c : cases) {
        const auto bytes = encodeEngineUnitProfile(profiles.profiles[c.profile - 1]);
        std::vector<std::uint8_t> expected(c.text, c.text + std::strlen(c.text));
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        expected.resize(19, 0);
        EXPECT_EQ(slice(bytes, 19 * c.entry, 19), expected)
            << "case profile " << c.profile << " entry " << c.entry + 1;
    }
}

TEST(EngineUnitProfileBytes, ProfileBytes) {
    const std::vector<std::uint8_t> expected[] = {
        {0xAD, 0x9D, 0xDC, 0xDD, 0xDE, 0xFD},
        {0xAB, 0x9D, 0xDC, 0xDD, 0xDE, 0xFD},
        {0xBA, 0x9D, 0xDC, 0xDD, 0xDE, 0xFD},
        {0xAD, 0x81, 0xC0, 0xC1, 0xC2, 0xE1},
    };
    const EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    for (int p = 0; p < kEngineUnitProfileCount; ++p)
        EXPECT_EQ(slice(encodeEngineUnitProfile(profiles.profiles[p]), kProfileBytesAt, 6), expected[p])
            << "profile " << p + 1;
}

TEST(EngineUnitProfileBytes, ChannelMapOfProfile1Begins) {
    const auto bytes = encodeEngineUnitProfile(defaultEngineUnitProfiles().profiles[0]);
    EXPECT_EQ(slice(bytes, kAddressesAt, 6),
              (std::vector<std::uint8_t>{0x68, 0xDC, 0x58, 0xFD, 0xA7, 0xDC}));
    EXPECT_EQ(kSlotsAt - kAddressesAt, 154u);
    EXPECT_EQ(slice(bytes, kSlotsAt, 3), (std::vector<std::uint8_t>{0x1C, 0x10, 0x02}));
}

TEST(EngineUnitProfileBytes, ScalesAndOffsetsAsDisplayFloats) {
    const auto bytes = encodeEngineUnitProfile(defaultEngineUnitProfiles().profiles[0]);
    struct Case {
        const char* name;
        std::size_t at;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {"slot 0 scale 1", kScalesAt, {0x7F, 0x00, 0x00, 0x00}},
        {"slot 2 scale 1/256", kScalesAt + 2 * 4, {0x77, 0x00, 0x00, 0x00}},
        {"slot 53 scale 0", kScalesAt + 53 * 4, {0x00, 0x00, 0x00, 0x00}},
        {"slot 2 offset -128", kOffsetsAt + 2 * 4, {0x86, 0x80, 0x00, 0x00}},
        {"slot 22 offset 0.5", kOffsetsAt + 22 * 4, {0x7E, 0x00, 0x00, 0x00}},
        {"slot 27 offset -14.5", kOffsetsAt + 27 * 4, {0x82, 0xE8, 0x00, 0x00}},
    };
    for (const Case& c : cases) EXPECT_EQ(slice(bytes, c.at, 4), c.expected) << "case " << c.name;
}

// Slots where a profile's scaling table differs from profile 1's.
std::vector<std::string> scalingDifferences(const EngineUnitProfile& a, const EngineUnitProfile& b) {
    std::vector<std::string> differences;
    for (int s = 0; s < kScalingSlotCount; ++s) {
        if (a.scales[s] != b.scales[s]) differences.push_back("scale " + std::to_string(s));
        if (a.offsets[s] != b.offsets[s]) differences.push_back("offset " + std::to_string(s));
    }
    return differences;
}

TEST(EngineUnitProfileTables, ProfilesDifferFromProfile1OnlyWhereListed) {
    const EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    const EngineUnitProfile& first = profiles.profiles[0];
    EXPECT_TRUE(scalingDifferences(first, profiles.profiles[1]).empty());
    EXPECT_EQ(scalingDifferences(first, profiles.profiles[2]),
              (std::vector<std::string>{"scale 8", "scale 9", "scale 20", "scale 21", "scale 22",
                                        "offset 22", "scale 23", "offset 23", "scale 24",
                                        "scale 25"}));
    EXPECT_EQ(scalingDifferences(first, profiles.profiles[3]),
              (std::vector<std::string>{"scale 46", "scale 47", "scale 48", "scale 49", "scale 50",
                                        "scale 51", "scale 52", "scale 53"}));
    EXPECT_EQ(profiles.profiles[2].offsets[23], 9.94f);
    EXPECT_EQ(profiles.profiles[3].scales[50], 1.0f);
}

TEST(EngineUnitProfileTables, ChannelMapRules) {
    const EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    struct Case {
        const char* name;
        int profile;
        int channel;
        std::uint16_t address;
        int slot;
    };
    const Case cases[] = {
        {"engine_load uses the kPa MAP slot", 1, 7, 0xFD76, 38},
        {"gear", 4, 35, 0xE172, 8},
        {"battery differs in profile 3", 3, 3, 0xDCA7, 20},
        {"missing knock_fuel_1 in profile 3", 3, 12, 0x0000, 14},
        {"missing knock_volt_2 in profile 3", 3, 20, 0x0000, 18},
        {"adcr_01 profile 1", 1, 36, 0xFD4F, 16},
        {"adcr_18 profile 2", 2, 53, 0xFD4D + 17, 16},
        {"adcr_01 profile 3", 3, 36, 0xFD60, 16},
        {"adcr_18 profile 4", 4, 53, 0xE14F + 17, 16},
        {"switch1 profile 4", 4, 70, 0xC0BA, 53},
        {"hs1 profile 4", 4, 66, 0xC23D, 46},
        {"ls1 profile 4", 4, 54, 0xC23D, 51},
        {"switch7 profile 4", 4, 76, 0xC0BB, 52},
    };
    for (const Case& c : cases) {
        const EngineUnitProfile& profile = profiles.profiles[c.profile - 1];
        const auto bytes = encodeEngineUnitProfile(profile);
        EXPECT_EQ(addressOf(bytes, c.channel), c.address) << "case " << c.name;
        EXPECT_EQ(bytes[kSlotsAt + c.channel], c.slot) << "case " << c.name;
        EXPECT_EQ(channelScalingSlot(profile, c.channel), c.slot) << "case " << c.name;
    }
}

TEST(EngineUnitProfileTables, IndicatorChannelsMissingInProfiles1To3) {
    const EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    for (int p = 0; p < 3; ++p) {
        const auto bytes = encodeEngineUnitProfile(profiles.profiles[p]);
        for (int c = 54; c < kProfileChannelCount; ++c) {
            EXPECT_EQ(addressOf(bytes, c), 0) << "profile " << p + 1 << " channel " << c;
            EXPECT_EQ(bytes[kSlotsAt + c], 46) << "profile " << p + 1 << " channel " << c;
        }
    }
}

TEST(EngineUnitProfileTables, Profile1GivesEvenSlotsAndNothingOutsideTheChannels) {
    const EngineUnitProfile profile = defaultEngineUnitProfiles().profiles[0];
    for (int c = 0; c < kProfileChannelCount; ++c)
        EXPECT_EQ(channelScalingSlot(profile, c) % 2, 0) << "channel " << c;
    EXPECT_EQ(channelScalingSlot(profile, -1), -1);
    EXPECT_EQ(channelScalingSlot(profile, 77), -1);
}

TEST(EngineUnitProfileTables, MapSensorSlotsChangeTogetherAndNothingElse) {
    EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    std::vector<std::vector<std::uint8_t>> before;
    for (const EngineUnitProfile& p : profiles.profiles) before.push_back(encodeEngineUnitProfile(p));

    setMapSensorSlots(profiles, 0.5f, 100.0f, 2.0f, -1.0f);

    const std::size_t changed[] = {kScalesAt + 38 * 4, kScalesAt + 39 * 4, kOffsetsAt + 38 * 4,
                                   kOffsetsAt + 39 * 4};
    for (int p = 0; p < kEngineUnitProfileCount; ++p) {
        const auto after = encodeEngineUnitProfile(profiles.profiles[p]);
        EXPECT_EQ(slice(after, changed[0], 4), (std::vector<std::uint8_t>{0x7E, 0, 0, 0}));
        EXPECT_EQ(slice(after, changed[1], 4), (std::vector<std::uint8_t>{0x80, 0, 0, 0}));
        EXPECT_EQ(slice(after, changed[2], 4), (std::vector<std::uint8_t>{0x85, 0x48, 0, 0}));
        EXPECT_EQ(slice(after, changed[3], 4), (std::vector<std::uint8_t>{0x7F, 0x80, 0, 0}));
        for (std::size_t i = 0; i < after.size(); ++i) {
            bool inMapSlot = false;
            for (std::size_t at : changed) inMapSlot = inMapSlot || (i >= at && i < at + 4);
            if (!inMapSlot) {
                EXPECT_EQ(after[i], before[p][i]) << "profile " << p + 1 << " byte " << i;
            }
        }
        // Sending converts a copy: the table keeps its values.
        EXPECT_EQ(profiles.profiles[p].offsets[38], 100.0f) << "profile " << p + 1;
    }
}

}  // namespace
