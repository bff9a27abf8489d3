#pragma once
// How a link operation waits for a deadline without spinning: it sleeps on the operating system's
// timer until shortly before the deadline, gives the processor away only for the last stretch,
// and lets the monotonic counter decide when the deadline is reached, so a timer that fires late
// costs time but never ends a wait early. The program's messages are handled while the deadline
// is still some way off, never in the last stretch before it, so that painting a window cannot
// make a pause overshoot. How much earlier than the deadline the timer is set is
// learned while waiting from how late the timer has woken lately, so that the last stretch stays
// short on a timer that wakes a fraction of a millisecond late as on one that wakes on a tick.
// Where the system has a finer sleep than its timer, the last stretch is slept through with it as
// long as it has woken in time lately, and only its own lateness is yielded through.

// The operating system's part of a wait.
class WaitTimer {
public:
    virtual ~WaitTimer() = default;

    // The monotonic performance counter, in milliseconds.
    virtual double nowMs() = 0;
    // Sleeps on the system timer set once to fire after ms. The timer may fire late (a coarse
    // one fires on a later tick). During the sleep's first messagesMs (none when 0) the program's
    // messages end it and are handled before it returns; after that they wait, and the timer
    // ends the sleep. True when the timer ended the sleep; false when something else ended it
    // first (messages that were handled).
    virtual bool sleepMs(double ms, double messagesMs) = 0;
    // Gives the processor away for a moment.
    virtual void yield() = 0;
    // Sleeps about ms on the system's finest sleep, without handling messages. False, at once,
    // when there is none finer than the timer.
    virtual bool delayMs(double) { return false; }
};

// Bounds of how early the timer is set: never less than a short stretch (even a fine timer wakes
// a little late, and the first wakes teach nothing yet), never more than a few milliseconds (a
// timer that late fires on a tick; yielding through a tick would only burn the processor).
constexpr double kEarlyFloorMs = 0.1;
constexpr double kEarlyCeilingMs = 3.0;
// Before the first wake: as early as a fine timer needs.
constexpr double kEarlyStartMs = 0.5;
// The last stretch before the timer's wake in which messages wait: longer than handling them
// takes (painting a window, a progress bar), so that their handling ends before the deadline.
constexpr double kQuietStretchMs = 2.0;
// The wakes remembered, and how far up in their lateness the timer is set: the ninth of ten.
constexpr int kLatenessWindow = 32;
constexpr int kLatenessRank = kLatenessWindow * 9 / 10;

// How late one kind of sleep has woken lately, and so how much earlier than a deadline it is set.
class WakeLateness {
public:
    void learn(double latenessMs);
    double earlyMs() const { return earlyMs_; }

private:
    double lateness_[kLatenessWindow] = {};
    int learned_ = 0;  // wakes remembered, up to the window
    int next_ = 0;     // where the next one goes
    double earlyMs_ = kEarlyStartMs;
};

// One operation's waits: keeps the lateness of the last wakes between waits.
class TimerWait {
public:
    // Returns once timer.nowMs() has reached deadlineMs.
    void waitUntil(WaitTimer& timer, double deadlineMs);

private:
    WakeLateness timer_;  // the timer's, which sets how early the timer is set
    WakeLateness fine_;   // the finer sleep's, which sets how much of the last stretch is yielded
    bool fineSleepMissing_ = false;  // the system said it has no finer sleep
};
