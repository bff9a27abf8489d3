#pragma once
// A progress bar as the link operations see it.

class Progress {
public:
    virtual ~Progress() = default;

    virtual void setRange(int minimum, int maximum) = 0;
    // Advances the bar by one step of 1.
    virtual void step() = 0;
    virtual void setPosition(int position) = 0;
};
