#include "expected_images.h"

#include "bitmap_folder.h"
#include "display_rules.h"
#include "layout/gauge_catalog.h"
#include "layout/bitmap_ids.h"

namespace {

// The 32-bit colour rule: dark when blue + green + red is under 384.
bool dark(std::uint32_t rgb) {
    return (rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF) < 384;
}

void setPixel(std::vector<std::uint8_t>& image, int bytesPerLine, int x, int line) {
    image[static_cast<std::size_t>(line * bytesPerLine + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
}

}  // namespace

std::vector<std::uint8_t> expectedPageImage(const std::vector<PlacedGauge>& gauges, BitmapFolder& bitmaps,
                                            std::vector<std::string>& errors) {
    std::vector<std::uint8_t> image(kPageImageSize, 0);
    for (const PlacedGauge& g : gauges) {
        const GaugeDefinition* def = lookUpGauge(g.gaugeId);
        if (!def) {
            errors.push_back("page " + std::to_string(g.page + 1) + ": gauge id " + std::to_string(g.gaugeId) +
                             " is not in the catalog");
            continue;
        }
        const PixelImage* bitmap = bitmaps.pixels(def->bitmapId);
        if (!bitmap) continue;  // the folder has named the missing file
        for (int y = 0; y < bitmap->height; ++y)
            for (int x = 0; x < bitmap->width; ++x) {
                const int column = g.column + x, row = g.row + y;
                if (column < 0 || column >= 240 || row < 0 || row >= 64) continue;
                if (dark(bitmap->pixels[static_cast<std::size_t>(y * bitmap->width + x)]))
                    setPixel(image, 30, column, 64 * g.page + row);
            }
    }
    return image;
}

std::vector<std::uint8_t> expectedFontImage(BitmapFolder& bitmaps, std::vector<std::string>& errors) {
    std::vector<std::uint8_t> font(kFontImageSize, 0);
    const PixelImage* picture = bitmaps.pixels(IDB_CHARACTER_SET);
    if (!picture) return font;
    if (picture->width < 128 || picture->height < 128) {
        errors.push_back("the character set picture is smaller than 128 x 128");
        return font;
    }
    for (int g = 0; g < 256; ++g)
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 8; ++col) {
                const int x = 8 * (g % 16) + col, y = 8 * (g / 16) + row;
                if (dark(picture->pixels[static_cast<std::size_t>(y * picture->width + x)]))
                    setPixel(font, 1, col, 8 * g + row);
            }
    return font;
}
