#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "report/png_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t be32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]);
}

struct Chunk {
    std::string type;
    Bytes data;
};

// The chunks of a PNG, each checked against its CRC-32 as zlib computes it (not our own).
std::vector<Chunk> chunksOf(const Bytes& png, const std::string& name) {
    std::vector<Chunk> chunks;
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), signature) << name;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = be32(png, at);
        if (at + 12 + length > png.size()) {
            ADD_FAILURE() << name << ": a chunk runs past the end";
            break;
        }
        const auto typed = png.begin() + static_cast<std::ptrdiff_t>(at + 4);
        const uLong crc = ::crc32(0, &png[at + 4], length + 4);
        EXPECT_EQ(be32(png, at + 8 + length), crc) << name << " chunk at " << at;
        chunks.push_back(Chunk{std::string(typed, typed + 4), Bytes(typed + 4, typed + 4 + length)});
        at += 12 + length;
    }
    return chunks;
}

}  // namespace

// Pictures of several shapes: the chunks in their order with zlib's CRC-32s, the header, and
// the picture data that zlib's own inflate gives back, row by row behind its filter type. The
// data says it is deflated at the best compression (header 78 DA), the level both programs pin.
TEST(PngWriter, ZlibReadsBackEveryRowAndEveryChunkSumsUp) {
    struct Case {
        const char* name;
        int width;
        int height;
        int repeat;
    };
    // Rows of a pattern, each drawn `repeat` times in a row.
    const Case cases[] = {{"two pixels", 2, 1, 1}, {"odd width", 7, 5, 1}, {"a display page", 240, 64, 1},
                          {"a display page enlarged three times", 720, 192, 3}, {"a tall stripe", 1, 300, 4}};
    for (const Case& c : cases) {
        Bytes grey(static_cast<std::size_t>(c.width) * c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const int i = y / c.repeat * c.width + x;
                grey[static_cast<std::size_t>(y) * c.width + x] = (i * 7 + i / 3) % 5 == 0 ? 0x00 : 0xFF;
            }
        const Bytes png = encodeGreyPng(c.width, c.height, grey);
        const std::vector<Chunk> chunks = chunksOf(png, c.name);
        ASSERT_EQ(chunks.size(), 3u) << c.name;
        EXPECT_EQ(chunks[0].type, "IHDR") << c.name;
        EXPECT_EQ(chunks[1].type, "IDAT") << c.name;
        EXPECT_EQ(chunks[2].type, "IEND") << c.name;
        EXPECT_TRUE(chunks[2].data.empty()) << c.name;
        const Bytes& header = chunks[0].data;
        ASSERT_EQ(header.size(), 13u) << c.name;
        EXPECT_EQ(be32(header, 0), static_cast<std::uint32_t>(c.width)) << c.name;
        EXPECT_EQ(be32(header, 4), static_cast<std::uint32_t>(c.height)) << c.name;
        EXPECT_EQ(Bytes(header.begin() + 8, header.end()), (Bytes{8, 0, 0, 0, 0})) << c.name;

        const Bytes& z = chunks[1].data;
        ASSERT_GE(z.size(), 2u) << c.name;
        EXPECT_EQ(z[0], 0x78) << c.name;
        EXPECT_EQ(z[1], 0xDA) << c.name;
        Bytes raw(grey.size() + static_cast<std::size_t>(c.height) + 1);  // one byte to spare
        uLongf rawLength = static_cast<uLongf>(raw.size());
        ASSERT_EQ(uncompress(raw.data(), &rawLength, z.data(), static_cast<uLong>(z.size())), Z_OK) << c.name;
        ASSERT_EQ(rawLength, grey.size() + static_cast<std::size_t>(c.height)) << c.name;
        // A row the same as the one above is "up" (filter 2) and all zeros, any other "none".
        for (int y = 0; y < c.height; ++y) {
            const auto row = raw.begin() + static_cast<std::ptrdiff_t>(y) * (c.width + 1);
            const auto pixels = grey.begin() + static_cast<std::ptrdiff_t>(y) * c.width;
            const bool repeats = y > 0 && std::equal(pixels, pixels + c.width, pixels - c.width);
            EXPECT_EQ(row[0], repeats ? 2 : 0) << c.name << " row " << y << ": filter type";
            EXPECT_EQ(Bytes(row + 1, row + 1 + c.width), repeats ? Bytes(c.width, 0) : Bytes(pixels, pixels + c.width))
                << c.name << " row " << y;
        }
    }
}
