#pragma once
// A monotonic clock for native tools (CLOCK_MONOTONIC); waits follow the same rule as the editor's
// (timer_wait.h): sleep until shortly before the deadline, learning how late the sleeps end.
// Make one per link operation.
#include "platform/clock.h"
#include "platform/timer_wait.h"

class PosixClock : public Clock, private WaitTimer {
public:
    double nowMs() override;
    void waitMs(double ms) override;
    double resolutionMs() const override;

private:
    bool sleepMs(double ms, double messagesMs) override;
    void yield() override;

    TimerWait wait_;
};
