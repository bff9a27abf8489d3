// Checks the generated files through an independent reader: the bitmaps' headers and sizes
// against the catalog, their two colours, the font image the upload scans out of the character
// set, the resource script fragment and the icon's layout.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "layout/byte_io.h"
#include "layout/gauge_catalog.h"
#include "resource_set.h"

namespace {

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // top row first, 0xRRGGBB
};

// Reads an uncompressed 8-bit bottom-up bitmap, checking the header fields on the way.
DecodedBitmap decodeBitmap8(const std::vector<std::uint8_t>& file, const std::string& name) {
    ByteReader r(file.data(), file.size());
    DecodedBitmap out;
    EXPECT_EQ(r.u8(), 'B') << name;
    EXPECT_EQ(r.u8(), 'M') << name;
    EXPECT_EQ(r.u32(), file.size()) << name;
    r.skip(4);
    const std::uint32_t pixelOffset = r.u32();
    EXPECT_EQ(pixelOffset, 14u + 40u + 1024u) << name;
    EXPECT_EQ(r.u32(), 40u) << name;
    out.width = r.i32();
    out.height = r.i32();
    EXPECT_EQ(r.u16(), 1) << name;
    EXPECT_EQ(r.u16(), 8) << name << ": bits per pixel";
    EXPECT_EQ(r.u32(), 0u) << name << ": compression";
    const std::uint32_t stride = (static_cast<std::uint32_t>(out.width) + 3) / 4 * 4;
    EXPECT_EQ(r.u32(), stride * static_cast<std::uint32_t>(out.height)) << name;
    r.skip(8);
    EXPECT_EQ(r.u32(), 256u) << name << ": palette size";
    r.skip(4);
    std::uint32_t palette[256];
    for (std::uint32_t& c : palette) {
        const std::uint32_t b = r.u8(), g = r.u8(), red = r.u8();
        r.skip(1);
        c = red << 16 | g << 8 | b;
    }
    EXPECT_EQ(r.position(), pixelOffset) << name;
    out.rgb.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    for (int y = out.height - 1; y >= 0; --y) {
        for (int x = 0; x < out.width; ++x) out.rgb[static_cast<std::size_t>(y) * out.width + x] = palette[r.u8()];
        r.skip(stride - static_cast<std::uint32_t>(out.width));
    }
    EXPECT_FALSE(r.overrun()) << name;
    EXPECT_EQ(r.remaining(), 0u) << name;
    return out;
}

// The dark-pixel rule the upload applies to a bitmap's own colours.
bool isDark(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF) < 384;
}

class GeneratedResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        files_ = new std::map<std::string, std::vector<std::uint8_t>>;
        for (GeneratedFile& f : generateResources()) (*files_)[f.path] = std::move(f.bytes);
    }
    static void TearDownTestSuite() { delete files_; }

    // The generated bitmap of a resource id ("bitmaps/<id>_....bmp"), decoded.
    static DecodedBitmap bitmap(std::uint32_t id, std::string* pathOut = nullptr) {
        const std::string prefix = "bitmaps/" + std::to_string(id) + "_";
        for (const auto& [path, bytes] : *files_) {
            if (path.compare(0, prefix.size(), prefix) == 0 && path.size() > 4 &&
                path.compare(path.size() - 4, 4, ".bmp") == 0) {
                if (pathOut) *pathOut = path;
                return decodeBitmap8(bytes, path);
            }
        }
        ADD_FAILURE() << "no bitmap for id " << id;
        return {};
    }

    // The font image as the upload builds it: the picture as 128 lines of 16 one-bit bytes,
    // then for each band and column the cell's eight rows.
    static std::vector<std::uint8_t> fontImage() {
        const DecodedBitmap picture = bitmap(124);
        std::vector<std::uint8_t> lines(2048, 0);
        for (int i = 0; i < 128 * 128; ++i)
            if (isDark(picture.rgb[i])) lines[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
        std::vector<std::uint8_t> font;
        for (int band = 0; band < 16; ++band)
            for (int column = 0; column < 16; ++column)
                for (int row = 0; row < 8; ++row) font.push_back(lines[128 * band + 16 * row + column]);
        return font;
    }

    static std::map<std::string, std::vector<std::uint8_t>>* files_;
};

