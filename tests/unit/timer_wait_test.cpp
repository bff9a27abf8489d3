#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "platform/timer_wait.h"

namespace {

// An operating system timer that wakes late by what `lateness` says for the n-th sleep (a
// function of the time it was due, so a tick can be modelled), never early. A yield costs a few
// microseconds. `messageEvery` makes every n-th sleep end at once, as a message arriving for the
// thread would; only a sleep that handles messages can be cut short, and the latest time such a
// sleep could have handled one is kept. A finer sleep, when `fineLateness` is given, wakes late
// by what it says.
class FakeTimer : public WaitTimer {
public:
    FakeTimer(std::function<double(int sleep, double dueMs)> lateness, int messageEvery,
              std::function<double(double dueMs)> fineLateness, double startMs)
        : lateness_(std::move(lateness)), messageEvery_(messageEvery), fineLateness_(std::move(fineLateness)),
          now_(startMs) {}

    double nowMs() override { return now_; }
    bool sleepMs(double ms, double messagesMs) override {
        ++sleeps;
        const double due = now_ + ms;
        if (messagesMs > 0) lastMessagesDueMs = now_ + messagesMs;
        if (messagesMs > 0 && messageEvery_ > 0 && sleeps % messageEvery_ == 0) return false;
        now_ = due + lateness_(sleeps, due);
        return true;
    }
    void yield() override {
        ++yields;
        now_ += kYieldCostMs;
    }
    bool delayMs(double ms) override {
        if (!fineLateness_) return false;
        ++delays;
        now_ += ms + fineLateness_(now_ + ms);
        return true;
    }

    static constexpr double kYieldCostMs = 0.002;
    int sleeps = 0;
    int yields = 0;
    int delays = 0;
    double lastMessagesDueMs = -1e9;

private:
    std::function<double(int, double)> lateness_;
    int messageEvery_;
    std::function<double(double)> fineLateness_;
    double now_;
};

double tickLateness(double tickMs, double dueMs) { return std::ceil(dueMs / tickMs) * tickMs - dueMs; }

// Lateness spread evenly over 0 to 1 ms from one sleep to the next, as a timer served on whole
// milliseconds wakes.
double spreadLateness(int sleep) { return std::fmod(sleep * 0.618034, 1.0); }

}  // namespace

// An upload's waits one after the other (30, 10 and 4 to 64 ms, as its groups pause) on timers
// that wake late in different ways. Every wait ends at or after its deadline, and messages are
// never handled in the quiet stretch before it. Once the rule has
// seen a few wakes, a wait ends within the row's overshoot of its deadline, sets the timer once
// (once more for each message), sleeps on a finer sleep at most once and yields through no more
// than the row's stretch; the whole
// series takes at most the row's share over the sum of its waits.
TEST(TimerWait, LearnsHowLateTheTimerWakes) {
    struct Case {
        const char* name;
        std::function<double(int, double)> lateness;
        int messageEvery;
        std::function<double(double)> fineLateness;  // none: the system has no finer sleep
        double overshootMs;  // the most a settled wait may end past its deadline
        double stretchMs;    // the most a settled wait may yield through
        double spanShare;    // the most the series may take over the sum of its waits
    };
    const double yieldMs = FakeTimer::kYieldCostMs;
    const Case cases[] = {
        {"late by 0.4 ms", [](int, double) { return 0.4; }, 0, nullptr, yieldMs, kEarlyFloorMs + yieldMs, 1.0001},
        {"late by 1 ms", [](int, double) { return 1.0; }, 0, nullptr, yieldMs, kEarlyFloorMs + yieldMs, 1.0001},
        // A coarse tick is not worth yielding through: the wait ends on a tick, as before.
        {"15.625 ms tick", [](int, double due) { return tickLateness(15.625, due); }, 0, nullptr, 15.625 + yieldMs,
         kEarlyCeilingMs + yieldMs, 1.2},
        // A busy machine: 0.4 ms late for the first half of the series, 2.5 ms after it.
        {"lateness that changes halfway", [](int sleep, double) { return sleep < 300 ? 0.4 : 2.5; }, 0, nullptr,
         yieldMs, kEarlyFloorMs + yieldMs, 1.002},
        // Messages cut every second sleep short; they are no lateness to learn.
        {"messages", [](int, double) { return 0.4; }, 2, nullptr, yieldMs, kEarlyFloorMs + yieldMs, 1.0001},
        // A timer that wakes anywhere up to a millisecond late (now and then past the deadline),
        // and a finer sleep 0.09 ms late: the finer sleep takes the last stretch, and no more than
        // its own lateness and the floor is yielded through.
        {"late by up to 1 ms, finer sleep late by 0.09 ms", [](int sleep, double) { return spreadLateness(sleep); }, 0,
         [](double) { return 0.09; }, 1.0 + yieldMs, 0.09 + kEarlyFloorMs + yieldMs, 1.001},
        // A finer sleep that wakes on the same coarse tick is tried, learned and left alone.
        {"15.625 ms tick for both sleeps", [](int, double due) { return tickLateness(15.625, due); }, 0,
         [](double due) { return tickLateness(15.625, due); }, 15.625 + yieldMs, kEarlyCeilingMs + yieldMs, 1.2},
    };
    const double waits[] = {30, 10, 4, 30, 64, 8, 30, 10, 56, 0.3};
    for (const Case& c : cases) {
        FakeTimer timer(c.lateness, c.messageEvery, c.fineLateness, 1000.0 / 3.0);
        TimerWait rule;
        double waited = 0;
        const double begun = timer.nowMs();
        int unsettled = 0;
        for (int n = 0; n < 500; ++n) {
            const double ms = waits[n % 10];
            const int sleepsBefore = timer.sleeps;
            const int yieldsBefore = timer.yields;
            const int delaysBefore = timer.delays;
            const double deadline = timer.nowMs() + ms;
            rule.waitUntil(timer, deadline);
            waited += ms;
            const double over = timer.nowMs() - deadline;
            const std::string at = std::string(c.name) + ", wait " + std::to_string(n);
            ASSERT_GE(over, 0.0) << at;
            ASSERT_LE(timer.lastMessagesDueMs, deadline - kQuietStretchMs) << at;
            const int sleeps = timer.sleeps - sleepsBefore;
            // A message cuts a sleep short.
            const int extraSleeps = c.messageEvery > 0 ? sleeps / c.messageEvery : 0;
            const double stretch = (timer.yields - yieldsBefore) * yieldMs;
            // A wait shorter than the timer is set early may be yielded whole.
            const double stretchAllowed = ms <= kEarlyCeilingMs ? std::max(c.stretchMs, ms + yieldMs) : c.stretchMs;
            const int delays = timer.delays - delaysBefore;
            const bool settled =
                over <= c.overshootMs && sleeps - extraSleeps <= 1 && delays <= 1 && stretch <= stretchAllowed;
            // A wait may be off while the rule learns: a few at the start and after the change.
            if (!settled && ++unsettled > 8)
                ADD_FAILURE() << at << ": " << over << " ms past, " << sleeps << " sleeps, " << delays
                              << " finer sleeps, " << stretch << " ms yielded";
        }
        EXPECT_LE((timer.nowMs() - begun) / waited, c.spanShare) << c.name;
    }
}
