#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/progress_throttle.h"
#include "support/virtual_clock.h"

namespace {

// The bar as the window would draw it: remembers every position it was told.
struct BarMessages : Progress {
    void setRange(int minimum, int maximum) override { lo = minimum; hi = maximum; }
    void step() override { positions.push_back(positions.empty() ? 1 : positions.back() + 1); }
    void setPosition(int p) override { positions.push_back(p); }
    int lo = 0, hi = 0;
    std::vector<int> positions;
};

}  // namespace

// A step per byte reaches the bar only when the drawn bar moves: an upload of 13484 steps on a
// 380-pixel bar makes at most one message per pixel, and the bar ends drawn exactly as if every
// step had gone through. A range narrower than the bar passes every change on. Given a clock
// (rows with the time a step takes), the bar is also redrawn at most once per interval, lags
// the true position by no more than an interval's steps, and still ends full.
TEST(ProgressThrottle, ForwardsOnlyWhenTheDrawnBarMoves) {
    struct Case {
        int steps;
        int width;
        double msPerStep;  // 0: no clock
    };
    for (const Case c : {Case{13484, 380, 0}, Case{13484 + 14 * 512, 380, 0}, Case{100, 380, 0}, Case{7, 1, 0},
                         Case{13484, 380, 2.0}, Case{32768, 384, 0.78}, Case{100, 380, 30.0}, Case{7, 1, 500.0}}) {
        BarMessages bar;
        VirtualClock clock(0.0, 1000.0);
        ThrottledProgress progress(bar, c.width, c.msPerStep > 0 ? &clock : nullptr);
        progress.setRange(0, c.steps);
        const std::size_t before = bar.positions.size();
        const int lagSteps = c.msPerStep > 0 ? static_cast<int>(kProgressRedrawIntervalMs / c.msPerStep) + 1 : 0;
        int lastDrawn = 0;
        for (int i = 1; i <= c.steps; ++i) {
            clock.advance(c.msPerStep);
            progress.step();
            const int drawn = static_cast<int>(static_cast<long long>(i) * c.width / c.steps);
            ASSERT_FALSE(bar.positions.empty());
            // What the bar was last told draws the same as a position at most the lag behind.
            const long long told = bar.positions.back();
            EXPECT_LE(told, i);
            EXPECT_GE(told * c.width / c.steps, static_cast<long long>(std::max(0, i - lagSteps)) * c.width / c.steps)
                << c.steps << " steps, after " << i;
            lastDrawn = drawn;
        }
        EXPECT_EQ(bar.hi, c.steps);
        EXPECT_EQ(bar.positions.back(), c.steps);
        EXPECT_EQ(lastDrawn, c.width);
        std::size_t most = static_cast<std::size_t>(std::min(c.steps, c.width));
        if (c.msPerStep > 0)
            most = std::min(most, static_cast<std::size_t>(c.steps * c.msPerStep / kProgressRedrawIntervalMs) + 1);
        EXPECT_LE(bar.positions.size() - before, most) << c.steps << " steps";
    }
}
