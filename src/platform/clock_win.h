#pragma once
// A monotonic clock over the performance counter. Waits sleep for most of the time and finish
// on the counter, so they never return early and use little processor time.
#include "platform/clock.h"

class Win32Clock : public Clock {
public:
    Win32Clock();
    double nowMs() override;
    void waitMs(double ms) override;
    double resolutionMs() const override { return resolutionMs_; }

private:
    double ticksPerMs_ = 1.0;
    double resolutionMs_ = 0.0;
    double sleepOvershootMs_ = 16.0;  // how late a Sleep(1) can come back, measured at start
};
