#include "link/display_images_win.h"

#include <map>
#include <memory>

#include "document/configuration.h"
#include "link/upload_image.h"

namespace {

// A bitmap's own pixels as 32-bit colours (GetDIBits converts from whatever the screen holds).
bool readPixels(HBITMAP bitmap, PixelImage& image) {
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    image.width = info.bmWidth;
    image.height = info.bmHeight;
    image.pixels.assign(static_cast<std::size_t>(info.bmWidth) * info.bmHeight, 0xFFFFFF);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), image.pixels.data(), &bi,
                                DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return lines == info.bmHeight;
}

class Win32BitmapPixels : public BitmapPixels {
public:
    explicit Win32BitmapPixels(const std::function<HBITMAP(BitmapHandle)>& resolve) : resolve_(resolve) {}

    const PixelImage* pixels(BitmapHandle bitmap) override {
        auto it = cache_.find(bitmap);
        if (it != cache_.end()) return it->second.get();
        std::unique_ptr<PixelImage> image(new PixelImage);
        if (!bitmap || !resolve_ || !readPixels(resolve_(bitmap), *image)) image.reset();
        return (cache_[bitmap] = std::move(image)).get();
    }

private:
    std::function<HBITMAP(BitmapHandle)> resolve_;
    std::map<BitmapHandle, std::unique_ptr<PixelImage>> cache_;
};

}  // namespace

DisplayImages buildDisplayImages(const Configuration& config, HBITMAP characterSet,
                                 const std::function<HBITMAP(BitmapHandle)>& gaugeBitmap) {
    DisplayImages images;
    PixelImage characterPixels;
    const bool haveCharacterSet = readPixels(characterSet, characterPixels);
    images.font = buildFontImage(haveCharacterSet ? &characterPixels : nullptr);
    Win32BitmapPixels gaugePixels(gaugeBitmap);
    images.page = buildPageImage(config.layout, config.directory, gaugePixels);
    return images;
}
