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

// Division rounding up, for either sign of the numerator (the divisor is positive).
std::int64_t ceilDiv(std::int64_t numerator, std::int64_t divisor) {
    const std::int64_t quotient = numerator / divisor;
    return quotient + (numerator % divisor > 0 ? 1 : 0);
}

// Preview rectangles in 64 bits: geometry comes from files, so no sum may overflow.
bool frameHolds(const PageFrame& f, std::int64_t x, std::int64_t y) {
    return x >= f.x && x < std::int64_t{f.x} + f.width && y >= f.y && y < std::int64_t{f.y} + f.height;
}

bool gaugeMeetsFrame(const GaugePlacement& g, const PageFrame& f) {
    const std::int64_t right = g.previewX + previewLength(g.displayWidth);
    const std::int64_t bottom = g.previewY + previewLength(g.displayHeight);
    return g.previewX < std::int64_t{f.x} + f.width && right > f.x &&
           g.previewY < std::int64_t{f.y} + f.height && bottom > f.y;
}

// The one page a gauge is drawn on: the page holding its top-left corner; for a gauge from a
// damaged file whose corner lies off every page, the first page it reaches into; -1 for none.
int imagePage(const GaugePlacement& g, const PageDirectory& directory) {
    for (int page = 0; page < kPageCount; ++page)
        if (frameHolds(directory.pages[page], g.previewX, g.previewY)) return page;
    for (int page = 0; page < kPageCount; ++page)
        if (gaugeMeetsFrame(g, directory.pages[page])) return page;
    return -1;
}

}  // namespace

bool fontGridPixelIsDark(const std::vector<std::uint8_t>& fontImage, int x, int y) {
    if (x < 0 || x >= kFontGridPixels || y < 0 || y >= kFontGridPixels) return false;
    const int glyph = (y / 8) * 16 + x / 8;
    const std::size_t at = kGlyphBytes * static_cast<std::size_t>(glyph) + static_cast<std::size_t>(y % 8);
    return at < fontImage.size() && ((fontImage[at] << (x % 8)) & 0x80) != 0;
}

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
    for (int slotsPage = 0; slotsPage < kPageCount; ++slotsPage) {
        const int used = usedSlotCount(directory.pages[slotsPage]);
        for (int s = 0; s < used; ++s) {
            const GaugePlacement& gauge = layout.slots[slotsPage][s];
            const std::int64_t rowBytes = gauge.displayWidth / 8;
            const std::int64_t rows = gauge.displayHeight;
            if (rowBytes <= 0 || rows <= 0) continue;
            const int page = imagePage(gauge, directory);
            if (page < 0) continue;
            const PageFrame& frame = directory.pages[page];
            // The first byte cell and line whose sample point (a cell's left edge, a line's
            // top) lies inside the gauge; on the grid that is its corner.
            const DisplayPoint corner = displayPointOf(gauge, frame, PixelRounding::up);
            const std::int64_t firstColumn = ceilDiv(corner.column, 8);
            const std::int64_t firstLine = corner.row;
            // Only the part of the bitmap inside this page is drawn.
            const std::int64_t rowFrom = std::max<std::int64_t>(0, -firstLine);
            const std::int64_t rowTo = std::min<std::int64_t>(rows, kPageLines - firstLine);
            const std::int64_t byteFrom = std::max<std::int64_t>(0, -firstColumn);
            const std::int64_t byteTo = std::min<std::int64_t>(rowBytes, kImageLineBytes - firstColumn);
            const PixelImage* pixels = bitmaps.pixels(gauge.bitmap);
            for (std::int64_t j = rowFrom; j < rowTo; ++j)
                for (std::int64_t k = byteFrom; k < byteTo; ++k) {
                    const std::int64_t line = std::int64_t{kPageLines} * page + firstLine + j;
                    const auto cell = static_cast<std::size_t>(kImageLineBytes * line + firstColumn + k);
                    // Where damaged placements overlap, the first one (pages, then slots)
                    // keeps the cell, as the hit test answers with the first one.
                    if (taken[cell]) continue;
                    image[cell] = monochromeByte(pixels, rowBytes * j + k);
                    taken[cell] = true;
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
