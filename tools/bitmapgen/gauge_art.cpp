#include "gauge_art.h"

#include <cmath>
#include <stdexcept>

#include "pixel_fonts.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void requireSize(const GaugeArt& art, int width, int height, bool ok) {
    if (!ok)
        throw std::invalid_argument("bitmap " + std::to_string(art.bitmapId) + ": size " +
                                    std::to_string(width) + "x" + std::to_string(height) +
                                    " does not suit its drawing");
}

void requireFits(const GaugeArt& art, int textWidthPx, int room, const char* what) {
    if (textWidthPx > room)
        throw std::invalid_argument("bitmap " + std::to_string(art.bitmapId) + ": " + what +
                                    " is " + std::to_string(textWidthPx) + " pixels wide, room " +
                                    std::to_string(room));
}

// A round dial: 270 degrees of scale from bottom left clockwise to bottom right, major and
// minor ticks, numbers inside the ticks, a needle with its hub, and the unit below the hub.
void drawRadial(Canvas& c, const GaugeArt& art) {
    const double cx = c.width() / 2.0;
    const double cy = c.height() / 2.0;
    const double outer = cx - 0.5;
    auto angle = [&](double fraction) { return (225.0 - 270.0 * fraction) * kPi / 180.0; };
    auto px = [&](double r, double fraction) { return cx + r * std::cos(angle(fraction)); };
    auto py = [&](double r, double fraction) { return cy - r * std::sin(angle(fraction)); };

    c.ring(cx, cy, outer - 1.0, outer, kInk);
    const double minor = art.majorStep / 2;
    const int minorCount = static_cast<int>(std::lround(art.scaleMax / minor));
    for (int i = 0; i <= minorCount; ++i) {
        const double f = i * minor / art.scaleMax;
        const bool major = i % 2 == 0;
        const double inner = major ? outer - 7.0 : outer - 4.5;
        c.thickLine(px(inner, f), py(inner, f), px(outer - 1.5, f), py(outer - 1.5, f),
                    major ? 0.75 : 0.55, kInk);
    }
    // Numbers at whole steps up to the top of the scale (350 kPa gets 0 to 300).
    const int numberCount = static_cast<int>(std::floor(art.scaleMax / art.numberStep + 1e-9));
    for (int i = 0; i <= numberCount; ++i) {
        const double value = i * art.numberStep;
        const double f = value / art.scaleMax;
        const std::string number = std::to_string(static_cast<int>(std::lround(value)));
        // Wider numbers sit further in so that they clear the major ticks.
        const double r = outer - 11.5 - textWidth(kFont3x5, number) / 2.0;
        const int x = static_cast<int>(std::lround(px(r, f) - textWidth(kFont3x5, number) / 2.0));
        const int y = static_cast<int>(std::lround(py(r, f) - 2.5));
        drawText(c, kFont3x5, x, y, number, kInk);
    }
    // The needle rests between two numbers so that it hides none of them.
    const double needle = 0.45;
    c.thickLine(cx, cy, px(outer - 9.0, needle), py(outer - 9.0, needle), 0.85, kInk);
    c.disc(cx, cy, 2.5, kInk);
    const int mid = c.width() / 2;
    drawTextCentred(c, kFont3x5, mid, static_cast<int>(cy) + 3, art.label, kInk);
    drawTextCentred(c, kFont3x5, mid, static_cast<int>(cy) + 15, art.detail, kInk);
}

// A horizontal bar: name and range on the top line, the bar part filled, and a scale of ten
// steps under it with longer ticks at the ends and the middle.
void drawHorizontalBar(Canvas& c, const GaugeArt& art) {
    const int w = c.width();
    const int labelWidth = textWidth(kFont3x5, art.label);
    const int rangeWidth = textWidth(kFont3x5, art.detail);
    requireFits(art, labelWidth + 4 + rangeWidth, w, "name and range");
    drawText(c, kFont3x5, 0, 0, art.label, kInk);
    drawTextRightAligned(c, kFont3x5, w, 0, art.detail, kInk);

    c.frameRect(0, 6, w, 7, kInk);
    c.fillRect(2, 8, (w - 4) * 3 / 5, 3, kInk);
    for (int i = 0; i <= 10; ++i) {
        const int x = i * (w - 1) / 10;
        const int length = (i % 5 == 0) ? 3 : 2;
        c.fillRect(x, 13, 1, length, kInk);
    }
}

// A vertical bar: short name at the top, the top and bottom of the scale, the bar part
// filled from below, and ticks beside it.
void drawVerticalBar(Canvas& c, const GaugeArt& art) {
    const int w = c.width();
    const int h = c.height();
    requireFits(art, textWidth(kFont3x5, art.label), w, "name");
    requireFits(art, textWidth(kFont3x5, art.high), w, "scale top");
    drawTextCentred(c, kFont3x5, w / 2, 0, art.label, kInk);
    drawTextCentred(c, kFont3x5, w / 2, 7, art.high, kInk);
    drawTextCentred(c, kFont3x5, w / 2, h - 5, art.low, kInk);

    const int top = 13;
    const int bottom = h - 7;  // last row of the bar
    const int barHeight = bottom - top + 1;
    c.frameRect(5, top, 8, barHeight, kInk);
    const int filled = (barHeight - 4) * 3 / 5;
    c.fillRect(7, bottom - 1 - filled, 4, filled, kInk);
    for (int i = 0; i <= 10; ++i) {
        const int y = bottom - i * (barHeight - 1) / 10;
        const int length = (i % 5 == 0) ? 3 : 2;
        c.fillRect(4 - length, y, length, 1, kInk);
        c.fillRect(13, y, length, 1, kInk);
    }
}

