#include "platform/timer_wait.h"

void waitUntil(WaitTimer& timer, double deadlineMs) {
    for (;;) {
        const double remaining = deadlineMs - timer.nowMs();
        if (remaining <= 0) return;
        // The timer is set for the whole wait but its last stretch; a sleep that a message cut
        // short, or a timer that fired early, simply goes round again.
        if (remaining > kYieldStretchMs)
            timer.sleepMs(remaining - kYieldStretchMs);
        else
            timer.yield();
    }
}
