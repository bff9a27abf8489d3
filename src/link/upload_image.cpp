#include "link/upload_image.h"

#include <algorithm>

namespace {

// Output byte `index` of the image read as one long run of pixels.
std::uint8_t monochromeByte(const PixelImage* image, std::int64_t index) {
    if (!image || index < 0) return 0;
    const std::int64_t total = static_cast<std::int64_t>(image->pixels.size());
    std::uint8_t out = 0;
    for (int bit = 0; bit < 8; ++bit) {
        const std::int64_t p = index * 8 + bit;
        if (p < total && isDarkPixel(image->pixels[static_cast<std::size_t>(p)]))
            out |= static_cast<std::uint8_t>(0x80 >> bit);
    }
    return out;
}

}  // namespace

bool isDarkPixel(std::uint32_t colour) {
    const unsigned blue = colour & 0xFF, green = (colour >> 8) & 0xFF, red = (colour >> 16) & 0xFF;
    return blue + green + red < 384;
}

std::vector<std::uint8_t> toMonochrome(const PixelImage* image, std::size_t byteCount) {
    std::vector<std::uint8_t> out(byteCount, 0);
    for (std::size_t i = 0; i < byteCount; ++i)
        out[i] = monochromeByte(image, static_cast<std::int64_t>(i));
    return out;
}

std::vector<std::uint8_t> buildFontImage(const PixelImage* characterSet) {
    const std::vector<std::uint8_t> picture = toMonochrome(characterSet, kFontImageBytes);
    std::vector<std::uint8_t> font;
    font.reserve(kFontImageBytes);
    for (int band = 0; band < 16; ++band)
        for (int column = 0; column < 16; ++column)
            for (int row = 0; row < 8; ++row) font.push_back(picture[128 * band + 16 * row + column]);
    return font;
}

std::vector<std::uint8_t> buildPageImage(const PageLayout& layout, const PageDirectory& directory,
                                         BitmapPixels& bitmaps) {
    std::vector<std::uint8_t> image(kPageImageBytes, 0);
    std::vector<bool> taken(kPageImageBytes, false);
    for (int line = 0; line < kPageCount * kPageLines; ++line) {
        const int page = line / kPageLines;
        const int pageLine = line % kPageLines;
        const PageFrame& frame = directory.pages[page];
        for (int column = 0; column < kImageLineBytes; ++column) {
            const int cell = kImageLineBytes * line + column;
            if (taken[cell]) continue;
            const auto hit = findPlacementAt(layout, directory, frame.x + 16 * column,
                                             frame.y + 2 * pageLine);
            if (!hit) continue;
            const GaugePlacement& gauge = layout.slots[hit->page][hit->slot];
            const std::int64_t rowBytes = gauge.width / 8;
            if (rowBytes <= 0 || gauge.height <= 0) continue;
            // Only what fits on this page from this cell is copied.
            const int rows = static_cast<int>(std::min<std::int64_t>(gauge.height, kPageLines - pageLine));
            const int bytes = static_cast<int>(std::min<std::int64_t>(rowBytes, kImageLineBytes - column));
            const PixelImage* pixels = bitmaps.pixels(gauge.bitmap);
            for (int j = 0; j < rows; ++j)
                for (int k = 0; k < bytes; ++k) {
                    const int target = cell + kImageLineBytes * j + k;
                    image[target] = monochromeByte(pixels, rowBytes * j + k);
                    taken[target] = true;
                }
        }
    }
    return image;
}

bool displayPixelIsDark(const std::vector<std::uint8_t>& pageImage, int x, int y) {
    if (x < 0 || x >= 8 * kImageLineBytes || y < 0 || y >= kPageCount * kPageLines) return false;
    const std::size_t index = static_cast<std::size_t>(kImageLineBytes) * y + x / 8;
    return index < pageImage.size() && (pageImage[index] & (0x80 >> (x % 8))) != 0;
}
