#include "platform/progress_bar_win.h"

#include <commctrl.h>

Win32ProgressBar::Win32ProgressBar(HWND parent, int x, int y, int width, int height) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    bar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                           nullptr);
    SendMessageA(bar_, PBM_SETSTEP, 1, 0);
}

Win32ProgressBar mainWindowProgressBar(HWND mainWindow) {
    constexpr int kX = 580, kY = 65, kWidth = 384, kHeight = 32;
    return Win32ProgressBar(mainWindow, kX, kY, kWidth, kHeight);
}

Win32ProgressBar::~Win32ProgressBar() {
    if (bar_) DestroyWindow(bar_);
}

void Win32ProgressBar::setRange(int minimum, int maximum) {
    // PBM_SETRANGE32: the 16-bit PBM_SETRANGE would cut a range above 65535.
    SendMessageA(bar_, PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

void Win32ProgressBar::step() { SendMessageA(bar_, PBM_STEPIT, 0, 0); }

void Win32ProgressBar::setPosition(int position) {
    // Posted: the bar moves (and draws) when the operation next handles its messages, in a wait,
    // not in the middle of sending.
    PostMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int Win32ProgressBar::drawnWidth() const {
    RECT r{};
    GetClientRect(bar_, &r);
    return r.right - r.left;
}
