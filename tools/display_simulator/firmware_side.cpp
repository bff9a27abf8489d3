// The display's side of the firmware exchange. It offers the opening pair D0 D6 (again every
// --repeat-ms until the program answers D1, clearing the unread earlier offer first, so it does
// not matter when the program opens the port), sends the go-ahead D2, asks for every byte with
// D5 and echoes it, and ends with D3 after --length bytes. Faults on request stop the display at
// a chosen point; it then keeps listening for --linger-ms and counts what still arrives, since a
// program that stops correctly sends nothing more. Or the display goes away mid-transfer, as a
// pulled cable would: the line closes.
//
// Exit codes: 0 the program behaved as it should (a whole image, or a clean stop after a fault),
// 1 the program sent something it should not have, 2 usage, 3 no answer D1 within --timeout.
#include "firmware_side.h"
#include "line_faults.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

constexpr std::uint8_t kOpenFirst = 0xD0, kOpenSecond = 0xD6, kAnswer = 0xD1, kGoAhead = 0xD2,
                       kEnd = 0xD3, kRequest = 0xD5;
constexpr long kNone = -1;

struct FirmwareOptions {
    long length = -1;
    std::string imagePath;
    std::string expectPath;
    std::string makePath;  // a firmware file for the scenario to choose
    long makeSize = 0;
    std::vector<std::uint8_t> noise;
    int gapMs = 0;
    int repeatMs = 1500;
    double timeoutS = 120;
    int byteTimeoutMs = 5000;
    int lingerMs = 2500;
    // Faults: the stage at which the display falls silent, and the byte whose echo is wrong.
    bool silentAtOpen = false;
    bool silentAtGoAhead = false;
    bool silentAtEnd = false;
    long silentAtRequest = kNone;
    long silentAtEcho = kNone;
    long wrongEchoAt = kNone;
    // Babbling: the stage at which the display sends meaningless bytes until the program gives up.
    bool babbleAtEnd = false;
    long babbleAtRequest = kNone;
    int babbleEveryMs = 2;
    long vanishAt = kNone;  // the display goes away (we close the line) before asking for byte K
    std::string expectLine;  // the line's settings when D1 arrives, e.g. 38400-8N1
};

void usage() {
    std::fprintf(stderr,
                 "usage: display_simulator --firmware --length N [options]\n"
                 "  --length N          bytes the display takes before it sends D3\n"
                 "  --image PATH        write the bytes received to PATH\n"
                 "  --expect PATH       a whole transfer must bring the first --length bytes of PATH\n"
                 "  --make-file PATH N  first write a firmware file of N pattern bytes to PATH\n"
                 "  --noise HEX         bytes sent before the opening pair, e.g. 1234\n"
                 "  --gap-ms MS         pause between D0 and D6, in which nothing may come (over 1000 the\n"
                 "                      program reads nothing once)\n"
                 "  --repeat-ms MS      offer the pair again after MS without an answer (default 1500)\n"
                 "  --timeout S         give up when no D1 came within S seconds (default 120)\n"
                 "  --byte-timeout-ms MS  wait for each byte from the program (default 5000)\n"
                 "  --linger-ms MS      listen this long after a fault (default 2500)\n"
                 "  --silent-at STAGE   fall silent: open, go-ahead, request=K, echo=K, end\n"
                 "  --wrong-echo K      echo byte K wrongly, then request the next byte once more\n"
                 "  --babble-at STAGE   send meaningless bytes instead of: request=K, end\n"
                 "  --babble-every-ms MS  one babbled byte every MS (default 2)\n"
                 "  --vanish-at K       close the line and end instead of asking for byte K\n"
                 "  --expect-line SET   the line must be set as SET when D1 arrives, e.g. 38400-8N1\n"
                 "  --next ...          then another exchange with options of its own\n");
}

bool parseNumber(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < 0) return false;
    value = v;
    return true;
}

