#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "layout/bmp_file.h"
#include "link/upload_image.h"
#include "support/upload_config.h"

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// A bitmap whose pixel (x, y) is dark exactly where pattern(x, y) says so.
template <typename F>
PixelImage makeImage(int width, int height, F dark) {
    PixelImage img;
    img.width = width;
    img.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) img.pixels.push_back(dark(x, y) ? kBlack : kWhite);
    return img;
}

int byteAt(const std::vector<std::uint8_t>& image, int line, int column) {
    return image[static_cast<std::size_t>(30 * line + column)];
}

}  // namespace

TEST(UploadImage, DarkRuleAndBitOrder) {
    struct Case {
        const char* name;
        std::uint32_t colour;
        bool dark;
    };
    const Case cases[] = {
        {"black", 0x000000, true},
        {"sum 383", 0xFF8000, true},   // red 255, green 128, blue 0
        {"sum 384", 0xFF8001, false},  // red 255, green 128, blue 1
        {"alpha byte ignored", 0xFF000000, true},
        {"white", 0xFFFFFF, false},
        {"pure blue", 0x0000FF, true},
    };
    for (const Case& c : cases) EXPECT_EQ(isDarkPixel(c.colour), c.dark) << "case " << c.name;

    // First pixel in bit 7; the run continues across rows; beyond the image is light.
    const PixelImage img = makeImage(8, 2, [](int x, int y) { return (y == 0 && x == 0) || (y == 1 && x == 7); });
    EXPECT_EQ(toMonochrome(&img, 3), (std::vector<std::uint8_t>{0x80, 0x01, 0x00}));
    EXPECT_EQ(toMonochrome(nullptr, 2), (std::vector<std::uint8_t>{0x00, 0x00}));
}

TEST(UploadImage, FontTakesGlyphsFromTheirCells) {
    // Glyph 0x41 sits in column 1, row 4 of the picture; draw an "A" there and a mark in the
    // glyph 0xFF cell's bottom-right pixel.
    const std::uint8_t a[8] = {0x7C, 0x82, 0x82, 0xFE, 0x82, 0x82, 0x82, 0x00};
    const PixelImage pic = makeImage(128, 128, [&](int x, int y) {
        if (x / 8 == 1 && y / 8 == 4) return ((a[y % 8] << (x % 8)) & 0x80) != 0;
        return x == 127 && y == 127;
    });
    const std::vector<std::uint8_t> font = buildFontImage(&pic);
    ASSERT_EQ(font.size(), 2048u);
    EXPECT_EQ(std::vector<std::uint8_t>(font.begin() + 0x41 * 8, font.begin() + 0x42 * 8),
              std::vector<std::uint8_t>(a, a + 8));
    EXPECT_EQ(font[0xFF * 8 + 7], 0x01);
    int dark = 0;
    for (std::uint8_t b : font) dark += b != 0;
    EXPECT_EQ(dark, 8) << "only the seven rows of the A and the mark";
}

TEST(UploadImage, FontFromTheCommittedCharacterSet) {
    // The generated bitmaps are named by resource id first ("124_....bmp").
    std::string path;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VELTRANA_SOURCE_DIR) + "/resources/bitmaps", ec))
        if (entry.path().filename().string().rfind("124_", 0) == 0) path = entry.path().string();
    if (path.empty()) GTEST_SKIP() << "no character-set bitmap in resources/bitmaps";
    PixelImage pic;
    std::string error;
    ASSERT_TRUE(readBmpFile(path, pic, error)) << error;
    EXPECT_EQ(pic.width, 128);
    EXPECT_EQ(pic.height, 128);
    const std::vector<std::uint8_t> font = buildFontImage(&pic);
    const std::vector<std::uint8_t> a{0x7C, 0x82, 0x82, 0xFE, 0x82, 0x82, 0x82, 0x00};
    EXPECT_EQ(std::vector<std::uint8_t>(font.begin() + 0x41 * 8, font.begin() + 0x42 * 8), a);
    EXPECT_EQ(std::vector<std::uint8_t>(font.begin() + 0x30 * 8, font.begin() + 0x31 * 8),
              std::vector<std::uint8_t>(8, 0));
    EXPECT_EQ(std::vector<std::uint8_t>(font.begin() + 0xB0 * 8, font.begin() + 0xB1 * 8),
              std::vector<std::uint8_t>(8, 0xFF));
}

