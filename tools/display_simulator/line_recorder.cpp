#include "line_recorder.h"

#include <poll.h>
#include <sched.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The line is looked at this often, so that the last moment it was seen empty before a byte came
// is at most this old.
constexpr long kPollNs = 100000;

}  // namespace

double monotonicMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

bool preferPromptScheduling() {
    const sched_param lowest{sched_get_priority_min(SCHED_FIFO)};
    return sched_setscheduler(0, SCHED_FIFO, &lowest) == 0;
}

int recordLine(int fd, const RecordLimits& limits, std::vector<ReceivedByte>& in,
               const std::function<bool(const std::vector<ReceivedByte>&)>& complete) {
    preferPromptScheduling();
    const double start = monotonicMs();
    double last = start;
    double lastEmpty = start;
    std::uint8_t buffer[4096];
    for (;;) {
        const double now = monotonicMs();
        const double quiet = !in.empty() && complete(in) ? limits.doneIdleMs : limits.idleMs;
        if (in.empty() && now - start > limits.timeoutMs) return 3;
        if (!in.empty() && now - last > quiet) return 0;
        pollfd p{fd, POLLIN, 0};
        const timespec wait{0, kPollNs};
        const double before = monotonicMs();
        const int r = ppoll(&p, 1, &wait, nullptr);
        if (r < 0 && errno != EINTR) return 2;
        if (r == 0) {
            // poll looks at the line once more after its time has run out, so the line was still
            // empty a whole wait after we called it.
            lastEmpty = before + static_cast<double>(wait.tv_nsec) / 1e6;
            continue;
        }
        if (r < 0) continue;
        const double readBegins = monotonicMs();  // the first byte read was there already
        const ssize_t n = read(fd, buffer, sizeof buffer);
        const double t = monotonicMs();
        if (n <= 0) continue;
        for (ssize_t i = 0; i < n; ++i) in.push_back(ReceivedByte{buffer[i], i == 0 ? readBegins : t, lastEmpty});
        // A read that did not fill the buffer took all there was: the line was empty at some
        // moment after the read began.
        if (static_cast<std::size_t>(n) < sizeof buffer) lastEmpty = readBegins;
        last = t;
    }
}
