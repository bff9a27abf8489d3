#pragma once
// Records what arrives on the display's end of the line, each byte with the two bounds of its
// arrival time.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// When a byte arrived, as two bounds: not before `earliestMs`, the last moment at which the line
// was known to be empty before the byte was read, and not after `timeMs`, when the read that
// brought it returned. A reader that falls behind widens the bounds instead of inventing short
// pauses.
struct ReceivedByte {
    std::uint8_t value = 0;
    double timeMs = 0;
    double earliestMs = 0;
};

struct RecordLimits {
    double timeoutMs = 300000;  // for the first byte
    double idleMs = 3000;       // silence that ends the recording
    double doneIdleMs = 500;    // silence that ends it once `complete` says all has come
};

double monotonicMs();

// Asks for real-time scheduling of the calling thread (needs the right to it, e.g. root), so that
// a busy machine does not delay our looks at the line by milliseconds; false when refused, and
// the bounds are then merely wider.
bool preferPromptScheduling();

// Reads `fd` (with prompt scheduling where granted) until it has been quiet long enough. 0 when something arrived, 3 when nothing did
// within the time-out, 2 when reading failed. `complete` tells from the bytes so far whether the
// whole stream is there.
int recordLine(int fd, const RecordLimits& limits, std::vector<ReceivedByte>& in,
               const std::function<bool(const std::vector<ReceivedByte>&)>& complete);
