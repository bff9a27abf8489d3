#pragma once
// How a link operation waits for a deadline without spinning: it sleeps on the operating system's
// timer until shortly before the deadline, gives the processor away only for the last fraction of
// a millisecond, and lets the monotonic counter decide when the deadline is reached, so a timer
// that fires late costs time but never ends a wait early.

// The operating system's part of a wait.
class WaitTimer {
public:
    virtual ~WaitTimer() = default;

    // The monotonic performance counter, in milliseconds.
    virtual double nowMs() = 0;
    // Sleeps on the system timer set to fire after ms. The timer may fire late (a coarse one
    // fires on a later tick); the sleep may also end early when the program has messages to
    // handle, which it handles before returning.
    virtual void sleepMs(double ms) = 0;
    // Gives the processor away for a moment.
    virtual void yield() = 0;
};

// The stretch before a deadline that is not left to the timer, since even a fine timer fires a
// little late: it is yielded away in a loop.
constexpr double kYieldStretchMs = 0.5;

// Returns once timer.nowMs() has reached deadlineMs.
void waitUntil(WaitTimer& timer, double deadlineMs);
