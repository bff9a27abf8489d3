#include "app/display_preview_win.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/upload_image.h"
#include "link/upload_summary.h"
#include "platform/screen_scale.h"
#include "platform/tool_window_win.h"

namespace {

constexpr char kClassName[] = "VeltranaDisplayPreview";
constexpr char kCaption[] = "Display Preview";
constexpr int kMargin = 8;  // the margins, the gap between pages and the summary's height at 96 DPI
constexpr int kPageGap = 8;
constexpr int kSummaryHeight = 20;
// Colours as 0x00RRGGBB for a 32-bit top-down DIB: black on the display's light green.
constexpr std::uint32_t kDarkColour = 0x000000;
constexpr std::uint32_t kLightColour = 0xC0DCC0;

// Where the window's parts lie: the pages at a whole-pixel scale, the margins and the summary grown
// with the screen's DPI as the main window's controls are.
struct PreviewGeometry {
    int pixel;  // screen pixels per display pixel
    int margin;
    int pageGap;
    int summaryHeight;
    PreviewGeometry(const ScreenScale& scale, int pixel)
        : pixel(pixel),
          margin(scale.controls(kMargin)),
          pageGap(scale.controls(kPageGap)),
          summaryHeight(scale.controls(kSummaryHeight)) {}
    int drawnWidth() const { return 8 * kImageLineBytes * pixel; }
    int drawnHeight() const { return kPageLines * pixel; }
    int pagesHeight() const { return kPageCount * drawnHeight() + (kPageCount - 1) * pageGap; }
    int clientWidth() const { return margin + drawnWidth() + margin; }
    int clientHeight() const { return margin + pagesHeight() + margin + summaryHeight + margin; }
};

// The open window's state.
struct Preview {
    explicit Preview(const PreviewGeometry& geometry) : geometry(geometry) {}
    PreviewGeometry geometry;
    HWND summary = nullptr;
    std::vector<std::uint32_t> pixels;  // the four pages, drawn size, one after the other
};

LRESULT CALLBACK previewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

const ToolWindowKind kPreviewKind{kClassName, previewProc, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};

void rebuild(Preview& preview, AppState& app) {
    const DisplayImages images = currentDisplayImages(app);
    const PreviewGeometry& g = preview.geometry;
    const int width = g.drawnWidth();
    preview.pixels.assign(static_cast<std::size_t>(width) * g.drawnHeight() * kPageCount, kLightColour);
    for (int y = 0; y < kPageCount * g.drawnHeight(); ++y)
        for (int x = 0; x < width; ++x)
            if (displayPixelIsDark(images.page, x / g.pixel, y / g.pixel))
                preview.pixels[static_cast<std::size_t>(y) * width + x] = kDarkColour;
    const std::string summary = uploadSummary(app.config, app.profiles, images.page, images.font);
    SetWindowTextA(preview.summary, summary.c_str());
}

void paint(HWND window, const Preview& preview) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const PreviewGeometry& g = preview.geometry;
    const int width = g.drawnWidth(), height = g.drawnHeight();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    for (int page = 0; page < kPageCount; ++page) {
        const std::size_t first = static_cast<std::size_t>(page) * width * height;
        if (preview.pixels.size() < first + static_cast<std::size_t>(width) * height) break;
        SetDIBitsToDevice(dc, g.margin, g.margin + page * (height + g.pageGap), width, height, 0, 0, 0, height,
                          preview.pixels.data() + first, &bi, DIB_RGB_COLORS);
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
    // The pages at the main window's scale, or at a smaller whole-pixel one where the work area is
    // too low for all four (150 % on a 768-pixel screen), never below the 100 % scale.
    RECT work{0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    PreviewGeometry g(app.scale, app.scale.previewPixel);
    SIZE outer = outerSizeForClient(style, 0, g.clientWidth(), g.clientHeight());
    while (g.pixel > kPreviewScale && outer.cy > work.bottom - work.top) {
        g = PreviewGeometry(app.scale, g.pixel - 1);
        outer = outerSizeForClient(style, 0, g.clientWidth(), g.clientHeight());
    }
    HWND window = createToolWindow(app.instance, kPreviewKind, {0, kCaption, style, outer.cx, outer.cy, app.mainWindow},
                                   std::make_unique<Preview>(g));
    if (!window) return;
    Preview& preview = *toolWindowState<Preview>(window);
    preview.summary = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, g.margin,
                                      g.margin + g.pagesHeight() + g.margin, g.drawnWidth(), g.summaryHeight, window,
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
