#pragma once
// Passes a progress bar's position on only when the drawn bar changes. The link operations step
// once per byte; a window message per byte costs far more than the byte, and a bar a few hundred
// pixels wide cannot show more than a few hundred positions anyway. Given a clock, it also draws
// the bar at most twice a second: each redraw costs the paced sender processor time (and, under a
// window system reached over a socket, several round trips), while a bar that moves on twice a
// second still shows the operation going on.
#include "platform/clock.h"
#include "platform/progress.h"

// The least time between two redraws of a bar that is given a clock; the end of the range is
// always drawn at once.
constexpr double kProgressRedrawIntervalMs = 500.0;

class ThrottledProgress : public Progress {
public:
    // drawnWidth: the pixels across which the bar draws its range.
    ThrottledProgress(Progress& bar, int drawnWidth, Clock* clock = nullptr);

    void setRange(int minimum, int maximum) override;
    void step() override;
    void setPosition(int position) override;

    int position() const { return position_; }

private:
    int drawnPixels(int position) const;

    Progress& bar_;
    int width_;
    Clock* clock_;
    double shownAtMs_ = 0.0;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    int shownPixels_ = 0;
};
