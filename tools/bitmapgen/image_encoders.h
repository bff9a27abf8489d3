#pragma once
// Byte-exact encoders for the two image files the program carries: Windows bitmaps with 8 bits
// per pixel and a 256-colour palette, and a one-image icon with 16 colours. Every header field
// is written one by one, little-endian, so the files are the same on every machine.
#include <cstdint>
#include <vector>

class Canvas;

struct Rgb {
    std::uint8_t r, g, b;
};

// The canvas holds palette indices; the palette is padded with black to 256 entries.
std::vector<std::uint8_t> encodeBitmap8(const Canvas& indices, const std::vector<Rgb>& palette);

// A .ico file with one 4-bit image. `indices` holds palette indices 0..15; where `transparent`
// is non-zero the pixel is see-through (AND-mask bit set, colour bits 0). The palette is padded
// with black to 16 entries. The canvas must be at most 255 pixels each way and square.
std::vector<std::uint8_t> encodeIcon4(const Canvas& indices, const Canvas& transparent,
                                      const std::vector<Rgb>& palette);
