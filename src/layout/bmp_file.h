#pragma once
// Reads Windows BMP files (uncompressed 1, 4, 8, 24 and 32 bits per pixel, bottom-up or top-down)
// into 32-bit pixels, for the tests and tools that need the committed gauge bitmaps without
// Windows.
#include <cstdint>
#include <string>
#include <vector>

#include "layout/bitmap_pixels.h"

// False with a reason in `error` for anything that is not such a file or is cut short.
bool decodeBmp(const std::vector<std::uint8_t>& file, PixelImage& image, std::string& error);
bool readBmpFile(const std::string& path, PixelImage& image, std::string& error);
