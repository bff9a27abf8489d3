#include "platform/busy_window_win.h"

namespace {

// How often the queue is looked at; well under the time after which a window counts as hung.
constexpr DWORD kPumpIntervalMs = 20;

// How many BusyWindows live; one at a time in practice (each transfer refuses a second start).
int runningTransfers = 0;

bool isUserInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           message == WM_NCMOUSEHOVER || message == WM_NCMOUSELEAVE || message == WM_MOUSEHOVER ||
           message == WM_MOUSELEAVE;
}

}  // namespace

BusyWindows::BusyWindows(const wchar_t* transfer, std::initializer_list<HWND> windows) {
    ++runningTransfers;
    HWND first = windows.size() > 0 ? *windows.begin() : nullptr;
    if (transfer && first && IsWindow(first) && ShutdownBlockReasonCreate(first, transfer)) reasonOwner_ = first;
    for (HWND w : windows) {
        // EnableWindow reports whether the window was disabled already; only ours are undone.
        if (w && IsWindow(w) && !EnableWindow(w, FALSE)) disabled_.push_back(w);
    }
    lastPumpMs_ = GetTickCount();
}

BusyWindows::~BusyWindows() {
    // Enable in reverse, so the main window (usually first) is active again last.
    for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
        if (IsWindow(*it)) EnableWindow(*it, TRUE);
    if (reasonOwner_ && IsWindow(reasonOwner_)) ShutdownBlockReasonDestroy(reasonOwner_);
    --runningTransfers;
    if (quitSeen_) PostQuitMessage(quitCode_);
}

bool BusyWindows::transferRunning() { return runningTransfers > 0; }

void BusyWindows::pump() {
    const DWORD now = GetTickCount();
    if (now - lastPumpMs_ < kPumpIntervalMs) return;
    pumpNow();
}

void BusyWindows::pumpNow() {
    lastPumpMs_ = GetTickCount();
    MSG msg;
    while (!quitSeen_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitSeen_ = true;
            quitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        if (isUserInput(msg.message)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
