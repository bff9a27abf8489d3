#pragma once
// The committed bitmap folder built into the program (a generated source holds the files'
// bytes), read with the BMP reader. A bitmap handle here is the bitmap's resource id.
#include <cstddef>
#include <cstdint>
#include <map>

#include "layout/bitmap_pixels.h"
#include "platform/view_host.h"

struct BuiltInBitmapFile {
    std::uint32_t resourceId;
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
};
extern const BuiltInBitmapFile kBuiltInBitmapFiles[];
extern const std::size_t kBuiltInBitmapFileCount;

class BuiltInBitmaps : public BitmapPixels {
public:
    // nullptr for an id with no built-in file, or one that does not decode.
    const PixelImage* pixels(BitmapHandle resourceId) override;
    // The handle (the id itself) and size; handle 0 for an id with no usable file.
    LoadedBitmap load(std::uint32_t resourceId);

private:
    std::map<BitmapHandle, PixelImage> decoded_;
};