// A text gauge: its name in small capitals on the top line and sample digits in the large
// font, right-aligned, where the display writes the value.
void drawText(Canvas& c, const GaugeArt& art) {
    const int w = c.width();
    requireFits(art, textWidth(kFont3x5, art.label), w, "name");
    requireFits(art, textWidth(kFont5x7, art.detail), w, "sample");
    drawText(c, kFont3x5, 0, 0, art.label, kInk);
    drawTextRightAligned(c, kFont5x7, w - 1, c.height() - 8, art.detail, kInk);
}

// A rev meter: a sweep of segments rising from left to right, solid up to the sample speed
// and outlined beyond it, a scale line with a tick per thousand, a heavy red-line band over
// the last sixth, and the thousands under the ticks. The tall versions use the large font.
void drawRevMeter(Canvas& c, const GaugeArt& art) {
    const int w = c.width();
    const int h = c.height();
    const bool tall = h >= 48;
    const PixelFont& numbers = tall ? kFont5x7 : kFont3x5;
    const int numberTop = h - fontHeight(numbers) - (tall ? 1 : 0);
    const int scaleY = numberTop - 3;
    const int baseline = scaleY - 2;
    const int left = 4;
    const int right = w - 5;
    const int thousands = static_cast<int>(std::lround(art.scaleMax));
    const int segments = thousands * 4;
    const double pitch = static_cast<double>(right - left) / segments;
    const int maxHeight = baseline - 2;
    const int minHeight = 3;
    const int solidSegments = segments * 5 / 8;

    for (int s = 0; s < segments; ++s) {
        const int x0 = left + static_cast<int>(std::lround(s * pitch));
        const int x1 = left + static_cast<int>(std::lround((s + 1) * pitch)) - 2;  // 1-pixel gap
        const double t = static_cast<double>(s) / (segments - 1);
        // A quarter circle: the sweep climbs steeply at first and flattens towards the top.
        const double rise = std::sqrt(1.0 - (1.0 - t) * (1.0 - t));
        const int height = minHeight + static_cast<int>(std::lround((maxHeight - minHeight) * rise));
        const int top = baseline - height + 1;
        if (s < solidSegments)
            c.fillRect(x0, top, x1 - x0 + 1, height, kInk);
        else
            c.frameRect(x0, top, x1 - x0 + 1, height, kInk);
    }

    c.fillRect(left, scaleY, right - left + 1, 1, kInk);
    const int redLine = left + static_cast<int>(std::lround((right - left) * 5.0 / 6.0));
    c.fillRect(redLine, scaleY, right - redLine + 1, 2, kInk);
    for (int k = 0; k <= thousands; ++k) {
        const int x = left + static_cast<int>(std::lround(k * (right - left) / art.scaleMax));
        c.fillRect(x, scaleY, 1, 2, kInk);
        const std::string number = std::to_string(k);
        int textX = x - textWidth(numbers, number) / 2;
        if (textX < 0) textX = 0;
        if (textX + textWidth(numbers, number) > w) textX = w - textWidth(numbers, number);
        drawText(c, numbers, textX, numberTop, number, kInk);
    }

    // The unit sits above the low, short end of the sweep.
    if (tall) {
        drawText(c, kFont5x7, 2, 1, art.detail, kInk);
        drawText(c, kFont3x5, 2 + textWidth(kFont5x7, art.detail) + 3, 3, art.label, kInk);
    } else {
        drawText(c, kFont3x5, 2, 1, art.label + std::string(" ") + art.detail, kInk);
    }
}

// An indicator lamp: a rounded outline, the lamp as a small disc at the left, and the
// output's name beside it.
void drawIndicator(Canvas& c, const GaugeArt& art) {
    const int w = c.width();
    const int h = c.height();
    c.roundedFrame(0, 0, w, h, kInk);
    c.pattern(2, 2, {".##.", "####", "####", ".##."}, kInk);
    const int textLeft = 7;
    const int room = w - 1 - textLeft;
    const int textW = textWidth(kFont3x5, art.label);
    requireFits(art, textW, room, "name");
    drawText(c, kFont3x5, textLeft + (room - textW) / 2, (h - 5) / 2, art.label, kInk);
}

}  // namespace

std::vector<Rgb> gaugePalette() { return {{192, 220, 192}, {0, 0, 0}}; }

Canvas drawGauge(const GaugeArt& art, int width, int height) {
    Canvas c(width, height, kGround);
    switch (art.style) {
    case ArtStyle::Radial:
        requireSize(art, width, height, width == height && width >= 48);
        drawRadial(c, art);
        break;
    case ArtStyle::HorizontalBar:
        requireSize(art, width, height, height == 16 && width >= 40);
        drawHorizontalBar(c, art);
        break;
    case ArtStyle::VerticalBar:
        requireSize(art, width, height, width == 16 && height >= 48);
        drawVerticalBar(c, art);
        break;
    case ArtStyle::Text:
        requireSize(art, width, height, height == 16 && width >= 24);
        drawText(c, art);
        break;
    case ArtStyle::RevMeter:
        requireSize(art, width, height, height >= 32 && width >= 160);
        drawRevMeter(c, art);
        break;
    case ArtStyle::Indicator:
        requireSize(art, width, height, height == 8 && width >= 16);
        drawIndicator(c, art);
        break;
    }
    return c;
}