bool parseHex(const std::string& text, std::vector<std::uint8_t>& bytes) {
    if (text.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        char* end = nullptr;
        const std::string pair = text.substr(i, 2);
        const long v = std::strtol(pair.c_str(), &end, 16);
        if (*end != '\0') return false;
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return true;
}

bool parseSilentAt(const std::string& stage, FirmwareOptions& o) {
    const auto numberAfter = [&](const char* prefix, long& into) {
        const std::string p = prefix;
        return stage.compare(0, p.size(), p) == 0 && parseNumber(stage.substr(p.size()), into);
    };
    if (stage == "open") o.silentAtOpen = true;
    else if (stage == "go-ahead") o.silentAtGoAhead = true;
    else if (stage == "end") o.silentAtEnd = true;
    else if (numberAfter("request=", o.silentAtRequest)) {}
    else if (numberAfter("echo=", o.silentAtEcho)) {}
    else return false;
    return true;
}

bool parseOptions(const std::vector<std::string>& args, FirmwareOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) return false;
        const std::string& v = args[++i];
        long n = 0;
        if (a == "--length") { if (!parseNumber(v, o.length)) return false; }
        else if (a == "--image") o.imagePath = v;
        else if (a == "--expect") o.expectPath = v;
        else if (a == "--make-file") {
            if (i + 1 >= args.size() || !parseNumber(args[++i], n)) return false;
            o.makePath = v;
            o.makeSize = n;
        }
        else if (a == "--noise") { if (!parseHex(v, o.noise)) return false; }
        else if (a == "--gap-ms") { if (!parseNumber(v, n)) return false; o.gapMs = static_cast<int>(n); }
        else if (a == "--repeat-ms") { if (!parseNumber(v, n)) return false; o.repeatMs = static_cast<int>(n); }
        else if (a == "--timeout") { if (!parseNumber(v, n)) return false; o.timeoutS = static_cast<double>(n); }
        else if (a == "--byte-timeout-ms") { if (!parseNumber(v, n)) return false; o.byteTimeoutMs = static_cast<int>(n); }
        else if (a == "--linger-ms") { if (!parseNumber(v, n)) return false; o.lingerMs = static_cast<int>(n); }
        else if (a == "--silent-at") { if (!parseSilentAt(v, o)) return false; }
        else if (a == "--wrong-echo") { if (!parseNumber(v, o.wrongEchoAt)) return false; }
        else if (a == "--babble-at") {
            if (v == "end") o.babbleAtEnd = true;
            else if (v.compare(0, 8, "request=") != 0 || !parseNumber(v.substr(8), o.babbleAtRequest)) return false;
        }
        else if (a == "--babble-every-ms") { if (!parseNumber(v, n) || n < 1) return false; o.babbleEveryMs = static_cast<int>(n); }
        else if (a == "--vanish-at") { if (!parseNumber(v, o.vanishAt)) return false; }
        else if (a == "--expect-line") o.expectLine = v;
        else return false;
    }
    return o.length >= 0;
}

double nowMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

class Line {
public:
    explicit Line(int fd) : fd_(fd) {}

    void send(std::uint8_t b) {
        while (write(fd_, &b, 1) < 0 && errno == EINTR) {}
    }
    void send(const std::vector<std::uint8_t>& bytes) {
        for (std::uint8_t b : bytes) send(b);
    }
    // The next byte from the program, or -1 when none came within timeoutMs.
    int receive(int timeoutMs) {
        const double deadline = nowMs() + timeoutMs;
        for (;;) {
            const double left = deadline - nowMs();
            if (left <= 0) return -1;
            pollfd p{fd_, POLLIN, 0};
            const int r = poll(&p, 1, static_cast<int>(left) + 1);
            if (r < 0 && errno != EINTR) return -1;
            if (r <= 0) continue;
            std::uint8_t b = 0;
            if (read(fd_, &b, 1) == 1) return b;
        }
    }
    // Drops what we sent that the program has not read: an offer it missed is offered afresh.
    void clearUnread() {
        const char* name = ptsname(fd_);
        if (!name) return;
        const int slave = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (slave < 0) return;
        tcflush(slave, TCIFLUSH);
        close(slave);
    }

private:
    int fd_;
};

// The bytes that arrive within ms.
int countArrivals(Line& line, int ms) {
    int count = 0;
    const double until = nowMs() + ms;
    for (;;) {
        const int left = static_cast<int>(until - nowMs());
        if (left <= 0 || line.receive(left) < 0) return count;
        ++count;
    }
}

// Listens for lingerMs and reports what arrived; a clean stop means nothing did.
int stopAndListen(Line& line, const FirmwareOptions& o, const char* why) {
    const int extra = countArrivals(line, o.lingerMs);
    std::printf("firmware: %s; %d byte(s) arrived afterwards\n", why, extra);
    return extra == 0 ? 0 : 1;
}

bool writeImage(const FirmwareOptions& o, const std::vector<std::uint8_t>& image) {
    if (o.imagePath.empty()) return true;
    std::ofstream f(o.imagePath, std::ios::binary);
    f.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return static_cast<bool>(f);
}

// Offers the opening pair until the program answers D1. Bytes other than D1 are faults.
int awaitAnswer(Line& line, const FirmwareOptions& o, int& strayBytes) {
    const double deadline = nowMs() + o.timeoutS * 1000.0;
    for (;;) {
        if (nowMs() > deadline) return 3;
        line.clearUnread();
        line.send(o.noise);
        line.send(kOpenFirst);
        strayBytes += countArrivals(line, o.gapMs);  // an answer to half the pair is one too soon
        line.send(kOpenSecond);
        const double offerEnd = nowMs() + o.repeatMs;
        for (;;) {
            const int left = static_cast<int>(offerEnd - nowMs());
            if (left <= 0) break;
            const int b = line.receive(left);
            if (b == kAnswer) return 0;
            if (b >= 0) ++strayBytes;
        }
    }
}

bool makeFirmwareFile(const FirmwareOptions& o) {
    if (o.makePath.empty()) return true;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(o.makeSize));
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    std::ofstream f(o.makePath, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) std::fprintf(stderr, "display_simulator: cannot write %s\n", o.makePath.c_str());
    return static_cast<bool>(f);
}

