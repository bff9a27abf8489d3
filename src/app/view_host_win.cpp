#include "app/view_host_win.h"

#include <algorithm>

HBITMAP scaledBitmap(HBITMAP source, int factor) {
    BITMAP info{};
    if (!source || !GetObjectA(source, sizeof info, &info)) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP scaled = CreateCompatibleBitmap(screen, info.bmWidth * factor, info.bmHeight * factor);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, scaled);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, info.bmWidth * factor, info.bmHeight * factor, from, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return scaled;
}

LoadedBitmap Win32ViewHost::loadBitmap(std::uint32_t resourceId) {
    HBITMAP original = LoadBitmapA(instance_, MAKEINTRESOURCEA(resourceId));
    LoadedBitmap loaded;
    BITMAP info{};
    if (!original || !GetObjectA(original, sizeof info, &info)) return loaded;
    bitmaps_.push_back(Bitmap{original, scaledBitmap(original, scale_.previewPixel)});
    loaded.handle = static_cast<BitmapHandle>(bitmaps_.size());
    loaded.width = info.bmWidth;
    loaded.height = info.bmHeight;
    return loaded;
}

ViewHandle Win32ViewHost::createView(int x, int y, int width, int height) {
    HWND view = CreateWindowExA(0, "Static", nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP,
                                scale_.clientX(x), scale_.clientY(y), scale_.previewLength(width),
                                scale_.previewLength(height), parent_, nullptr, instance_, nullptr);
    if (!view) return 0;
    // Newest views stand above the page previews and the gauges placed before them.
    SetWindowPos(view, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    views_.push_back(view);
    return static_cast<ViewHandle>(views_.size());
}

HWND Win32ViewHost::viewWindow(ViewHandle view) const {
    if (view == 0 || view > views_.size()) return nullptr;
    return views_[view - 1];
}

HBITMAP Win32ViewHost::originalBitmap(BitmapHandle bitmap) const {
    if (bitmap == 0 || bitmap > bitmaps_.size()) return nullptr;
    return bitmaps_[bitmap - 1].original;
}

void Win32ViewHost::setBitmap(ViewHandle view, BitmapHandle bitmap) {
    HWND window = viewWindow(view);
    if (!window || bitmap == 0 || bitmap > bitmaps_.size()) return;
    SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(bitmaps_[bitmap - 1].shown));
}

void Win32ViewHost::moveView(ViewHandle view, int x, int y, int width, int height) {
    if (HWND window = viewWindow(view))
        MoveWindow(window, scale_.clientX(x), scale_.clientY(y), scale_.previewLength(width),
                   scale_.previewLength(height), TRUE);
}

void Win32ViewHost::showView(ViewHandle view, bool visible) {
    if (HWND window = viewWindow(view)) ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
}

void Win32ViewHost::destroyView(ViewHandle view) {
    if (HWND window = viewWindow(view)) {
        DestroyWindow(window);
        views_[view - 1] = nullptr;
    }
}

bool Win32ViewHost::holdsView(HWND window) const {
    return window != nullptr && std::find(views_.begin(), views_.end(), window) != views_.end();
}

void Win32ViewHost::rescale(const ScreenScale& before) {
    for (HWND view : views_) {
        if (!view) continue;
        RECT box{};
        GetWindowRect(view, &box);
        MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&box), 2);
        const int x = before.previewX(box.left), y = before.previewY(box.top);
        const int width = before.previewX(box.right) - x, height = before.previewY(box.bottom) - y;
        MoveWindow(view, scale_.clientX(x), scale_.clientY(y), scale_.previewLength(width),
                   scale_.previewLength(height), FALSE);
    }
    for (Bitmap& bitmap : bitmaps_) {
        HBITMAP shown = scaledBitmap(bitmap.original, scale_.previewPixel);
        for (HWND view : views_)
            if (view && reinterpret_cast<HBITMAP>(SendMessageA(view, STM_GETIMAGE, IMAGE_BITMAP, 0)) == bitmap.shown)
                SendMessageA(view, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
        if (bitmap.shown && bitmap.shown != bitmap.original) DeleteObject(bitmap.shown);
        bitmap.shown = shown;
    }
}
