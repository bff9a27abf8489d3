#include "cli/terminal_progress.h"

#include <unistd.h>

TerminalProgress::TerminalProgress(std::FILE* stream, std::string label)
    : stream_(stream), label_(std::move(label)), enabled_(isatty(fileno(stream)) != 0) {}

TerminalProgress::~TerminalProgress() { finish(); }

void TerminalProgress::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    position_ = minimum;
    draw();
}

void TerminalProgress::step() {
    if (position_ < maximum_) ++position_;
    draw();
}

void TerminalProgress::setPosition(int position) {
    position_ = position;
    draw();
}

void TerminalProgress::finish() {
    if (enabled_ && shownPercent_ >= 0) std::fputc('\n', stream_);
    enabled_ = false;
}

void TerminalProgress::draw() {
    if (!enabled_) return;
    const int span = maximum_ > minimum_ ? maximum_ - minimum_ : 1;
    const int percent = static_cast<int>(100LL * (position_ - minimum_) / span);
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    std::fprintf(stream_, "\r%s [%s%s] %3d%%", label_.c_str(), std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, '.').c_str(), percent);
    std::fflush(stream_);
}
