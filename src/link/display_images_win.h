#pragma once
// The page and font images built from the bitmaps the program has loaded, exactly as an upload
// sends them; the upload, the display preview and the picture export all take them from here.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/view_host.h"

struct Configuration;

struct DisplayImages {
    std::vector<std::uint8_t> page;  // 7680 bytes
    std::vector<std::uint8_t> font;  // 2048 bytes
};

// The bitmaps' own pixels are read as 32-bit colours, so the images come out the same on every
// screen depth. `gaugeBitmap` gives a placed gauge's bitmap at its own size.
DisplayImages buildDisplayImages(const Configuration& config, HBITMAP characterSet,
                                 const std::function<HBITMAP(BitmapHandle)>& gaugeBitmap);
