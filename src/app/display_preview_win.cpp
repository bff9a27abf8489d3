#include "app/display_preview_win.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/upload_image.h"
#include "link/upload_summary.h"
#include "platform/preview_scale.h"
#include "platform/tool_window_win.h"

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

// The open window's state.
struct Preview {
    HWND summary = nullptr;
    std::vector<std::uint32_t> pixels;  // the four pages, drawn size, one after the other
};

LRESULT CALLBACK previewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

const ToolWindowKind kPreviewKind{kClassName, previewProc, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};

void rebuild(Preview& preview, AppState& app) {
    const DisplayImages images = currentDisplayImages(app);
    preview.pixels.assign(static_cast<std::size_t>(kDrawnWidth) * kDrawnHeight * kPageCount, kLightColour);
    for (int y = 0; y < kPageCount * kDrawnHeight; ++y)
        for (int x = 0; x < kDrawnWidth; ++x)
            if (displayPixelIsDark(images.page, x / kPreviewScale, y / kPreviewScale))
                preview.pixels[static_cast<std::size_t>(y) * kDrawnWidth + x] = kDarkColour;
    const std::string summary = uploadSummary(app.config, app.profiles, images.page, images.font);
    SetWindowTextA(preview.summary, summary.c_str());
}

void paint(HWND window, const Preview& preview) {
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
    if (message == WM_PAINT) {
        if (const Preview* preview = toolWindowState<Preview>(window)) {
            paint(window, *preview);
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

DisplayImages currentDisplayImages(AppState& app) {
    return buildDisplayImages(app.config, app.uploadPicture,
                              [&app](BitmapHandle bitmap) { return app.views->originalBitmap(bitmap); });
}

void openDisplayPreview(AppState& app) {
    if (bringToolWindowForward(kPreviewKind)) return;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const SIZE outer = outerSizeForClient(style, 0, kClientWidth, kClientHeight);
    HWND window = createToolWindow(app.instance, kPreviewKind, {0, kCaption, style, outer.cx, outer.cy, app.mainWindow},
                                   std::make_unique<Preview>());
    if (!window) return;
    Preview& preview = *toolWindowState<Preview>(window);
    preview.summary = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kMargin,
                                      kMargin + kPagesHeight + kMargin, kDrawnWidth, kSummaryHeight, window,
                                      nullptr, app.instance, nullptr);
    SendMessageA(preview.summary, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    rebuild(preview, app);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

void displayPreviewFollows(AppState& app) {
    const HWND window = openToolWindow(kPreviewKind);
    Preview* preview = toolWindowState<Preview>(window);
    if (!preview) return;
    rebuild(*preview, app);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}
