#include "platform/timer_wait.h"

#include <algorithm>

void TimerWait::waitUntil(WaitTimer& timer, double deadlineMs) {
    for (;;) {
        const double now = timer.nowMs();
        const double remaining = deadlineMs - now;
        if (remaining <= 0) return;
        // The timer is set for the whole wait but its last stretch; a sleep that a message cut
        // short, or a timer that fired early, simply goes round again.
        if (remaining <= timer_.earlyMs()) {
            // The last stretch: the finer sleep takes it while it fits, the rest is yielded.
            const double delay = remaining - fine_.earlyMs();
            if (!fineSleepMissing_ && delay > 0) {
                if (timer.delayMs(delay)) {
                    fine_.learn(timer.nowMs() - now - delay);
                    continue;
                }
                fineSleepMissing_ = true;
            }
            timer.yield();
            continue;
        }
        // One sleep, on a timer set once; messages are handled only until the quiet stretch
        // before the wake begins.
        const double wake = remaining - timer_.earlyMs();
        const double messagesMs = std::max(0.0, wake - kQuietStretchMs);
        if (timer.sleepMs(wake, messagesMs)) timer_.learn(timer.nowMs() - now - wake);
    }
}

void WakeLateness::learn(double latenessMs) {
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
