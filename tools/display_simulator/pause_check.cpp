#include "pause_check.h"

double longestPauseMs(const std::vector<ReceivedByte>& bytes, const PacedGroup& group) {
    return bytes[group.first + group.length].timeMs - bytes[group.first].earliestMs;
}

std::vector<std::size_t> shortPauses(const std::vector<ReceivedByte>& bytes, const std::vector<PacedGroup>& groups,
                                     double toleranceMs) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const PacedGroup& g = groups[i];
        if (g.first + g.length >= bytes.size()) continue;
        if (longestPauseMs(bytes, g) < g.minimumMs - toleranceMs) found.push_back(i);
    }
    return found;
}
