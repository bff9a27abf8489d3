#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/timer_wait.h"

namespace {

// An operating system timer that fires on a coarse tick: late by up to one tick, never early.
// A yield costs a few microseconds. `messageEvery` makes every n-th sleep end at once, as a
// message arriving for the thread would.
class CoarseTimer : public WaitTimer {
public:
    CoarseTimer(double tickMs, double startMs) : tickMs_(tickMs), now_(startMs) {}

    double nowMs() override { return now_; }
    void sleepMs(double ms) override {
        ++sleeps;
        if (messageEvery > 0 && sleeps % messageEvery == 0) return;
        const double due = now_ + ms;
        now_ = tickMs_ > 0 ? std::ceil(due / tickMs_) * tickMs_ : due;
    }
    void yield() override {
        ++yields;
        now_ += kYieldCostMs;
    }

    static constexpr double kYieldCostMs = 0.002;
    int sleeps = 0;
    int yields = 0;
    int messageEvery = 0;

private:
    double tickMs_;
    double now_;
};

}  // namespace

// Every wait ends at or after its deadline, sleeps through nearly all of it, and yields only for
// the last fraction of a millisecond, on a 15.625 ms timer, on an exact one, and with messages
// cutting sleeps short.
TEST(TimerWait, NeverEarlyAndWakesABoundedNumberOfTimes) {
    struct Case {
        const char* name;
        double tickMs;
        int messageEvery;
    };
    const Case cases[] = {{"15.625 ms tick", 15.625, 0}, {"exact timer", 0.0, 0}, {"messages", 15.625, 2}};
    const double waits[] = {0.0, 0.1, 0.5, 0.7, 1.0, 4.0, 10.0, 15.625, 30.0, 64.0};
    const double starts[] = {0.0, 3.1, 15.5, 1000.0 / 3.0};
    for (const Case& c : cases)
        for (double start : starts)
            for (double ms : waits) {
                CoarseTimer timer(c.tickMs, start);
                const double deadline = start + ms;
                waitUntil(timer, deadline);
                const std::string name = std::string(c.name) + ", start " + std::to_string(start) + ", " +
                                         std::to_string(ms) + " ms";
                EXPECT_GE(timer.nowMs(), deadline) << name;
                // A late timer costs at most one tick (and a yield past the deadline).
                EXPECT_LE(timer.nowMs(), deadline + c.tickMs + CoarseTimer::kYieldCostMs) << name;
                // No spin: yielding covers at most the last stretch, and the timer is set a few
                // times at most (once more for each message).
                EXPECT_LE(timer.yields * CoarseTimer::kYieldCostMs, kYieldStretchMs + CoarseTimer::kYieldCostMs)
                    << name;
                const int messageSleeps = c.messageEvery > 0 ? timer.sleeps / c.messageEvery : 0;
                EXPECT_LE(timer.sleeps - messageSleeps, 2) << name;
            }
}
