#include "link/display_picture.h"

#include "link/upload_image.h"

std::vector<std::uint8_t> displayPictureGrey(const std::vector<std::uint8_t>& pageImage) {
    std::vector<std::uint8_t> grey;
    grey.reserve(static_cast<std::size_t>(kDisplayPictureWidth) * kDisplayPictureHeight);
    for (int y = 0; y < kDisplayPictureHeight; ++y)
        for (int x = 0; x < kDisplayPictureWidth; ++x)
            grey.push_back(displayPixelIsDark(pageImage, x, y) ? 0 : 255);
    return grey;
}

std::string withPictureExtension(const std::string& path) { return withDefaultExtension(path, ".png"); }

std::string withDefaultExtension(const std::string& path, const std::string& extension) {
    const std::size_t nameStart = path.find_last_of("\\/:") + 1;  // npos + 1 is 0
    if (path.find('.', nameStart) != std::string::npos) return path;
    return path + extension;
}

std::string exportFailureMessage(const std::string& path, const std::string& reason) {
    return "Could not export \"" + path + "\".\r\n\r\n" + reason;
}
