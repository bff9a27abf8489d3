#pragma once
// A monotonic clock over the performance counter whose waits sleep on a waitable timer (see
// timer_wait.h): high resolution where the system offers it, else a plain timer with the system
// tick raised to 1 ms for as long as the clock lives. The last stretch before a deadline may
// sleep on the system's relative delay, which counts in 100-ns units; whether it wakes in time
// is learned like the timer's lateness. Make one per link operation.
#include <functional>

#include "platform/clock.h"
#include "platform/timer_wait.h"

class Win32Clock : public Clock, private WaitTimer {
public:
    // With onMessages, a wait also wakes when the thread has messages and calls it to handle
    // them, so the windows keep painting while an operation waits.
    explicit Win32Clock(std::function<void()> onMessages = nullptr);
    ~Win32Clock() override;
    Win32Clock(const Win32Clock&) = delete;
    Win32Clock& operator=(const Win32Clock&) = delete;

    double nowMs() override;
    void waitMs(double ms) override;
    double resolutionMs() const override { return resolutionMs_; }

private:
    bool sleepMs(double ms, double messagesMs) override;
    void yield() override;
    bool delayMs(double ms) override;

    TimerWait wait_;  // learns how late the timer wakes over this operation's waits

    std::function<void()> onMessages_;
    double ticksPerMs_ = 1.0;
    double resolutionMs_ = 0.0;
    void* timer_ = nullptr;      // HANDLE of the waitable timer
    bool periodRaised_ = false;  // timeBeginPeriod(1) is in force and must be ended
    void* delay_ = nullptr;      // the system's relative sleep in 100-ns units, where it has one
};
