#include <gtest/gtest.h>

#include <vector>

#include "platform/progress_throttle.h"

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
// step had gone through. A range narrower than the bar passes every change on.
TEST(ProgressThrottle, ForwardsOnlyWhenTheDrawnBarMoves) {
    struct Case {
        int steps;
        int width;
    };
    for (const Case c : {Case{13484, 380}, Case{13484 + 14 * 512, 380}, Case{100, 380}, Case{7, 1}}) {
        BarMessages bar;
        ThrottledProgress progress(bar, c.width);
        progress.setRange(0, c.steps);
        const std::size_t before = bar.positions.size();
        int lastDrawn = 0;
        for (int i = 1; i <= c.steps; ++i) {
            progress.step();
            const int drawn = static_cast<int>(static_cast<long long>(i) * c.width / c.steps);
            ASSERT_FALSE(bar.positions.empty());
            // What the bar was last told draws the same as the true position.
            EXPECT_EQ(static_cast<long long>(bar.positions.back()) * c.width / c.steps, drawn)
                << c.steps << " steps, after " << i;
            lastDrawn = drawn;
        }
        EXPECT_EQ(bar.hi, c.steps);
        EXPECT_EQ(lastDrawn, c.width);
        EXPECT_LE(bar.positions.size() - before, static_cast<std::size_t>(std::min(c.steps, c.width)))
            << c.steps << " steps";
    }
}
