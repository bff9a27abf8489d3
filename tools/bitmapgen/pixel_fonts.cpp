#include "pixel_fonts.h"

#include <cstring>
#include <stdexcept>

#include "canvas.h"

// A glyph is its rows joined by '|', '#' for a set pixel; its width is the first row's length.
struct FontGlyph {
    char ch;
    const char* rows;
};

struct PixelFont {
    int height;
    const FontGlyph* glyphs;
    int count;
};

namespace {

const FontGlyph kGlyphs3x5[] = {
    {'A', ".#.|#.#|###|#.#|#.#"}, {'B', "##.|#.#|##.|#.#|##."}, {'C', ".##|#..|#..|#..|.##"},
    {'D', "##.|#.#|#.#|#.#|##."}, {'E', "###|#..|##.|#..|###"}, {'F', "###|#..|##.|#..|#.."},
    {'G', ".##|#..|#.#|#.#|.##"}, {'H', "#.#|#.#|###|#.#|#.#"}, {'I', "###|.#.|.#.|.#.|###"},
    {'J', "..#|..#|..#|#.#|.#."}, {'K', "#.#|#.#|##.|#.#|#.#"}, {'L', "#..|#..|#..|#..|###"},
    {'M', "#...#|##.##|#.#.#|#...#|#...#"}, {'N', "#..#|##.#|#.##|#..#|#..#"},
    {'O', ".#.|#.#|#.#|#.#|.#."}, {'P', "##.|#.#|##.|#..|#.."}, {'Q', ".#.|#.#|#.#|##.|.##"},
    {'R', "##.|#.#|##.|#.#|#.#"}, {'S', ".##|#..|.#.|..#|##."}, {'T', "###|.#.|.#.|.#.|.#."},
    {'U', "#.#|#.#|#.#|#.#|###"}, {'V', "#.#|#.#|#.#|#.#|.#."},
    {'W', "#...#|#...#|#.#.#|##.##|#...#"}, {'X', "#.#|#.#|.#.|#.#|#.#"},
    {'Y', "#.#|#.#|.#.|.#.|.#."}, {'Z', "###|..#|.#.|#..|###"},
    {'a', "...|.##|#.#|#.#|.##"}, {'k', "#..|#.#|##.|#.#|#.#"}, {'x', "...|#.#|.#.|#.#|..."},
    {'0', "###|#.#|#.#|#.#|###"}, {'1', ".#.|##.|.#.|.#.|###"}, {'2', "##.|..#|.#.|#..|###"},
    {'3', "##.|..#|.#.|..#|##."}, {'4', "#.#|#.#|###|..#|..#"}, {'5', "###|#..|##.|..#|##."},
    {'6', ".##|#..|###|#.#|###"}, {'7', "###|..#|.#.|.#.|.#."}, {'8', "###|#.#|###|#.#|###"},
    {'9', "###|#.#|###|..#|##."}, {'#', ".#.#.|#####|.#.#.|#####|.#.#."}, {'%', "#.#|..#|.#.|#..|#.#"},
    {'.', ".|.|.|.|#"}, {'-', "...|...|###|...|..."}, {'/', "..#|..#|.#.|#..|#.."},
    {':', ".|#|.|#|."}, {'(', ".#|#.|#.|#.|.#"}, {')', "#.|.#|.#|.#|#."},
    {' ', "..|..|..|..|.."},
};

const FontGlyph kGlyphs5x7[] = {
    {'0', ".###.|#...#|#...#|#...#|#...#|#...#|.###."},
    {'1', "..#..|.##..|..#..|..#..|..#..|..#..|.###."},
    {'2', ".###.|#...#|....#|...#.|..#..|.#...|#####"},
    {'3', "#####|...#.|..#..|...#.|....#|#...#|.###."},
    {'4', "...#.|..##.|.#.#.|#..#.|#####|...#.|...#."},
    {'5', "#####|#....|####.|....#|....#|#...#|.###."},
    {'6', "..##.|.#...|#....|####.|#...#|#...#|.###."},
    {'7', "#####|....#|...#.|..#..|.#...|.#...|.#..."},
    {'8', ".###.|#...#|#...#|.###.|#...#|#...#|.###."},
    {'9', ".###.|#...#|#...#|.####|....#|...#.|.##.."},
    {'.', ".|.|.|.|.|.|#"},
    {'-', "....|....|....|####|....|....|...."},
    {'R', "####.|#...#|#...#|####.|#.#..|#..#.|#...#"},
    {'P', "####.|#...#|#...#|####.|#....|#....|#...."},
    {'M', "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#"},
    {' ', "..|..|..|..|..|..|.."},
};

const FontGlyph& glyphFor(const PixelFont& font, char ch) {
    for (int i = 0; i < font.count; ++i)
        if (font.glyphs[i].ch == ch) return font.glyphs[i];
    throw std::invalid_argument(std::string("no pixel glyph for '") + ch + "'");
}

int glyphWidth(const FontGlyph& g) {
    const char* bar = std::strchr(g.rows, '|');
    return static_cast<int>(bar ? bar - g.rows : std::strlen(g.rows));
}

}  // namespace

const PixelFont kFont3x5 = {5, kGlyphs3x5, sizeof kGlyphs3x5 / sizeof kGlyphs3x5[0]};
const PixelFont kFont5x7 = {7, kGlyphs5x7, sizeof kGlyphs5x7 / sizeof kGlyphs5x7[0]};

int fontHeight(const PixelFont& font) { return font.height; }

int textWidth(const PixelFont& font, const std::string& text) {
    int width = 0;
    for (char ch : text) width += glyphWidth(glyphFor(font, ch)) + 1;
    return width > 0 ? width - 1 : 0;
}

void drawText(Canvas& canvas, const PixelFont& font, int x, int y, const std::string& text,
              unsigned char value) {
    for (char ch : text) {
        const FontGlyph& g = glyphFor(font, ch);
        const int w = glyphWidth(g);
        int row = 0;
        int col = 0;
        for (const char* p = g.rows; *p; ++p) {
            if (*p == '|') {
                ++row;
                col = 0;
                continue;
            }
            if (*p == '#') canvas.set(x + col, y + row, value);
            ++col;
        }
        x += w + 1;
    }
}

void drawTextCentred(Canvas& canvas, const PixelFont& font, int cx, int y, const std::string& text,
                     unsigned char value) {
    drawText(canvas, font, cx - textWidth(font, text) / 2, y, text, value);
}

void drawTextRightAligned(Canvas& canvas, const PixelFont& font, int right, int y,
                          const std::string& text, unsigned char value) {
    drawText(canvas, font, right - textWidth(font, text), y, text, value);
}
