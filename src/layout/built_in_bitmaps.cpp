#include "layout/built_in_bitmaps.h"

#include <string>
#include <vector>

#include "layout/bmp_file.h"

const PixelImage* BuiltInBitmaps::pixels(BitmapHandle resourceId) {
    auto found = decoded_.find(resourceId);
    if (found == decoded_.end()) {
        PixelImage& image = decoded_[resourceId];
        for (std::size_t i = 0; i < kBuiltInBitmapFileCount; ++i) {
            const BuiltInBitmapFile& file = kBuiltInBitmapFiles[i];
            if (file.resourceId != resourceId) continue;
            std::string error;
            if (!decodeBmp(std::vector<std::uint8_t>(file.bytes, file.bytes + file.size), image, error))
                image = PixelImage{};
            break;
        }
        found = decoded_.find(resourceId);
    }
    return found->second.width > 0 ? &found->second : nullptr;
}

LoadedBitmap BuiltInBitmaps::load(std::uint32_t resourceId) {
    const PixelImage* image = pixels(resourceId);
    if (!image) return LoadedBitmap{};
    return LoadedBitmap{resourceId, image->width, image->height};
}
