#include "platform/progress_throttle.h"

#include <algorithm>

ThrottledProgress::ThrottledProgress(Progress& bar, int drawnWidth, Clock* clock)
    : bar_(bar), width_(std::max(drawnWidth, 1)), clock_(clock) {
    if (clock_) shownAtMs_ = clock_->nowMs();
}

int ThrottledProgress::drawnPixels(int position) const {
    if (maximum_ <= minimum_) return 0;
    const long long done = static_cast<long long>(position - minimum_) * width_;
    return static_cast<int>(done / (static_cast<long long>(maximum_) - minimum_));
}

void ThrottledProgress::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    bar_.setRange(minimum, maximum);
    position_ = std::clamp(position_, minimum_, std::max(minimum_, maximum_));
    bar_.setPosition(position_);
    shownPixels_ = drawnPixels(position_);
}

void ThrottledProgress::step() { setPosition(position_ + 1); }

void ThrottledProgress::setPosition(int position) {
    position_ = std::clamp(position, minimum_, std::max(minimum_, maximum_));
    const int pixels = drawnPixels(position_);
    if (pixels == shownPixels_) return;
    if (clock_ && position_ < maximum_) {
        const double now = clock_->nowMs();
        if (now - shownAtMs_ < kProgressRedrawIntervalMs) return;
        shownAtMs_ = now;
    }
    shownPixels_ = pixels;
    bar_.setPosition(position_);
}
