#include "app/main_window_layout_win.h"

#include <algorithm>
#include <map>
#include <vector>

#include "app/page_arranging_win.h"
#include "platform/dialog_fit_win.h"
#include "resource_ids.h"

// The page background at the previews' pixel size (it comes at 2 screen pixels per display pixel).
HBITMAP pageBackgroundFor(const ScreenScale& scale, HBITMAP background) {
    if (scale.previewPixel == kPreviewScale || !background) return background;
    BITMAP info{};
    GetObjectA(background, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    const int width = scale.previewLength(info.bmWidth), height = scale.previewLength(info.bmHeight);
    HBITMAP stretched = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldFrom = SelectObject(from, background);
    HGDIOBJ oldTo = SelectObject(to, stretched);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return stretched;
}

namespace {

constexpr int kContentsMargin = 8;  // beyond the farthest control, at 96 DPI

// Where every shown control lies, in client coordinates: the window's own children and theirs (the
// vehicle panel's fields).
std::vector<ScreenRect> shownControls(HWND window) {
    struct Search {
        HWND window;
        std::vector<ScreenRect> controls;
    } search{window, {}};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM lParam) {
            auto& search = *reinterpret_cast<Search*>(lParam);
            if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) return TRUE;
            RECT box{};
            GetWindowRect(child, &box);
            MapWindowPoints(nullptr, search.window, reinterpret_cast<POINT*>(&box), 2);
            search.controls.push_back(ScreenRect{box.left, box.top, box.right, box.bottom});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.controls;
}

ScreenRect workAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT work{0, 0, 1024, 768};
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) work = monitor.rcWork;
    else SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return ScreenRect{work.left, work.top, work.right, work.bottom};
}

// Scrolls the contents back to their start, so that client coordinates are contents coordinates.
void scrollToStart(AppState& app, HWND window) {
    SendMessageW(window, WM_HSCROLL, SB_TOP, 0);
    SendMessageW(window, WM_VSCROLL, SB_TOP, 0);
    app.scale.scrollX = 0;
    app.scale.scrollY = 0;
}

// A control's rectangle in its parent's client coordinates.
ScreenRect placeInParent(HWND control) {
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
    return ScreenRect{box.left, box.top, box.right, box.bottom};
}

void moveTo(HWND control, const ScreenRect& place) {
    SetWindowPos(control, nullptr, place.left, place.top, place.width(), place.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The fonts of the controls at the new DPI: one for each font in use, made once. The fonts made
// at the change before are deleted once every control has its new one.
class RescaledFonts {
public:
    RescaledFonts(int fromDpi, int toDpi) : from_(fromDpi), to_(toDpi) {}
    HFONT operator()(HFONT font) {
        const auto found = made_.find(font);
        if (found != made_.end()) return found->second;
        LOGFONTW description{};
        if (!GetObjectW(font, sizeof description, &description)) return font;
        description.lfHeight = rescaledLength(description.lfHeight, from_, to_);
        description.lfWidth = rescaledLength(description.lfWidth, from_, to_);
        HFONT made = CreateFontIndirectW(&description);
        if (!made) return font;
        made_[font] = made;
        return made;
    }
    void dropTheOldOnes() {
        static std::vector<HFONT> inUse;
        for (HFONT font : inUse) DeleteObject(font);
        inUse.clear();
        for (const auto& pair : made_) inUse.push_back(pair.second);
    }

private:
    int from_;
    int to_;
    std::map<HFONT, HFONT> made_;
};

// Where a control goes at the new DPI. A drop-down list's height is that of its open list.
ScreenRect rescaledPlace(HWND control, int fromDpi, int toDpi) {
    ScreenRect place = placeInParent(control);
    wchar_t kind[16] = {};
    GetClassNameW(control, kind, 16);
    RECT dropped{};
    if (lstrcmpiW(kind, L"ComboBox") == 0 && SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
        place.bottom = place.top + (dropped.bottom - dropped.top);
    return rescaledRect(place, fromDpi, toDpi);
}

bool isPreviewOrView(const AppState& app, HWND control) {
    for (HWND preview : app.pagePreviews)
        if (preview == control) return true;
    return app.views->holdsView(control);
}

}  // namespace

void fitToContents(AppState& app, HWND window, const RECT* wanted) {
    RECT frame{0, 0, 0, 0};
    const DWORD plain = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & ~(WS_HSCROLL | WS_VSCROLL);
    AdjustWindowRectEx(&frame, plain, TRUE, WS_EX_STATICEDGE);
    const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
    const ScreenRect contents =
        contentsToHold(app.scale.controls(kMainWindowWidth) - frameWidth, app.scale.controls(kMainWindowHeight) - frameHeight,
                       shownControls(window), app.scale.controls(kContentsMargin));
    const ScreenRect work = workAreaOf(window);
    const int left = wanted ? wanted->left : work.left, top = wanted ? wanted->top : work.top;
    const DialogFit fit =
        fitDialog(ScreenRect{left, top, left + contents.width() + frameWidth, top + contents.height() + frameHeight}, work,
                  GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
    const DWORD style = plain | (fit.horizontal ? WS_HSCROLL : 0) | (fit.vertical ? WS_VSCROLL : 0);
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowPos(window, nullptr, fit.window.left, fit.window.top, fit.window.width(), fit.window.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (fit.horizontal || fit.vertical)
        setScrollRanges(window, SIZE{contents.width(), contents.height()}, fit.horizontal, fit.vertical);
}

int windowDpi(HWND window) {
    // Windows 10 1607 on; elsewhere the system's DPI, which the window was laid out for.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow =
        reinterpret_cast<DpiForWindow>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow"));
    if (dpiForWindow) {
        if (const UINT dpi = dpiForWindow(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void relayoutForDpi(AppState& app, int dpi, const RECT* suggested) {
    const ScreenScale before = app.scale;
    const ScreenScale after = screenScaleFor(dpi);
    if (after.dpi == before.dpi) return;
    cancelGaugeCarry(app);
    HWND window = app.mainWindow;
    scrollToStart(app, window);
    // Every control but the previews and the gauges grows by the DPI's change, with its font.
    RescaledFonts fonts(before.dpi, after.dpi);
    std::vector<HWND> controls;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    std::vector<std::pair<HWND, ScreenRect>> places;
    for (HWND control : controls)
        if (!isPreviewOrView(app, control)) places.emplace_back(control, rescaledPlace(control, before.dpi, after.dpi));
    for (const auto& [control, place] : places) {
        moveTo(control, place);
        if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)))
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts(font)), FALSE);
    }
    // The previews and the gauges at the new whole-pixel scale.
    app.scale = after;
    HBITMAP oldBackground = app.pageBackground;
    app.pageBackground = pageBackgroundFor(app.scale, LoadBitmapA(app.instance, MAKEINTRESOURCEA(IDB_PAGE_BACKGROUND)));
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& frame = app.config.directory.pages[page];
        moveTo(app.pagePreviews[page],
               ScreenRect{app.scale.clientX(frame.x), app.scale.clientY(frame.y),
                          app.scale.clientX(frame.x) + app.scale.previewLength(frame.width),
                          app.scale.clientY(frame.y) + app.scale.previewLength(frame.height)});
        SendMessageA(app.pagePreviews[page], STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(app.pageBackground));
    }
    if (oldBackground && oldBackground != app.pageBackground) DeleteObject(oldBackground);
    app.views->rescale(before);
    fonts.dropTheOldOnes();
    fitToContents(app, window, suggested);
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
