#include "platform/clock_posix.h"

#include <sched.h>
#include <time.h>


double PosixClock::nowMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void PosixClock::waitMs(double ms) {
    if (ms > 0) wait_.waitUntil(*this, nowMs() + ms);
}

bool PosixClock::sleepMs(double ms, double) {
    const long long ns = static_cast<long long>(ms * 1e6) + 1;
    timespec span;
    span.tv_sec = static_cast<time_t>(ns / 1000000000LL);
    span.tv_nsec = static_cast<long>(ns % 1000000000LL);
    // A signal that ends the sleep early (Ctrl-C) is no lateness to learn; the rule goes round
    // again, so it cannot shorten the wait either.
    return nanosleep(&span, nullptr) == 0;
}

void PosixClock::yield() { sched_yield(); }

double PosixClock::resolutionMs() const {
    timespec res;
    clock_getres(CLOCK_MONOTONIC, &res);
    return static_cast<double>(res.tv_sec) * 1000.0 + static_cast<double>(res.tv_nsec) / 1e6;
}