std::map<std::string, std::vector<std::uint8_t>>* GeneratedResources::files_ = nullptr;

std::vector<std::uint8_t> glyph(const std::vector<std::uint8_t>& font, int code) {
    return std::vector<std::uint8_t>(font.begin() + 8 * code, font.begin() + 8 * code + 8);
}

TEST_F(GeneratedResources, EveryCatalogBitmapHasItsStatedSizeAndTwoColoursWithInk) {
    const std::vector<GaugeBitmapSize> bitmapSizes = allBitmapIds();
    ASSERT_EQ(bitmapSizes.size(), 104u);
    for (const GaugeBitmapSize& bitmapSize : bitmapSizes) {
        std::string path;
        const DecodedBitmap b = bitmap(bitmapSize.bitmapId, &path);
        EXPECT_EQ(b.width, bitmapSize.width) << path;
        EXPECT_EQ(b.height, bitmapSize.height) << path;
        EXPECT_EQ(b.width % 8, 0) << path << ": rows must be whole bytes for the upload";
        int dark = 0;
        for (std::uint32_t c : b.rgb) {
            EXPECT_TRUE(c == 0xC0DCC0u || c == 0x000000u) << path << " colour " << std::hex << c;
            dark += c == 0;
        }
        EXPECT_GT(dark, 0) << path << " is blank";
        EXPECT_LT(dark, static_cast<int>(b.rgb.size()) * 2 / 3) << path << " is mostly ink";
    }
}

TEST_F(GeneratedResources, PageBackgroundIsAPlainGroundField) {
    const DecodedBitmap b = bitmap(115);
    EXPECT_EQ(b.width, 480);
    EXPECT_EQ(b.height, 128);
    for (std::uint32_t c : b.rgb) ASSERT_EQ(c, 0xC0DCC0u);
}

TEST_F(GeneratedResources, FontImageHoldsTheGlyphTable) {
    const DecodedBitmap picture = bitmap(124);
    ASSERT_EQ(picture.width, 128);
    ASSERT_EQ(picture.height, 128);
    const std::vector<std::uint8_t> font = fontImage();

    EXPECT_EQ(glyph(font, 0x41), (std::vector<std::uint8_t>{0x7C, 0x82, 0x82, 0xFE, 0x82, 0x82, 0x82, 0x00}));
    for (int code = 0x41; code <= 0x52; ++code) {
        const std::vector<std::uint8_t> g = glyph(font, code);
        EXPECT_EQ(g[7], 0) << "capital " << char(code) << ": bottom row must stay empty";
        std::uint8_t any = 0;
        for (std::uint8_t row : g) any |= row;
        EXPECT_EQ(any & 0x01, 0) << "capital " << char(code) << ": right column must stay empty";
        EXPECT_NE(any, 0) << "capital " << char(code) << " is empty";
    }
    for (int i = 0; i < 8; ++i) {
        const std::uint8_t columns = static_cast<std::uint8_t>(0xFF00 >> (i + 1));
        EXPECT_EQ(glyph(font, 0x80 + i), std::vector<std::uint8_t>(8, columns)) << "fill " << i;
        std::vector<std::uint8_t> rows(8, 0);
        for (int r = 7 - i; r < 8; ++r) rows[r] = 0xFF;
        EXPECT_EQ(glyph(font, 0x88 + i), rows) << "fill from the bottom " << i;
    }
    std::vector<std::uint8_t> topSeven(8, 0xFF);
    topSeven[7] = 0;
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(glyph(font, 0xB0 + i), std::vector<std::uint8_t>(8, 0xFF)) << "solid " << i;
        EXPECT_EQ(glyph(font, 0xC0 + i), topSeven) << "top seven rows " << i;
    }
    // Large characters: every upper half but the decimal point's has ink, and so does every
    // lower half but the minus sign's and the degree sign's.
    const std::vector<std::uint8_t> empty(8, 0);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(glyph(font, 0x90 + i) == empty, i == 1) << "upper half " << i;
        EXPECT_EQ(glyph(font, 0xA0 + i) == empty, i == 0 || i == 14) << "lower half " << i;
    }
    // Every code the table does not name is an empty cell.
    for (int code = 0; code < 256; ++code) {
        const bool named = (code >= 0x41 && code <= 0x52) || (code >= 0x80 && code <= 0xCF);
        if (!named) {
            EXPECT_EQ(glyph(font, code), empty) << "code " << code;
        }
    }
}

