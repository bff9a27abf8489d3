#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "profiles/display_encoding.h"
#include "support/float_bits.h"

namespace {

std::uint16_t crcOf(const std::string& text, std::uint32_t running) {
    return displayCrc(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), running);
}

}  // namespace

TEST(DisplayEncoding, FloatsAreRearrangedBits) {
    struct Case {
        const char* name;
        float value;
        std::array<std::uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {"1.0", 1.0f, {0x7F, 0x00, 0x00, 0x00}},
        {"-1.0", -1.0f, {0x7F, 0x80, 0x00, 0x00}},
        {"0.5", 0.5f, {0x7E, 0x00, 0x00, 0x00}},
        {"12.87", fromBits(0x414DEB85), {0x82, 0x4D, 0xEB, 0x85}},
        {"0.0", 0.0f, {0x00, 0x00, 0x00, 0x00}},
        {"-0.0", -0.0f, {0x00, 0x80, 0x00, 0x00}},
        {"26000", 26000.0f, {0x8D, 0x4B, 0x20, 0x00}},
        {"NaN FFC00000", fromBits(0xFFC00000), {0xFF, 0xC0, 0x00, 0x00}},
        {"+inf", fromBits(0x7F800000), {0xFF, 0x00, 0x00, 0x00}},
        {"smallest denormal", fromBits(0x00000001), {0x00, 0x00, 0x00, 0x01}},
    };
    for (const Case& c : cases) EXPECT_EQ(toDisplayFloat(c.value), c.bytes) << "case " << c.name;
}

TEST(DisplayEncoding, CheckValueVectors) {
    EXPECT_EQ(crcOf("123456789", 0), 0xDE76);
    EXPECT_EQ(crcOf("abc", 0), 0xA716);
    // Chained: the complemented result of one record seeds the next as it is.
    EXPECT_EQ(crcOf("def", crcOf("abc", 0)), 0x35B5);
    // Only the low 16 bits of the running value count.
    EXPECT_EQ(crcOf("def", 0xFFFF0000u | crcOf("abc", 0)), 0x35B5);
    // Nothing fed: just the complement of the seed.
    EXPECT_EQ(displayCrc(nullptr, 0, 0), 0xFFFF);
}

TEST(DisplayEncoding, RpmRecordCheckValues) {
    const std::uint8_t corner[14] = {0x09, 0x31, 0x08, 0xFF, 0x00, 0x00, 0x00,
                                     0x00, 0x8D, 0x4B, 0x20, 0x00, 0x00, 0x00};
    EXPECT_EQ(displayCrc(corner, 14, 0), 0x673A);
    std::uint8_t moved[14];
    std::memcpy(moved, corner, 14);
    moved[12] = 0xB8;
    moved[13] = 0x30;
    EXPECT_EQ(displayCrc(moved, 14, 0), 0xA217);
}
