#include "platform/clock_posix.h"

#include <time.h>

#include <cerrno>

double PosixClock::nowMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void PosixClock::waitMs(double ms) {
    if (ms <= 0) return;
    timespec deadline;
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const long long ns = static_cast<long long>(ms * 1e6) + 1;
    deadline.tv_sec += static_cast<time_t>(ns / 1000000000LL);
    deadline.tv_nsec += static_cast<long>(ns % 1000000000LL);
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    // An absolute deadline: a signal that interrupts the sleep cannot shorten the wait.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

double PosixClock::resolutionMs() const {
    timespec res;
    clock_getres(CLOCK_MONOTONIC, &res);
    return static_cast<double>(res.tv_sec) * 1000.0 + static_cast<double>(res.tv_nsec) / 1e6;
}
