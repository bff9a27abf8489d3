#include "platform/clock_win.h"

#include <windows.h>

#include <algorithm>

Win32Clock::Win32Clock() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    ticksPerMs_ = static_cast<double>(f.QuadPart) / 1000.0;
    resolutionMs_ = 1.0 / ticksPerMs_;
    // The system timer decides how late Sleep returns; learn it so that the sleeping part of a
    // wait stays clear of its end.
    double worst = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double t0 = nowMs();
        Sleep(1);
        worst = std::max(worst, nowMs() - t0);
    }
    sleepOvershootMs_ = std::min(worst + 0.5, 20.0);
}

double Win32Clock::nowMs() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / ticksPerMs_;
}

void Win32Clock::waitMs(double ms) {
    const double deadline = nowMs() + ms;
    for (;;) {
        const double remaining = deadline - nowMs();
        if (remaining <= 0) return;
        if (remaining > sleepOvershootMs_)
            Sleep(static_cast<DWORD>(remaining - sleepOvershootMs_) + 1);
        else
            Sleep(0);  // the last stretch: give the processor away but come back at once
    }
}
