#pragma once
// A grid of palette indices with the few drawing operations the generated pictures need.
// Geometry is sampled at pixel centres so that curves and slanted lines come out the same
// on every machine and stay symmetric.
#include <cstdint>
#include <vector>

class Canvas {
public:
    Canvas(int width, int height, std::uint8_t fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    // Pixels outside the canvas are ignored on writing and read as `outside`.
    void set(int x, int y, std::uint8_t value);
    std::uint8_t at(int x, int y, std::uint8_t outside = 0) const;
    const std::vector<std::uint8_t>& pixels() const { return pixels_; }

    void fillRect(int x, int y, int w, int h, std::uint8_t value);
    void frameRect(int x, int y, int w, int h, std::uint8_t value);
    // A rectangle outline with its four corner pixels left out, which reads as rounded.
    void roundedFrame(int x, int y, int w, int h, std::uint8_t value);
    // Every pixel whose centre lies within halfWidth of the segment (ax, ay)-(bx, by).
    void thickLine(double ax, double ay, double bx, double by, double halfWidth, std::uint8_t value);
    // Every pixel whose centre lies between the radii rInner and rOuter around (cx, cy).
    void ring(double cx, double cy, double rInner, double rOuter, std::uint8_t value);
    void disc(double cx, double cy, double r, std::uint8_t value);
    // Blits a picture given as rows of '#' (set) and anything else (left alone).
    void pattern(int x, int y, const std::vector<const char*>& rows, std::uint8_t value);

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};
