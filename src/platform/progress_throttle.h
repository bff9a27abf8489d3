#pragma once
// Passes a progress bar's position on only when the drawn bar changes. The link operations step
// once per byte; a window message per byte costs far more than the byte, and a bar a few hundred
// pixels wide cannot show more than a few hundred positions anyway.
#include "platform/progress.h"

class ThrottledProgress : public Progress {
public:
    // drawnWidth: the pixels across which the bar draws its range.
    ThrottledProgress(Progress& bar, int drawnWidth);

    void setRange(int minimum, int maximum) override;
    void step() override;
    void setPosition(int position) override;

    int position() const { return position_; }

private:
    int drawnPixels(int position) const;

    Progress& bar_;
    int width_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    int shownPixels_ = 0;
};
