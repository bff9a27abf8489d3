#pragma once
// The two pictures the display receives: the page image (the four pages as the display shows
// them, 1 bit per pixel) and the font image (its 256 glyphs of 8 x 8 pixels).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "layout/bitmap_pixels.h"
#include "layout/page_layout.h"

constexpr int kImageLineBytes = 30;  // 240 pixels
constexpr int kPageLines = 64;
constexpr std::size_t kPageImageBytes = kPageCount * kPageLines * kImageLineBytes;  // 7680
constexpr std::size_t kGlyphBytes = 8;
constexpr std::size_t kFontImageBytes = 256 * kGlyphBytes;  // 2048

// The font image drawn as the 16 x 16 grid of glyphs it was cut from (glyph g at column g mod 16,
// row g div 16): whether pixel (x, y), each 0..127, is dark.
constexpr int kFontGridPixels = 128;
bool fontGridPixelIsDark(const std::vector<std::uint8_t>& fontImage, int x, int y);

// A pixel is dark when blue + green + red < 384.
bool isDarkPixel(std::uint32_t colour);

// The first byteCount x 8 pixels of the image, row after row from the top, 8 pixels a byte with
// the first in bit 7; 1 is dark. Pixels beyond the image (or no image) count as light.
std::vector<std::uint8_t> toMonochrome(const PixelImage* image, std::size_t byteCount);

// Glyph g is the 8 x 8 cell at column g mod 16, row g div 16 of the 128 x 128 picture, rows top
// first.
std::vector<std::uint8_t> buildFontImage(const PixelImage* characterSet);

// Each placed gauge's bitmap lands with its top-left byte at the first byte cell and line its
// rectangle covers, on the page that holds its top-left corner, and only there. A gauge from a
// damaged file that reaches past any edge of that page is cut off at the edge.
std::vector<std::uint8_t> buildPageImage(const PageLayout& layout, const PageDirectory& directory,
                                         BitmapPixels& bitmaps);

// The page image read as one 240 x 256 picture, the four pages stacked with page 1 on top:
// whether pixel x (0 to 239) of line y (0 to 255) is dark. A point outside the picture, or
// beyond a page image that is too short, is light.
bool displayPixelIsDark(const std::vector<std::uint8_t>& pageImage, int x, int y);
