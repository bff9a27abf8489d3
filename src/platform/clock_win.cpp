#include "platform/clock_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <utility>

namespace {

// Not in every MinGW header yet; the systems that lack it refuse it, which we handle.
constexpr DWORD kHighResolutionTimer = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// The system's own sleep: a relative interval in 100-ns units (negative), no alerts. Where the
// system timer is fine it wakes within a fraction of a millisecond; where it counts in ticks it
// wakes on a tick, which the waiting rule learns and then leaves it alone.
using DelayExecution = LONG(WINAPI*)(BOOLEAN alertable, LARGE_INTEGER* interval);

}  // namespace

Win32Clock::Win32Clock(std::function<void()> onMessages) : onMessages_(std::move(onMessages)) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    ticksPerMs_ = static_cast<double>(f.QuadPart) / 1000.0;
    resolutionMs_ = 1.0 / ticksPerMs_;
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    if (!timer_) {
        // A plain timer fires on the system tick (15.6 ms by default): ask for 1-ms ticks while
        // this operation runs, and give them back when it ends.
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        periodRaised_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    }
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll"))
        delay_ = reinterpret_cast<void*>(GetProcAddress(ntdll, "NtDelayExecution"));
}

Win32Clock::~Win32Clock() {
    if (timer_) CloseHandle(static_cast<HANDLE>(timer_));
    if (periodRaised_) timeEndPeriod(1);
}

double Win32Clock::nowMs() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / ticksPerMs_;
}

void Win32Clock::waitMs(double ms) { wait_.waitUntil(*this, nowMs() + ms); }

bool Win32Clock::sleepMs(double ms, double messagesMs) {
    HANDLE timer = static_cast<HANDLE>(timer_);
    const double quietFromMs = nowMs() + messagesMs;
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(ms * 10000.0);  // relative, in 100-ns units
    if (due.QuadPart == 0) due.QuadPart = -1;
    if (!timer || !SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
        Sleep(static_cast<DWORD>(ms));  // no timer at all: the policy still checks the counter
        return true;
    }
    if (onMessages_ && messagesMs > 0) {
        // One wait for the timer or a message. A message that comes in the quiet stretch is left
        // for the next wait; the timer, set once, still ends this one.
        if (MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, 0) != WAIT_OBJECT_0 + 1) return true;
        if (nowMs() < quietFromMs) {
            onMessages_();
            return false;
        }
    }
    return WaitForSingleObject(timer, INFINITE) == WAIT_OBJECT_0;
}

void Win32Clock::yield() { Sleep(0); }

bool Win32Clock::delayMs(double ms) {
    if (!delay_) return false;
    LARGE_INTEGER interval;
    interval.QuadPart = -static_cast<LONGLONG>(ms * 10000.0);
    if (interval.QuadPart == 0) interval.QuadPart = -1;
    return reinterpret_cast<DelayExecution>(delay_)(FALSE, &interval) >= 0;
}
