#pragma once
// A bitmap's own pixels as 32-bit colours, whatever the screen's depth. The upload images are
// built from these, so a 16- or 24-bit desktop cannot change what the display shows.
#include <cstdint>
#include <vector>

#include "platform/view_host.h"

// Pixels top row first, each 0x00RRGGBB (blue in the low byte, as in a 32-bit device-independent
// bitmap).
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Gives the pixels of loaded bitmaps; the Win32 side reads them with GetDIBits, tests and tools
// hold them in memory.
class BitmapPixels {
public:
    virtual ~BitmapPixels() = default;
    // nullptr for a handle that names no bitmap. The image stays valid while this object lives.
    virtual const PixelImage* pixels(BitmapHandle bitmap) = 0;
};
