#pragma once
// A progress bar drawn on one line of a terminal, redrawn only when its percentage changes. On
// anything but a terminal it draws nothing, so logs stay clean.
#include <cstdio>
#include <string>

#include "platform/progress.h"

class TerminalProgress : public Progress {
public:
    TerminalProgress(std::FILE* stream, std::string label);
    ~TerminalProgress() override;

    void setRange(int minimum, int maximum) override;
    void step() override;
    void setPosition(int position) override;
    // Ends the bar's line; further calls draw nothing.
    void finish();

private:
    void draw();

    std::FILE* stream_;
    std::string label_;
    bool enabled_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    int shownPercent_ = -1;
};