TEST(UploadImage, GaugesLandAtTheirPositions) {
    // Every bitmap is solid dark, so the image shows exactly the cells each gauge covers.
    struct Case {
        const char* name;
        int page, column, row, width, height;
        int firstLine, lines, firstByte, bytes;  // the dark block expected in the image
    };
    const Case cases[] = {
        {"nothing placed", 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"radial 64x64 at page 2 corner", 1, 0, 0, 64, 64, 64, 64, 0, 8},
        {"text 56x16 at column 184 of page 1", 0, 184, 0, 56, 16, 0, 16, 23, 7},
        {"page 4 bottom-right indicator", 3, 216, 56, 24, 8, 248, 8, 27, 3},
        {"clipped at the right edge", 2, 224, 8, 64, 8, 136, 8, 28, 2},
        {"clipped at the bottom edge", 0, 0, 56, 16, 16, 56, 8, 0, 2},
    };
    for (const Case& c : cases) {
        auto cfg = std::make_unique<UploadConfig>();
        MemoryBitmaps bitmaps;
        if (c.width > 0) {
            bitmaps.images[7] = makeImage(c.width, c.height, [](int, int) { return true; });
            cfg->place(c.page, kRpmGaugeId, c.column, c.row, c.width, c.height, 7);
        }
        const std::vector<std::uint8_t> image = buildPageImage(cfg->layout, cfg->directory, bitmaps);
        ASSERT_EQ(image.size(), 7680u) << "case " << c.name;
        int wrong = 0;
        for (int line = 0; line < 256; ++line)
            for (int col = 0; col < 30; ++col) {
                const bool inside = line >= c.firstLine && line < c.firstLine + c.lines &&
                                    col >= c.firstByte && col < c.firstByte + c.bytes;
                if (byteAt(image, line, col) != (inside ? 0xFF : 0x00)) ++wrong;
            }
        EXPECT_EQ(wrong, 0) << "case " << c.name;
    }
}

// A gauge from a damaged file reaching past any edge of its page is drawn once, on the page that
// holds its top-left corner (or, with the corner off every page, the first page it reaches),
// cut at that page's edges and never shifted into it.
TEST(UploadImage, DamagedPlacementsAreDrawnOnceAndCutAtTheirPage) {
    struct Case {
        const char* name;
        int page, column, row, width, height;  // display pixels from the page's corner
        int firstLine, lines, firstByte, bytes;
    };
    const Case cases[] = {
        {"past the bottom into the next page", 0, 0, 56, 16, 48, 56, 8, 0, 2},
        {"height near the int32 limit", 1, 0, 0, 16, INT32_MAX, 64, 64, 0, 2},
        {"past the left edge", 3, -8, 8, 24, 8, 200, 8, 0, 2},
        {"past the top edge", 0, 0, -4, 16, 8, 0, 4, 0, 2},
        {"corner between two pages", 0, 0, 72, 16, 24, 64, 8, 0, 2},
        {"off the byte grid", 2, 10, 3, 16, 4, 131, 4, 2, 2},
    };
    for (const Case& c : cases) {
        auto cfg = std::make_unique<UploadConfig>();
        MemoryBitmaps bitmaps;
        bitmaps.images[7] = makeImage(240, 64, [](int, int) { return true; });
        cfg->place(c.page, kRpmGaugeId, c.column, c.row, c.width, c.height, 7);
        const std::vector<std::uint8_t> image = buildPageImage(cfg->layout, cfg->directory, bitmaps);
        int wrong = 0;
        for (int line = 0; line < 256; ++line)
            for (int col = 0; col < 30; ++col) {
                const bool inside = line >= c.firstLine && line < c.firstLine + c.lines &&
                                    col >= c.firstByte && col < c.firstByte + c.bytes;
                if (byteAt(image, line, col) != (inside ? 0xFF : 0x00)) ++wrong;
            }
        EXPECT_EQ(wrong, 0) << "case " << c.name;
    }

    // Cut, not shifted: the bytes left of and above the page are the ones that go.
    auto cfg = std::make_unique<UploadConfig>();
    MemoryBitmaps bitmaps;
    bitmaps.images[3] = makeImage(24, 2, [](int x, int y) { return x / 8 == 2 && y == 1; });
    cfg->place(0, kRpmGaugeId, -16, -1, 24, 2, 3);
    const std::vector<std::uint8_t> image = buildPageImage(cfg->layout, cfg->directory, bitmaps);
    EXPECT_EQ(byteAt(image, 0, 0), 0xFF);
    EXPECT_EQ(std::count(image.begin(), image.end(), 0), 7679);
}