// One exchange with the program as the options say; `gone` when the display went away.
int playExchange(PseudoTerminal& pty, Line& line, const FirmwareOptions& o, bool& gone) {
    std::vector<std::uint8_t> image;
    const auto finish = [&](int rc) {
        if (!writeImage(o, image)) {
            std::fprintf(stderr, "display_simulator: cannot write %s\n", o.imagePath.c_str());
            return 2;
        }
        std::fflush(stdout);
        return rc;
    };

    if (o.silentAtOpen) return finish(stopAndListen(line, o, "silent, no opening pair"));
    int stray = 0;
    if (awaitAnswer(line, o, stray) != 0) {
        std::fprintf(stderr, "display_simulator: no answer D1 within %g s\n", o.timeoutS);
        return finish(3);
    }
    if (stray) std::printf("firmware: %d stray byte(s) before D1\n", stray);
    // The program's end set the line before it wrote D1 (the master reports the slave's settings).
    if (!o.expectLine.empty()) {
        const std::string line = lineSettingsText(pty.master);
        std::printf("firmware: line set as %s\n", line.c_str());
        if (line != o.expectLine) {
            std::printf("firmware: the line should be %s\n", o.expectLine.c_str());
            return finish(1);
        }
    }
    if (o.silentAtGoAhead) return finish(stopAndListen(line, o, "silent after D1"));
    // Read before each byte the program waits on is written: its next wait began no earlier.
    double lastSentMs = nowMs();
    line.send(kGoAhead);
    const double exchangeBegun = nowMs();

    for (long k = 0; k < o.length; ++k) {
        if (k == o.silentAtRequest) return finish(stopAndListen(line, o, "silent before a request"));
        if (k == o.babbleAtRequest) return finish(babbleUntilClosed(pty, lastSentMs, o.babbleEveryMs));
        if (k == o.vanishAt) {
            std::printf("firmware: gone before byte %ld\n", k);
            gone = true;  // the caller closes the line
            return finish(0);
        }
        line.send(kRequest);
        const int b = line.receive(o.byteTimeoutMs);
        if (b < 0) {
            std::printf("firmware: byte %ld did not come\n", k);
            return finish(1);
        }
        image.push_back(static_cast<std::uint8_t>(b));
        if (k == o.silentAtEcho) return finish(stopAndListen(line, o, "silent instead of an echo"));
        if (k == o.wrongEchoAt) {
            line.send(static_cast<std::uint8_t>(b ^ 0xFF));
            // ...and asks for the next byte as if all were well: a program that missed the wrong
            // echo answers it, one that stopped at once does not.
            line.send(kRequest);
            return finish(stopAndListen(line, o, "wrong echo"));
        }
        lastSentMs = nowMs();
        line.send(static_cast<std::uint8_t>(b));
    }
    if (o.silentAtEnd) return finish(stopAndListen(line, o, "silent instead of D3"));
    if (o.babbleAtEnd) return finish(babbleUntilClosed(pty, lastSentMs, o.babbleEveryMs));
    const double exchangeEnded = nowMs();
    line.send(kEnd);
    std::printf("firmware: received %zu byte(s), sent D3\n", image.size());
    // For the link benchmark: the exchange from the go-ahead to the last echo, on the monotonic
    // clock.
    std::printf("firmware: exchange from %.3f to %.3f ms\n", exchangeBegun, exchangeEnded);
    bool matches = true;
    if (!o.expectPath.empty()) {
        std::ifstream f(o.expectPath, std::ios::binary);
        std::vector<std::uint8_t> expected(static_cast<std::size_t>(o.length));
        f.read(reinterpret_cast<char*>(expected.data()), o.length);
        matches = f.gcount() == o.length && expected == image;
        std::printf("firmware: image %s %s\n", matches ? "matches" : "differs from", o.expectPath.c_str());
    }
    // After D3 the program has nothing more to send.
    return finish(stopAndListen(line, o, "complete") == 0 && stray == 0 && matches ? 0 : 1);
}

}  // namespace

int runFirmwareSide(PseudoTerminal& pty, const std::vector<std::string>& args) {
    // Exchanges separated by --next are played one after the other on the same line; their files
    // are made first, for the program to choose.
    std::vector<FirmwareOptions> exchanges;
    std::vector<std::string> group;
    for (std::size_t i = 0; i <= args.size(); ++i) {
        if (i < args.size() && args[i] != "--next") {
            group.push_back(args[i]);
            continue;
        }
        FirmwareOptions o;
        if (!parseOptions(group, o)) {
            usage();
            return 2;
        }
        exchanges.push_back(o);
        group.clear();
    }
    for (const FirmwareOptions& o : exchanges)
        if (!makeFirmwareFile(o)) return 2;
    Line line(pty.master);
    bool gone = false;
    for (const FirmwareOptions& o : exchanges) {
        const int rc = playExchange(pty, line, o, gone);
        if (rc != 0 || gone) return rc;
    }
    return 0;
}
