#pragma once
// A monotonic clock for native tools (CLOCK_MONOTONIC); waits sleep until the deadline.
#include "platform/clock.h"

class PosixClock : public Clock {
public:
    double nowMs() override;
    void waitMs(double ms) override;
    double resolutionMs() const override;
};
