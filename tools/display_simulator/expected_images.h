#pragma once
// The page and font images as the display must show them, drawn pixel by pixel from the
// committed bitmap files: each gauge's bitmap at its place (1 = dark pixel), and the glyphs cut
// from the character-set picture.
#include <cstdint>
#include <string>
#include <vector>

class BitmapFolder;

constexpr std::size_t kPageImageSize = 4 * 64 * 30;
constexpr std::size_t kFontImageSize = 256 * 8;

// A gauge as the display places it: page 0 to 3, identifier, top-left display pixel.
struct PlacedGauge {
    int page = 0;
    std::uint32_t gaugeId = 0;
    int column = 0;
    int row = 0;
};

// Gauges whose identifier is not in the catalog, or whose bitmap does not read, are left out and
// named in `errors`; a bitmap that reaches past its page is cut at the page's edges.
std::vector<std::uint8_t> expectedPageImage(const std::vector<PlacedGauge>& gauges, BitmapFolder& bitmaps,
                                            std::vector<std::string>& errors);
// Glyph g is the 8 x 8 cell in column g mod 16 and row g div 16 of the picture, top row first.
std::vector<std::uint8_t> expectedFontImage(BitmapFolder& bitmaps, std::vector<std::string>& errors);
