#pragma once
// The committed gauge bitmaps as pixels for the image builders: a folder of "<id>_<name>.bmp"
// files, where a bitmap handle is its resource id. Used by the tools that rebuild the upload
// images natively.
#include <map>
#include <string>
#include <vector>

#include "layout/bitmap_pixels.h"

class BitmapFolder : public BitmapPixels {
public:
    explicit BitmapFolder(std::string dir) : dir_(std::move(dir)) {}
    // nullptr when no file of that id reads; why goes into `errors`, once per id.
    const PixelImage* pixels(BitmapHandle id) override;
    std::vector<std::string> errors;

private:
    std::string dir_;
    std::map<BitmapHandle, PixelImage> cache_;
};
