#pragma once
// Keeps the program painting while a long link operation runs inside one command handler, and
// refuses the user's input meanwhile. Construct it around the operation and call pump() often
// (between reads or pauses); the windows given are disabled until it is destroyed. While it
// lives, the end of the Windows session is refused with the operation's reason: a display cut
// off in the middle of a transfer may not start again.
#include <windows.h>

#include <initializer_list>
#include <vector>

class BusyWindows {
public:
    // `transfer` names the operation for the log-off screen ("Uploading ..."); it is set on the
    // first window, the main window, which is the one Windows asks.
    BusyWindows(const wchar_t* transfer, std::initializer_list<HWND> windows);
    ~BusyWindows();
    BusyWindows(const BusyWindows&) = delete;
    BusyWindows& operator=(const BusyWindows&) = delete;

    // Dispatches the waiting messages except keyboard and mouse input, which is dropped. At most
    // once every few milliseconds; cheap to call far more often. A quit message is kept for the
    // main loop.
    void pump();
    // The same at once, for a wait that woke because messages arrived.
    void pumpNow();

    // True while any transfer runs: the main window then refuses the end of the session and
    // asks nothing (a question would stand still with the transfer behind it).
    static bool transferRunning();

private:
    HWND reasonOwner_ = nullptr;
    std::vector<HWND> disabled_;
    DWORD lastPumpMs_ = 0;
    bool quitSeen_ = false;
    int quitCode_ = 0;
};
