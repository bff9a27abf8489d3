#include "character_set.h"

#include "gauge_art.h"

namespace {

constexpr int kCell = 8;

int cellX(int code) { return (code % 16) * kCell; }
int cellY(int code) { return (code / 16) * kCell; }

// Capitals A to R (codes 0x41 to 0x52), 7 x 7 in the top-left of their cells so that the
// bottom row and the right column stay empty as spacing. A is the shape the display expects
// for code 0x41: rows 7C 82 82 FE 82 82 82 00.
const std::vector<const char*> kCapitals[] = {
    {".#####.", "#.....#", "#.....#", "#######", "#.....#", "#.....#", "#.....#"},  // A
    {"######.", "#.....#", "#.....#", "######.", "#.....#", "#.....#", "######."},  // B
    {".#####.", "#.....#", "#......", "#......", "#......", "#.....#", ".#####."},  // C
    {"######.", "#.....#", "#.....#", "#.....#", "#.....#", "#.....#", "######."},  // D
    {"#######", "#......", "#......", "#####..", "#......", "#......", "#######"},  // E
    {"#######", "#......", "#......", "#####..", "#......", "#......", "#......"},  // F
    {".#####.", "#.....#", "#......", "#..####", "#.....#", "#.....#", ".#####."},  // G
    {"#.....#", "#.....#", "#.....#", "#######", "#.....#", "#.....#", "#.....#"},  // H
    {".#####.", "...#...", "...#...", "...#...", "...#...", "...#...", ".#####."},  // I
    {"..#####", ".....#.", ".....#.", ".....#.", "#....#.", "#....#.", ".####.."},  // J
    {"#....#.", "#...#..", "#..#...", "###....", "#..#...", "#...#..", "#....#."},  // K
    {"#......", "#......", "#......", "#......", "#......", "#......", "#######"},  // L
    {"#.....#", "##...##", "#.#.#.#", "#..#..#", "#.....#", "#.....#", "#.....#"},  // M
    {"#.....#", "##....#", "#.#...#", "#..#..#", "#...#.#", "#....##", "#.....#"},  // N
    {".#####.", "#.....#", "#.....#", "#.....#", "#.....#", "#.....#", ".#####."},  // O
    {"######.", "#.....#", "#.....#", "######.", "#......", "#......", "#......"},  // P
    {".#####.", "#.....#", "#.....#", "#.....#", "#...#.#", "#....#.", ".####.#"},  // Q
    {"######.", "#.....#", "#.....#", "######.", "#...#..", "#....#.", "#.....#"},  // R
};

// Seven-segment parts of a large character, 7 pixels wide and 15 high with strokes two
// pixels thick; the eighth column and the sixteenth row stay empty as spacing.
enum Segment { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };

void drawSegments(Canvas& c, int x, int y, int segments) {
    if (segments & A) c.fillRect(x, y, 7, 2, kInk);
    if (segments & B) c.fillRect(x + 5, y, 2, 8, kInk);
    if (segments & C) c.fillRect(x + 5, y + 6, 2, 9, kInk);
    if (segments & D) c.fillRect(x, y + 13, 7, 2, kInk);
    if (segments & E) c.fillRect(x, y + 6, 2, 9, kInk);
    if (segments & F) c.fillRect(x, y, 2, 8, kInk);
    if (segments & G) c.fillRect(x, y + 6, 7, 2, kInk);
}

// Large characters two cells high: the upper half at code 0x90 + i, the lower half at
// 0xA0 + i, which lie one above the other in the picture.
void drawLargeCharacters(Canvas& c) {
    static const int digits[10] = {
        A | B | C | D | E | F, B | C,         A | B | G | E | D, A | B | G | C | D,
        F | G | B | C,         A | F | G | C | D, A | F | G | E | D | C, A | B | C,
        A | B | C | D | E | F | G, A | B | C | D | F | G,
    };
    const int top = cellY(0x90);
    auto origin = [&](int i) { return cellX(0x90 + i); };

    drawSegments(c, origin(0), top, G);                           // minus sign
    c.fillRect(origin(1) + 2, top + 13, 2, 2, kInk);              // decimal point
    c.thickLine(origin(2) + 6.5, top + 0.5, origin(2) + 0.5, top + 14.5, 0.8, kInk);  // slash
    for (int d = 0; d < 10; ++d) drawSegments(c, origin(3 + d), top, digits[d]);
    c.fillRect(origin(13) + 2, top + 3, 2, 2, kInk);              // colon
    c.fillRect(origin(13) + 2, top + 10, 2, 2, kInk);
    c.pattern(origin(14), top, {".###.", "##.##", "#...#", "##.##", ".###."}, kInk);  // degree
    c.fillRect(origin(15), top, 2, 2, kInk);                       // percent
    c.fillRect(origin(15) + 5, top + 13, 2, 2, kInk);
    c.thickLine(origin(15) + 6.5, top + 0.5, origin(15) + 0.5, top + 14.5, 0.8, kInk);
}

}  // namespace

Canvas drawCharacterSet() {
    Canvas c(16 * kCell, 16 * kCell, kGround);
    for (int i = 0; i < 18; ++i) c.pattern(cellX(0x41 + i), cellY(0x41 + i), kCapitals[i], kInk);
    for (int i = 0; i < 8; ++i) {
        // Bars for drawing graphs: 1 to 8 columns from the left, then 1 to 8 rows from the bottom.
        c.fillRect(cellX(0x80 + i), cellY(0x80 + i), i + 1, kCell, kInk);
        c.fillRect(cellX(0x88 + i), cellY(0x88 + i) + kCell - (i + 1), kCell, i + 1, kInk);
    }
    drawLargeCharacters(c);
    for (int code = 0xB0; code <= 0xBF; ++code) c.fillRect(cellX(code), cellY(code), kCell, kCell, kInk);
    for (int code = 0xC0; code <= 0xCF; ++code) c.fillRect(cellX(code), cellY(code), kCell, kCell - 1, kInk);
    return c;
}
