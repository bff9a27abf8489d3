#pragma once
// A virtual clock for tests: time moves only when someone waits, so paced transfers finish at
// once and their pauses can still be checked. With a tick, nowMs() reads the true time rounded
// down to whole ticks and waitMs() behaves like a wait on such a counter (it may end up to one
// tick short of the true time asked), as a coarse system tick counter would.
#include "platform/clock.h"

class VirtualClock : public Clock {
public:
    explicit VirtualClock(double tickMs = 0.0, double startMs = 0.0)
        : tickMs_(tickMs), trueMs_(startMs) {}

    double nowMs() override;
    void waitMs(double ms) override;
    double resolutionMs() const override { return tickMs_; }

    // The exact virtual time, which a test uses to judge the pauses.
    double trueMs() const { return trueMs_; }
    // Moves time on, as work that takes time would.
    void advance(double ms) { if (ms > 0) trueMs_ += ms; }
    int waitCount() const { return waitCount_; }
    double totalWaitedMs() const { return totalWaitedMs_; }

private:
    double tickMs_;
    double trueMs_;
    int waitCount_ = 0;
    double totalWaitedMs_ = 0.0;
};

// The counter of a system tick that advances in 15.625 ms steps.
class CoarseVirtualClock : public VirtualClock {
public:
    explicit CoarseVirtualClock(double startMs = 7.0) : VirtualClock(15.625, startMs) {}
};
