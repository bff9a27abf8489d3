#pragma once
// A monotonic clock with sub-millisecond resolution and a wait. Tests use a virtual clock, so
// paced transfers run at once and their pauses are still checked.

class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary fixed start, never going backwards.
    virtual double nowMs() = 0;
    // Returns no earlier than nowMs() + ms.
    virtual void waitMs(double ms) = 0;
    // The step in which nowMs() advances. Pacing adds it to every minimum, so a counter that
    // ticks coarsely cannot end a pause early.
    virtual double resolutionMs() const { return 0.0; }
};
