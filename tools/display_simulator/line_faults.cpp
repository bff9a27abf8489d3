#include "line_faults.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

namespace {

// The program waits at most this long for a write, for a byte it awaits; plus the margins the
// scenarios allow it.
constexpr double kStalledPortLimitS = 3.0;
// The program gives up 30 s after its wait began, which is on its own counter: one that the
// system does not slew may run a few hundred parts per million apart from our monotonic clock,
// some milliseconds over 30 s. Giving up earlier than that is a fault.
constexpr double kBabbleMinimumS = 29.95;
constexpr double kBabbleLimitS = 31.0;
// What the line takes before it stops: about what a pseudo-terminal's read buffer holds.
constexpr int kNeverReadTakesBytes = 4000;
constexpr int kNeverReadAtLeastBytes = 1000;
constexpr double kFullAfterMs = 1500;
// How long we wait for the program to close the port before calling it hung.
constexpr double kGiveUpS = 90.0;

double nowMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Bytes the program has written that we have not read.
int unread(int master) {
    int n = 0;
    return ioctl(master, FIONREAD, &n) == 0 ? n : 0;
}

// From now on the program's descriptor is the only one on the slave side.
void releaseOurSlave(PseudoTerminal& pty) {
    if (pty.slave >= 0) close(pty.slave);
    pty.slave = -1;
}

// True when the program has closed its end; waits at most waitMs for it.
bool closed(int master, int waitMs) {
    pollfd p{master, 0, 0};
    return poll(&p, 1, waitMs) > 0 && (p.revents & (POLLHUP | POLLERR));
}

}  // namespace

int runNeverReading(PseudoTerminal& pty, double timeoutS) {
    const double start = nowMs();
    // A writer that does not wait for room (a non-blocking one, as the web tests' bridge) finds
    // the line full somewhat short of the read buffer: a count that has stood still for
    // kFullAfterMs past kNeverReadAtLeastBytes counts as the line taking no more.
    int seen = 0;
    double grewAt = start;
    bool fullEarly = false;
    while (unread(pty.master) < kNeverReadTakesBytes) {
        const int now = unread(pty.master);
        if (now != seen) {
            seen = now;
            grewAt = nowMs();
        } else if (now >= kNeverReadAtLeastBytes && nowMs() - grewAt > kFullAfterMs) {
            fullEarly = true;
            break;
        }
        if (nowMs() - start > timeoutS * 1000.0) {
            std::fprintf(stderr, "display_simulator: %d bytes arrived within %g s\n", unread(pty.master), timeoutS);
            return 3;
        }
        usleep(5000);
    }
    // The kernel would keep taking bytes into its buffers for a good while: stopping the line's
    // output makes every further write of the program wait, as on a line that takes nothing.
    tcflow(pty.slave, TCOOFF);
    releaseOurSlave(pty);
    int taken = unread(pty.master);
    double lastTaken = fullEarly ? grewAt : nowMs();
    while (!closed(pty.master, 10)) {
        const int now = unread(pty.master);
        if (now != taken) {
            taken = now;
            lastTaken = nowMs();
        }
        if (nowMs() - lastTaken > kGiveUpS * 1000.0) {
            std::printf("never-read: took %d bytes; the program still holds the port %g s later\n", taken, kGiveUpS);
            return 1;
        }
    }
    const double heldS = (nowMs() - lastTaken) / 1000.0;
    std::printf("never-read: took %d bytes; the program closed the port %.2f s after the last one\n", taken, heldS);
    return heldS <= kStalledPortLimitS ? 0 : 1;
}

int babbleUntilClosed(PseudoTerminal& pty, double quietSinceMs, int everyMs) {
    releaseOurSlave(pty);
    // A program that stops reading must not stop us from noticing it.
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    const double start = nowMs();
    std::uint8_t next = 0;
    long sent = 0;
    while (!closed(pty.master, everyMs)) {
        if (nowMs() - start > kGiveUpS * 1000.0) {
            std::printf("babble: the program still reads %g s later\n", kGiveUpS);
            return 1;
        }
        // Only bytes that mean nothing in the exchange, so the program can only be waiting.
        if (next >= 0xD0 && next <= 0xD6) next = 0xD7;
        if (write(pty.master, &next, 1) == 1) {
            ++next;
            ++sent;
        }
    }
    const double closedMs = nowMs();
    const double s = (closedMs - quietSinceMs) / 1000.0;
    std::printf("babble: %ld bytes; the program closed the port %.3f s after the exchange's last byte "
                "(%.3f s after the first babble)\n",
                sent, s, (closedMs - start) / 1000.0);
    return s >= kBabbleMinimumS && s <= kBabbleLimitS ? 0 : 1;
}
