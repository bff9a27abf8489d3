#pragma once
// The pause check: a run of bytes that the sender paces as one unit must be followed by the next
// byte no sooner than its minimum after the run's first byte.
#include <cstddef>
#include <vector>

#include "line_recorder.h"

struct PacedGroup {
    std::size_t first;
    std::size_t length;
    double minimumMs;
    const char* what;
};

// The longest the pause after a group can have been: the next byte read as late, the group's first
// byte come as early as the bounds allow.
double longestPauseMs(const std::vector<ReceivedByte>& bytes, const PacedGroup& group);

// The groups whose pause is short even on that longest reading, by more than `toleranceMs`.
// Groups at the end of the bytes have no next byte and are not judged.
std::vector<std::size_t> shortPauses(const std::vector<ReceivedByte>& bytes, const std::vector<PacedGroup>& groups,
                                     double toleranceMs);
