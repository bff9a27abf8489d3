#include <gtest/gtest.h>

#include "layout/byte_io.h"

TEST(ByteIo, WritesLittleEndianAndReadsItBack) {
    std::vector<std::uint8_t> out;
    ByteWriter w(out);
    w.u16(0x1234);
    w.i32(-2);
    w.f32(1.0f);
    const std::vector<std::uint8_t> expected{0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F};
    EXPECT_EQ(out, expected);

    ByteReader r(out.data(), out.size());
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.i32(), -2);
    EXPECT_EQ(r.f32(), 1.0f);
    EXPECT_FALSE(r.overrun());
    EXPECT_EQ(r.u8(), 0);
    EXPECT_TRUE(r.overrun());
}
