#include "app/display_preview_win.h"

#include <cstdint>
#include <string>
#include <vector>

#include "link/upload_image.h"
#include "link/upload_summary.h"
#include "platform/modeless_dialog_win.h"
#include "platform/preview_scale.h"

namespace {

constexpr char kClassName[] = "VeltranaDisplayPreview";
constexpr char kCaption[] = "Display Preview";
constexpr int kMargin = 8;
constexpr int kDrawnWidth = 8 * kImageLineBytes * kPreviewScale;
constexpr int kDrawnHeight = kPageLines * kPreviewScale;
constexpr int kPageGap = 8;
constexpr int kPagesHeight = kPageCount * kDrawnHeight + (kPageCount - 1) * kPageGap;
constexpr int kSummaryHeight = 20;
constexpr int kClientWidth = kMargin + kDrawnWidth + kMargin;
constexpr int kClientHeight = kMargin + kPagesHeight + kMargin + kSummaryHeight + kMargin;
// Colours as 0x00RRGGBB for a 32-bit top-down DIB: black on the display's light green.
constexpr std::uint32_t kDarkColour = 0x000000;
constexpr std::uint32_t kLightColour = 0xC0DCC0;

struct Preview {
    ModelessSlot window;
    HWND summary = nullptr;
    AppState* app = nullptr;
    std::vector<std::uint32_t> pixels;  // the four pages, drawn size, one after the other
};
Preview preview;

void rebuild() {
    AppState& app = *preview.app;
    const DisplayImages images = currentDisplayImages(app);
    preview.pixels.assign(static_cast<std::size_t>(kDrawnWidth) * kDrawnHeight * kPageCount, kLightColour);
    for (int y = 0; y < kPageCount * kDrawnHeight; ++y)
        for (int x = 0; x < kDrawnWidth; ++x)
            if (displayPixelIsDark(images.page, x / kPreviewScale, y / kPreviewScale))
                preview.pixels[static_cast<std::size_t>(y) * kDrawnWidth + x] = kDarkColour;
    const std::string summary = uploadSummary(app.config, app.profiles, images.page, images.font);
    SetWindowTextA(preview.summary, summary.c_str());
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kDrawnWidth;
    bi.bmiHeader.biHeight = -kDrawnHeight;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    for (int page = 0; page < kPageCount; ++page) {
        const std::size_t first = static_cast<std::size_t>(page) * kDrawnWidth * kDrawnHeight;
        if (preview.pixels.size() < first + static_cast<std::size_t>(kDrawnWidth) * kDrawnHeight) break;
        SetDIBitsToDevice(dc, kMargin, kMargin + page * (kDrawnHeight + kPageGap), kDrawnWidth, kDrawnHeight, 0, 0, 0,
                          kDrawnHeight, preview.pixels.data() + first, &bi, DIB_RGB_COLORS);
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK previewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_DESTROY:
        preview.window.forget(window);
        preview.summary = nullptr;
        preview.pixels.clear();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool registerClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    if (GetClassInfoA(instance, kClassName, &windowClass)) return true;
    windowClass.lpfnWndProc = previewProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

DisplayImages currentDisplayImages(AppState& app) {
    return buildDisplayImages(app.config, app.uploadPicture,
                              [&app](BitmapHandle bitmap) { return app.views->originalBitmap(bitmap); });
}

void openDisplayPreview(AppState& app) {
    if (preview.window.bringForward()) return;
    if (!registerClass(app.instance)) return;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    HWND window = CreateWindowExA(0, kClassName, kCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  outer.right - outer.left, outer.bottom - outer.top, app.mainWindow, nullptr,
                                  app.instance, nullptr);
    if (!window) return;
    preview.window.remember(window);
    preview.app = &app;
    preview.summary = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kMargin,
                                      kMargin + kPagesHeight + kMargin, kDrawnWidth, kSummaryHeight, window,
                                      nullptr, app.instance, nullptr);
    SendMessageA(preview.summary, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    rebuild();
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

void displayPreviewFollows(AppState& app) {
    const HWND window = preview.window.handle();
    if (!window) return;
    preview.app = &app;
    rebuild();
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}
