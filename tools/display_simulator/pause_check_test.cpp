// The pause check against a real sender on a pseudo-terminal: a sender that waits 98 % of every
// minimum has its pauses reported, one that waits the whole minimum has none. The bytes are one
// profile's channel scaling table, 27 chunks of 16 bytes paced at 4 ms a byte: the longest pauses
// of an upload, where 2 % (1.28 ms) is more than the 0.5 ms the check allows.
//
// On a busy machine either side can be held up for milliseconds. A late sender has not cut its
// pause, and a reader that looked at the line late has bounds too wide to tell; the sender notes
// its own times, and only pauses that were cut and read closely must be reported. Most pauses
// must be such (in one of up to three runs), or the reader's bounds are not doing their job.
#include <sys/prctl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "line_recorder.h"
#include "pause_check.h"
#include "pseudo_terminal.h"

namespace {

constexpr std::size_t kBytes = 432, kChunk = 16;
constexpr double kMinimum = 4.0 * kChunk, kTolerance = 0.5;

void sleepUntil(double ms) {
    const auto ns = static_cast<long long>(ms * 1e6);
    const timespec at{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) != 0) {}
}

// Sends the chunks a byte at a time, each followed by the wait that `share` of its minimum gives,
// counted from the chunk's first byte as the editor counts it, and one byte after them. Notes
// when each chunk began and when its first byte had been written.
void send(int fd, double share, std::vector<double>& began, std::vector<double>& written) {
    prctl(PR_SET_TIMERSLACK, 1UL);
    preferPromptScheduling();
    for (std::size_t at = 0; at <= kBytes; at += kChunk) {
        began.push_back(monotonicMs());
        for (std::size_t i = at; i < at + kChunk && i <= kBytes; ++i) {
            const auto b = static_cast<std::uint8_t>(i);
            while (write(fd, &b, 1) != 1) {}
            if (i == at) written.push_back(monotonicMs());
        }
        sleepUntil(began.back() + share * kMinimum);
    }
}

struct Judged {
    std::size_t pauses = 0;
    std::size_t reported = 0;
    std::size_t clearCuts = 0;           // cut on time and read closely
    std::size_t clearCutsReported = 0;
};

Judged judgeSender(double share) {
    PseudoTerminal pty;
    std::string error;
    EXPECT_TRUE(openPseudoTerminal(pty, error)) << error;
    std::vector<ReceivedByte> in;
    std::vector<double> began, written;
    std::thread sender(send, pty.slave, share, std::ref(began), std::ref(written));
    RecordLimits limits;
    limits.timeoutMs = 5000;
    limits.idleMs = 300;
    recordLine(pty.master, limits, in, [](const std::vector<ReceivedByte>& b) { return b.size() > kBytes; });
    sender.join();
    closePseudoTerminal(pty);
    EXPECT_EQ(in.size(), kBytes + 1);
    Judged j;
    if (in.size() != kBytes + 1) return j;

    std::vector<PacedGroup> groups;
    for (std::size_t at = 0; at < kBytes; at += kChunk) groups.push_back({at, kChunk, kMinimum, "chunk"});
    const std::vector<std::size_t> found = shortPauses(in, groups, kTolerance);
    j.pauses = groups.size();
    j.reported = found.size();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const ReceivedByte& first = in[groups[g].first];
        const ReceivedByte& next = in[groups[g].first + kChunk];
        // At most this long between the two bytes going onto the line.
        const double sent = written[g + 1] - began[g];
        const double unsure = (first.timeMs - first.earliestMs) + (next.timeMs - next.earliestMs);
        if (sent + unsure >= kMinimum - kTolerance) continue;
        ++j.clearCuts;
        j.clearCutsReported += std::count(found.begin(), found.end(), g);
    }
    return j;
}

TEST(PauseCheck, PausesCutTo98PercentAreReported) {
    // A busy moment spoils some cuts of a run (they are not clear and prove nothing); the clear
    // ones of several runs count together, until they come to three quarters of one run's pauses.
    // Every clear cut must be reported, in every run.
    std::size_t clearCuts = 0, pauses = 0;
    for (int attempt = 0; attempt < 10; ++attempt) {
        const Judged j = judgeSender(0.98);
        EXPECT_EQ(j.clearCutsReported, j.clearCuts) << "of " << j.pauses << " pauses";
        clearCuts += j.clearCuts;
        pauses = j.pauses;
        if (pauses > 0 && clearCuts >= pauses * 3 / 4) return;
    }
    ADD_FAILURE() << "ten runs had " << clearCuts << " pauses cut on time and read closely, fewer than three "
                  << "quarters of one run's " << pauses;
}

TEST(PauseCheck, NoPauseOfTheWholeMinimumIsReported) {
    const Judged j = judgeSender(1.0);
    EXPECT_EQ(j.reported, 0u);
}

}  // namespace
