#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

Canvas::Canvas(int width, int height, std::uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Canvas::set(int x, int y, std::uint8_t value) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = value;
}

std::uint8_t Canvas::at(int x, int y, std::uint8_t outside) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return outside;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Canvas::fillRect(int x, int y, int w, int h, std::uint8_t value) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) set(i, j, value);
}

void Canvas::frameRect(int x, int y, int w, int h, std::uint8_t value) {
    fillRect(x, y, w, 1, value);
    fillRect(x, y + h - 1, w, 1, value);
    fillRect(x, y, 1, h, value);
    fillRect(x + w - 1, y, 1, h, value);
}

void Canvas::roundedFrame(int x, int y, int w, int h, std::uint8_t value) {
    fillRect(x + 1, y, w - 2, 1, value);
    fillRect(x + 1, y + h - 1, w - 2, 1, value);
    fillRect(x, y + 1, 1, h - 2, value);
    fillRect(x + w - 1, y + 1, 1, h - 2, value);
}

void Canvas::thickLine(double ax, double ay, double bx, double by, double halfWidth,
                       std::uint8_t value) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    const int x0 = static_cast<int>(std::floor(std::min(ax, bx) - halfWidth - 1));
    const int x1 = static_cast<int>(std::ceil(std::max(ax, bx) + halfWidth + 1));
    const int y0 = static_cast<int>(std::floor(std::min(ay, by) - halfWidth - 1));
    const int y1 = static_cast<int>(std::ceil(std::max(ay, by) + halfWidth + 1));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5 - ax;
            const double py = y + 0.5 - ay;
            double t = lengthSquared > 0 ? (px * dx + py * dy) / lengthSquared : 0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = px - t * dx;
            const double ey = py - t * dy;
            if (ex * ex + ey * ey <= halfWidth * halfWidth) set(x, y, value);
        }
    }
}

void Canvas::ring(double cx, double cy, double rInner, double rOuter, std::uint8_t value) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double d2 = dx * dx + dy * dy;
            if (d2 >= rInner * rInner && d2 <= rOuter * rOuter) set(x, y, value);
        }
    }
}

void Canvas::disc(double cx, double cy, double r, std::uint8_t value) { ring(cx, cy, 0, r, value); }

void Canvas::pattern(int x, int y, const std::vector<const char*>& rows, std::uint8_t value) {
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const std::size_t n = std::strlen(rows[j]);
        for (std::size_t i = 0; i < n; ++i)
            if (rows[j][i] == '#') set(x + static_cast<int>(i), y + static_cast<int>(j), value);
    }
}
