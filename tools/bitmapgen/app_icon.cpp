#include "app_icon.h"

#include <cmath>

#include "canvas.h"
#include "image_encoders.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

enum IconColour : std::uint8_t { Black, Screen, Housing, Bezel, Highlight, White, Red };

const std::vector<Rgb> kIconPalette = {
    {0, 0, 0}, {192, 220, 192}, {56, 60, 64}, {120, 124, 128}, {176, 180, 184}, {255, 255, 255},
    {220, 32, 32},
};

}  // namespace

std::vector<std::uint8_t> encodeAppIcon() {
    constexpr int kSize = 32;
    Canvas colour(kSize, kSize, Black);
    Canvas transparent(kSize, kSize, 1);

    // Housing: a rounded slab from row 4 to row 27 with a lighter top edge.
    const int top = 4;
    const int bottom = 27;
    for (int y = top; y <= bottom; ++y) {
        const int inset = (y == top || y == bottom) ? 2 : (y == top + 1 || y == bottom - 1) ? 1 : 0;
        for (int x = inset; x < kSize - inset; ++x) {
            transparent.set(x, y, 0);
            colour.set(x, y, Black);
        }
    }
    colour.fillRect(2, top + 1, kSize - 4, bottom - top - 1, Housing);
    colour.fillRect(1, top + 2, kSize - 2, bottom - top - 3, Housing);
    colour.fillRect(3, top + 1, kSize - 6, 1, Highlight);

    // Screen with a bezel.
    colour.frameRect(3, 7, 26, 18, Bezel);
    colour.fillRect(4, 8, 24, 16, Screen);

    // A half dial on the screen: arc, ticks, the last ticks red, and the needle.
    const double cx = 16.0;
    const double cy = 22.0;
    Canvas ink(kSize, kSize, 0);
    ink.ring(cx, cy, 10.2, 11.2, 1);
    for (int i = 0; i <= 8; ++i) {
        const double a = kPi - kPi * i / 8.0;
        ink.thickLine(cx + 7.5 * std::cos(a), cy - 7.5 * std::sin(a), cx + 10.5 * std::cos(a),
                      cy - 10.5 * std::sin(a), 0.5, i >= 7 ? 2 : 1);
    }
    const double needle = kPi * 0.35;
    ink.thickLine(cx, cy, cx + 9.0 * std::cos(needle), cy - 9.0 * std::sin(needle), 0.7, 2);
    ink.disc(cx, cy, 1.8, 1);
    for (int y = 8; y < 24; ++y)
        for (int x = 4; x < 28; ++x)
            if (ink.at(x, y)) colour.set(x, y, ink.at(x, y) == 2 ? Red : Black);

    // A button below the screen.
    colour.fillRect(14, 25, 4, 1, Highlight);
    return encodeIcon4(colour, transparent, kIconPalette);
}
