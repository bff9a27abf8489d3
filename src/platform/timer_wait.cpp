#include "platform/timer_wait.h"

#include <algorithm>

void TimerWait::waitUntil(WaitTimer& timer, double deadlineMs) {
    for (;;) {
        const double now = timer.nowMs();
        const double remaining = deadlineMs - now;
        if (remaining <= 0) return;
        // The timer is set for the whole wait but its last stretch; a sleep that a message cut
        // short, or a timer that fired early, simply goes round again.
        if (remaining <= earlyMs_) {
            timer.yield();
            continue;
        }
        // Messages are handled only in a first sleep that ends the quiet stretch before the wake;
        // the rest is slept with them waiting.
        const double wake = remaining - earlyMs_;
        const bool messages = wake > kQuietStretchMs;
        const double asked = messages ? wake - kQuietStretchMs : wake;
        if (timer.sleepMs(asked, messages)) learn(timer.nowMs() - now - asked);
    }
}

void TimerWait::learn(double latenessMs) {
    lateness_[next_] = std::max(0.0, latenessMs);
    next_ = (next_ + 1) % kLatenessWindow;
    if (learned_ < kLatenessWindow) ++learned_;
    // The rank's share of the wakes remembered so far: the first wakes already count.
    double sorted[kLatenessWindow];
    std::copy(lateness_, lateness_ + learned_, sorted);
    const int rank = learned_ * kLatenessRank / kLatenessWindow;
    std::nth_element(sorted, sorted + rank, sorted + learned_);
    earlyMs_ = std::clamp(sorted[rank] + kEarlyFloorMs, kEarlyFloorMs, kEarlyCeilingMs);
}
