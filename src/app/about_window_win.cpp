#include "app/about_window_win.h"

#include <memory>
#include <string>

#include "app/about_text.h"
#include "platform/tool_window_win.h"

namespace {

// Names kept for compatibility: the About window's class has always been registered under this
// name, and a program that looks for the window by its class relies on it. Never rename it.
constexpr char kClassName[] = "AboutMaster";
constexpr char kCreationCaption[] = "About This Program (Orvel)";
constexpr int kWidth = 300;
constexpr int kHeight = 290;
constexpr int kMargin = 10;
constexpr size_t kTitleRoom = 100;  // characters of the title kept after "About "

// The window's state. The window is made at the start, hidden and shown again, and never
// destroyed before the end.
struct About {
    HBITMAP picture = nullptr;  // none when "plov.bmp" is missing or unreadable
    std::string text;           // painted in the client area below the picture
    About() = default;
    About(const About&) = delete;
    About& operator=(const About&) = delete;
    ~About() {
        if (picture) DeleteObject(picture);
    }
};

const ToolWindowKind kAboutKind{kClassName, aboutWindowProc, CS_HREDRAW | CS_VREDRAW,
                                static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))};

// The picture's rectangle: at the top, scaled down (never up) to fit the width and at most half
// the height of the client area, keeping its proportions.
RECT pictureRect(const RECT& client, const BITMAP& info) {
    const int roomWidth = client.right - 2 * kMargin;
    const int roomHeight = client.bottom / 2 - kMargin;
    int width = info.bmWidth;
    int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    if (width > roomWidth && width > 0) {
        height = static_cast<int>(static_cast<long long>(height) * roomWidth / width);
        width = roomWidth;
    }
    if (height > roomHeight && height > 0) {
        width = static_cast<int>(static_cast<long long>(width) * roomHeight / height);
        height = roomHeight;
    }
    const int left = (client.right - width) / 2;
    return RECT{left, kMargin, left + width, kMargin + height};
}

void paint(HWND window, const About& about) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);

    int textTop = kMargin;
    BITMAP info{};
    if (about.picture && GetObjectA(about.picture, sizeof info, &info) && info.bmWidth > 0) {
        const RECT target = pictureRect(client, info);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, about.picture);
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, target.left, target.top, target.right - target.left,
                   target.bottom - target.top, source, 0, 0, info.bmWidth,
                   info.bmHeight < 0 ? -info.bmHeight : info.bmHeight, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        textTop = target.bottom + kMargin;
    }

    RECT textRect{kMargin, textTop, client.right - kMargin, client.bottom - kMargin};
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, about.text.c_str(), static_cast<int>(about.text.size()), &textRect,
              DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(window, &ps);
}

}  // namespace

void createAboutWindow(HINSTANCE instance) {
    if (openToolWindow(kAboutKind)) return;
    if (!instance) instance = GetModuleHandleA(nullptr);
    auto about = std::make_unique<About>();
    about->picture = static_cast<HBITMAP>(
        LoadImageA(nullptr, "plov.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    createToolWindow(instance, kAboutKind,
                     {0, kCreationCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, kWidth, kHeight,
                      nullptr},
                     std::move(about));
}

void showAbout(const char* title, const char* text) {
    const HWND window = openToolWindow(kAboutKind);
    About* about = toolWindowState<About>(window);
    if (!about) return;
    const std::string caption = "About " + std::string(title).substr(0, kTitleRoom);
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    // The text is painted in the window rather than set as its caption, where a multi-line text
    // would replace the title.
    about->text = text;
    InvalidateRect(window, nullptr, TRUE);
    ShowWindow(window, SW_SHOW);
    bringToolWindowForward(kAboutKind);
}

void showAbout() { showAbout(kAboutTitle, kAboutText); }

LRESULT CALLBACK aboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return 0;
    case WM_PAINT:
        if (const About* about = toolWindowState<About>(window)) paint(window, *about);
        else ValidateRect(window, nullptr);
        return 0;
    // Closing only hides the window: the same window is shown by the next About command.
    case WM_CLOSE: ShowWindow(window, SW_HIDE); return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) ShowWindow(window, SW_HIDE);
        return 0;
    case WM_LBUTTONDOWN: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