// Frames and placements near the int32 limits: edges are computed in 64 bits, so nothing wraps
// around onto a page.
TEST(UploadImage, CoordinatesNearTheInt32LimitDoNotWrap) {
    auto cfg = std::make_unique<UploadConfig>();
    MemoryBitmaps bitmaps;
    bitmaps.images[7] = makeImage(16, 8, [](int, int) { return true; });
    cfg->directory.pages[0].x = INT32_MAX - 100;
    cfg->directory.pages[1].y = INT32_MAX - 50;
    GaugePlacement far;
    far.displayWidth = 16;
    far.displayHeight = 8;
    far.bitmap = 7;
    far.previewX = INT32_MIN;
    far.previewY = cfg->directory.pages[0].y;
    cfg->layout.slots[0][0] = far;
    far.previewX = cfg->directory.pages[1].x;
    far.previewY = INT32_MIN;
    cfg->layout.slots[1][0] = far;
    cfg->directory.pages[0].count = cfg->directory.pages[1].count = 1;
    const std::vector<std::uint8_t> image = buildPageImage(cfg->layout, cfg->directory, bitmaps);
    EXPECT_EQ(std::count(image.begin(), image.end(), 0), 7680);
}

TEST(UploadImage, BitmapRowsKeepTheirOwnPixels) {
    // A 16x2 bitmap with distinct bytes lands row by row, byte by byte.
    auto cfg = std::make_unique<UploadConfig>();
    MemoryBitmaps bitmaps;
    const std::uint8_t rows[2][2] = {{0xA5, 0x0F}, {0x81, 0x3C}};
    bitmaps.images[3] = makeImage(16, 2, [&](int x, int y) { return ((rows[y][x / 8] << (x % 8)) & 0x80) != 0; });
    cfg->place(1, kRpmGaugeId, 8, 2, 16, 2, 3);
    // A gauge without pixels (unknown bitmap) stays light.
    cfg->place(1, kRpmGaugeId, 80, 2, 16, 2, 99);
    const std::vector<std::uint8_t> image = buildPageImage(cfg->layout, cfg->directory, bitmaps);
    EXPECT_EQ(byteAt(image, 66, 1), 0xA5);
    EXPECT_EQ(byteAt(image, 66, 2), 0x0F);
    EXPECT_EQ(byteAt(image, 67, 1), 0x81);
    EXPECT_EQ(byteAt(image, 67, 2), 0x3C);
    EXPECT_EQ(byteAt(image, 66, 10), 0x00);
}

TEST(UploadImage, BmpReaderHandlesPalettesAndOrientation) {
    // A 2x2, 8 bpp bottom-up file: palette 0 black, 1 white; bottom row 0 1, top row 1 0.
    std::vector<std::uint8_t> f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
                                   40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0,
                                   0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                                   0, 0, 0, 0, 255, 255, 255, 0,
                                   0, 1, 0, 0, 1, 0, 0, 0};
    PixelImage img;
    std::string error;
    ASSERT_TRUE(decodeBmp(f, img, error)) << error;
    EXPECT_EQ(img.pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0, 0, 0xFFFFFF}));
    f.resize(f.size() - 3);
    EXPECT_FALSE(decodeBmp(f, img, error)) << "a file cut short is refused";
}