TEST_F(GeneratedResources, ScriptFragmentListsEveryBitmapOnceUnderItsId) {
    const std::vector<std::uint8_t>& bytes = files_->at("bitmaps/bitmaps.rc");
    std::istringstream script(std::string(bytes.begin(), bytes.end()));
    std::map<std::string, std::string> listed;  // path -> id
    std::string line;
    while (std::getline(script, line)) {
        if (line.empty() || line.compare(0, 2, "//") == 0) continue;
        std::istringstream fields(line);
        std::string id, kind, quoted;
        fields >> id >> kind >> quoted;
        EXPECT_EQ(kind, "BITMAP") << line;
        ASSERT_GE(quoted.size(), 2u) << line;
        const std::string path = quoted.substr(1, quoted.size() - 2);
        EXPECT_EQ(path.compare(0, 8 + id.size() + 1, "bitmaps/" + id + "_"), 0) << line;
        EXPECT_TRUE(listed.emplace(path, id).second) << "listed twice: " << line;
        EXPECT_TRUE(files_->count(path)) << "not generated: " << line;
    }
    int bmpCount = 0;
    for (const auto& entry : *files_)
        if (entry.first.size() > 4 && entry.first.compare(entry.first.size() - 4, 4, ".bmp") == 0) {
            ++bmpCount;
            EXPECT_TRUE(listed.count(entry.first)) << "not listed: " << entry.first;
        }
    EXPECT_EQ(bmpCount, 106);  // 104 gauge bitmaps, the page background and the character set
}

TEST_F(GeneratedResources, IconIsOne32By32ImageIn16Colours) {
    const std::vector<std::uint8_t>& ico = files_->at("veltrana.ico");
    ByteReader r(ico.data(), ico.size());
    EXPECT_EQ(r.u16(), 0);
    EXPECT_EQ(r.u16(), 1);  // icon
    EXPECT_EQ(r.u16(), 1);  // one image
    EXPECT_EQ(r.u8(), 32);
    EXPECT_EQ(r.u8(), 32);
    EXPECT_EQ(r.u8(), 16);
    r.skip(1);
    EXPECT_EQ(r.u16(), 1);
    EXPECT_EQ(r.u16(), 4);
    const std::uint32_t imageBytes = r.u32();
    const std::uint32_t offset = r.u32();
    // Header 40, palette 16 x 4, colour bits 32 rows x 16 bytes, mask 32 rows x 4 bytes.
    EXPECT_EQ(imageBytes, 40u + 64u + 512u + 128u);
    EXPECT_EQ(offset, 22u);
    EXPECT_EQ(ico.size(), offset + imageBytes);
    EXPECT_EQ(r.u32(), 40u);
    EXPECT_EQ(r.i32(), 32);
    EXPECT_EQ(r.i32(), 64);  // colour and mask bitmaps together
    EXPECT_EQ(r.u16(), 1);
    EXPECT_EQ(r.u16(), 4);
}

}  // namespace
