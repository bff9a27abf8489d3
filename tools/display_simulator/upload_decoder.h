#pragma once
// The display's reading of an upload: splits the received bytes into their sections, verifies
// each page's check value, and checks every pause against its minimum.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "line_recorder.h"

// One gauge record as it arrived: its page (0 to 3), gauge id and top-left display pixel.
struct DecodedGauge {
    int page = 0;
    unsigned gaugeId = 0;
    int column = 0;
    int row = 0;
};

struct DecodedUpload {
    std::vector<std::uint8_t> pageImage;  // 7680 bytes
    std::vector<std::uint8_t> fontImage;  // 2048 bytes
    int gaugeCounts[4] = {0, 0, 0, 0};
    std::vector<DecodedGauge> gauges;     // in the order they arrived
    std::vector<std::string> notes;       // a readable account of what arrived
    std::vector<std::string> errors;      // every fault found; empty when all is well
};

// Decodes the bytes; with `checkTiming` also judges each pause: one is short when even the longest
// reading of the bounds leaves it more than `toleranceMs` under its minimum.
DecodedUpload decodeUpload(const std::vector<ReceivedByte>& bytes, bool checkTiming, double toleranceMs);
