#include "support/virtual_clock.h"

#include <algorithm>
#include <cmath>

double VirtualClock::nowMs() {
    if (tickMs_ <= 0) return trueMs_;
    return std::floor(trueMs_ / tickMs_) * tickMs_;
}

void VirtualClock::waitMs(double ms) {
    ++waitCount_;
    if (ms <= 0) return;
    const double before = trueMs_;
    if (tickMs_ <= 0) {
        trueMs_ += ms;
    } else {
        // Runs until the counter shows the target, landing on the tick that first reaches it.
        const double target = nowMs() + ms;
        trueMs_ = std::max(trueMs_, std::ceil(target / tickMs_) * tickMs_);
    }
    totalWaitedMs_ += trueMs_ - before;
}
