#pragma once
// Views of placed gauges and of the ghost as "Static" SS_BITMAP children of the main window.
// The model holds small integer handles; this host maps them to windows and bitmaps.
#include <windows.h>

#include <vector>

#include "platform/screen_scale.h"
#include "platform/view_host.h"

class Win32ViewHost : public ViewHost {
public:
    // Positions and sizes come in preview pixels; `scale` turns them into client pixels.
    Win32ViewHost(HINSTANCE instance, HWND parent, const ScreenScale& scale)
        : instance_(instance), parent_(parent), scale_(scale) {}

    LoadedBitmap loadBitmap(std::uint32_t resourceId) override;
    ViewHandle createView(int x, int y, int width, int height) override;
    void setBitmap(ViewHandle view, BitmapHandle bitmap) override;
    void moveView(ViewHandle view, int x, int y, int width, int height) override;
    void showView(ViewHandle view, bool visible) override;
    void destroyView(ViewHandle view) override;

    // The bitmap as loaded from the resources, at its own size (the upload reads its pixels).
    HBITMAP originalBitmap(BitmapHandle bitmap) const;
    HWND viewWindow(ViewHandle view) const;
    // Whether `window` is one of the views.
    bool holdsView(HWND window) const;
    // After the scale changed from `before` (a screen of another DPI): the shown bitmaps at the
    // new preview pixel, and every view at its place and size in the new client pixels.
    void rescale(const ScreenScale& before);

private:
    struct Bitmap {
        HBITMAP original;
        HBITMAP shown;  // what the preview shows: every pixel as a square of previewPixel
    };

    HINSTANCE instance_;
    HWND parent_;
    const ScreenScale& scale_;
    std::vector<Bitmap> bitmaps_;  // handle h is bitmaps_[h - 1]
    std::vector<HWND> views_;      // handle h is views_[h - 1]; null once destroyed
};

// A copy of the bitmap at `factor` times its width and height, every pixel a square.
HBITMAP scaledBitmap(HBITMAP source, int factor);
