#include "report/display_picture.h"

#include "link/upload_image.h"

std::vector<std::uint8_t> displayPictureGrey(const std::vector<std::uint8_t>& pageImage) {
    std::vector<std::uint8_t> grey;
    grey.reserve(static_cast<std::size_t>(kDisplayPictureWidth) * kDisplayPictureHeight);
    for (int y = 0; y < kDisplayPictureHeight; ++y)
        for (int x = 0; x < kDisplayPictureWidth; ++x)
            grey.push_back(displayPixelIsDark(pageImage, x, y) ? 0 : 255);
    return grey;
}
