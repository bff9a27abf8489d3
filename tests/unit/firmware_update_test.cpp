#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "link/firmware_file_check.h"
#include "link/firmware_update.h"
#include "platform/progress.h"
#include "support/scripted_port.h"
#include "support/virtual_clock.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A progress bar that remembers, for every step, how many bytes the port had taken by then, so a
// test can tell where the bar stood after any byte of the transfer.
class RecordingProgress : public Progress {
public:
    explicit RecordingProgress(const ScriptedPort& port) : port_(port) {}

    void setRange(int minimum, int maximum) override { rangeMin = minimum; rangeMax = maximum; }
    void step() override {
        ++position;
        writesAtStep.push_back(port_.writtenBytes().size());
    }
    void setPosition(int p) override {
        if (p < position) movedBack = true;
        position = p;
    }

    // The bar's position once `writes` bytes had been taken and before the next one.
    int positionAfterWrites(std::size_t writes) const {
        int steps = 0;
        for (std::size_t w : writesAtStep)
            if (w <= writes) ++steps;
        return steps;
    }

    int rangeMin = -1;
    int rangeMax = -1;
    int position = 0;
    bool movedBack = false;
    std::vector<std::size_t> writesAtStep;

private:
    const ScriptedPort& port_;
};

// The display's side of the exchange, driven by what the program writes: after D1 it sends the
// go-ahead, then asks for every byte with D5 and echoes it, and ends with D3 after `expected`
// bytes. A wrong echo can be asked for at one byte.
struct ScriptedDisplay {
    ScriptedDisplay(ScriptedPort& port, std::size_t expected) : port(port), expected(expected) {
        port.onWrite = [this](std::uint8_t v) { onWrite(v); };
    }

    void onWrite(std::uint8_t v) {
        if (!answered) {
            if (v != FirmwareAnswer) return;
            answered = true;
            answeredAfterReads = port.readCalls();
            port.queueRead({FirmwareGoAhead});
            askNext();
            return;
        }
        received.push_back(v);
        const std::size_t k = received.size() - 1;
        port.queueRead({static_cast<std::uint8_t>(k == wrongEchoAt ? v ^ 0x5A : v)});
        askNext();
    }

    void askNext() {
        if (received.size() < expected) {
            port.queueRead({FirmwareRequest});
        } else if (!endSent) {
            endSent = true;
            port.queueRead({FirmwareEnd});
        }
    }

    ScriptedPort& port;
    std::size_t expected;
    std::size_t wrongEchoAt = static_cast<std::size_t>(-1);
    bool answered = false;
    bool endSent = false;
    int answeredAfterReads = -1;
    Bytes received;
};

Bytes patternImage(std::size_t n) {
    Bytes image(n);
    for (std::size_t i = 0; i < n; ++i) image[i] = static_cast<std::uint8_t>((i * 7 + i / 256) & 0xFF);
    return image;
}

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("veltrana_fw_" + name)).string();
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace

// The opening pair D0 D6 within 21 reads; a read that brings nothing keeps the previous byte.
TEST(FirmwareUpdate, OpeningPairIsFoundOnlyInItsOwnShape) {
    struct Case {
        const char* name;
        std::vector<int> reads;  // a byte, or -1 for a read that brings nothing
        bool starts;
        int answeredAfterReads;  // reads done when D1 went out
    };
    const std::vector<Case> cases = {
        {"noise then pair", {0x12, 0x34, 0xD0, 0xD6}, true, 4},
        {"gap inside the pair", {0xD0, -1, 0xD6}, true, 3},
        {"repeated D0", {0xD0, 0xD0, 0xD6}, true, 3},
        {"pair reversed", {0xD6, 0xD0}, false, -1},
        {"byte between", {0xD0, 0x00, 0xD6}, false, -1},
        {"D6 alone", {0xD6}, false, -1},
        {"pair ends on read 21",
         {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0xD0, 0xD6}, true, 21},
        {"pair ends on read 22",
         {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0xD0, 0xD6}, false, -1},
    };
    for (const Case& c : cases) {
        VirtualClock clock;
        ScriptedPort port(clock);
        RecordingProgress progress(port);
        ScriptedDisplay display(port, 2);
        for (int r : c.reads) {
            if (r < 0) port.queueSilence();
            else port.queueRead({static_cast<std::uint8_t>(r)});
        }
        const Bytes image{0x01, 0x02};
        const int result = runFirmwareUpdate(image, 0, port, progress, clock);
        EXPECT_EQ(result, c.starts ? FirmwareUpdated : FirmwareNoAnswer) << "case " << c.name;
        EXPECT_EQ(display.answeredAfterReads, c.answeredAfterReads) << "case " << c.name;
        if (!c.starts) {
            EXPECT_EQ(port.readCalls(), kFirmwareOpeningReads) << "case " << c.name;
            EXPECT_TRUE(port.writtenBytes().empty()) << "case " << c.name;
        }
        EXPECT_FALSE(port.isOpen()) << "case " << c.name;
        EXPECT_EQ(port.closeCalls(), 1) << "case " << c.name;
    }
}

TEST(FirmwareUpdate, SilentLineGivesUpAfterTwentyOneSecondReads) {
    VirtualClock clock;
    ScriptedPort port(clock);
    RecordingProgress progress(port);
    EXPECT_EQ(runFirmwareUpdate(patternImage(10), 2, port, progress, clock), FirmwareNoAnswer);
    EXPECT_EQ(port.readCalls(), 21);
    EXPECT_DOUBLE_EQ(clock.trueMs(), 21000.0);
    EXPECT_TRUE(port.writes().empty());
    EXPECT_EQ(port.closeCalls(), 1);
    EXPECT_FALSE(port.isOpen());
}

TEST(FirmwareUpdate, OpensTheChosenPortAt38400WithoutParity) {
    VirtualClock clock;
    ScriptedPort port(clock);
    RecordingProgress progress(port);
    runFirmwareUpdate(Bytes{}, 3, port, progress, clock);
    EXPECT_EQ(port.openCalls(), 1);
    EXPECT_EQ(port.lastIndex(), 3);
    EXPECT_EQ(port.lastBaud(), 38400u);
    EXPECT_EQ(port.lastParity(), Parity::None);
    EXPECT_EQ(progress.rangeMin, 0);
    EXPECT_EQ(progress.rangeMax, 100);
}

TEST(FirmwareUpdate, PortThatCannotBeSetUpGivesResultOneAndTouchesNothing) {
    for (int code = PortCannotOpen; code <= PortCannotSetTimeouts; ++code) {
        VirtualClock clock;
        ScriptedPort port(clock);
        RecordingProgress progress(port);
        port.failOpensWith(code);
        port.queueRead({0xD0, 0xD6});
        EXPECT_EQ(runFirmwareUpdate(patternImage(4), 0, port, progress, clock), FirmwarePortFailed) << "case " << code;
        EXPECT_EQ(port.readCalls(), 0) << "case " << code;
        EXPECT_TRUE(port.writes().empty()) << "case " << code;
        EXPECT_EQ(port.closeCalls(), 0) << "case " << code;
    }
}

// The go-ahead D2 must come within 21 reads after D1; other bytes and gaps count as reads.
TEST(FirmwareUpdate, GoAheadWithinTwentyOneReads) {
    struct Case {
        const char* name;
        int fillers;
        bool silent;
        int expected;
    };
    const std::vector<Case> cases = {
        {"at once", 0, false, FirmwareUpdated},
        {"after 20 noise bytes", 20, false, FirmwareUpdated},
        {"after 20 gaps", 20, true, FirmwareUpdated},
        {"after 21 noise bytes", 21, false, FirmwareNoAnswer},
        {"after 21 gaps", 21, true, FirmwareNoAnswer},
    };
    for (const Case& c : cases) {
        VirtualClock clock;
        ScriptedPort port(clock);
        RecordingProgress progress(port);
        bool answered = false;
        port.onWrite = [&](std::uint8_t v) {
            if (answered) {
                port.queueRead({v});        // echo
                port.queueRead({FirmwareEnd});
                return;
            }
            answered = v == FirmwareAnswer;
            for (int i = 0; i < c.fillers; ++i) {
                if (c.silent) port.queueSilence();
                else port.queueRead({0x55});
            }
            port.queueRead({FirmwareGoAhead, FirmwareRequest});
        };
        port.queueRead({0xD0, 0xD6});
        const int result = runFirmwareUpdate(Bytes{0x42}, 0, port, progress, clock);
        EXPECT_EQ(result, c.expected) << "case " << c.name;
        const Bytes expectedWrites = c.expected == FirmwareUpdated ? Bytes{FirmwareAnswer, 0x42} : Bytes{FirmwareAnswer};
        EXPECT_EQ(port.writtenBytes(), expectedWrites) << "case " << c.name;
        EXPECT_EQ(port.closeCalls(), 1) << "case " << c.name;
    }
}

// Whole transfers against the display's side: every byte goes out once, in file order.
TEST(FirmwareUpdate, WholeImageGoesOutAndD3EndsIt) {
    for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{200}, std::size_t{32768}}) {
        VirtualClock clock;
        ScriptedPort port(clock);
        RecordingProgress progress(port);
        ScriptedDisplay display(port, n);
        port.queueRead({FirmwareOpenFirst, FirmwareOpenSecond});
        const Bytes image = patternImage(n);
        EXPECT_EQ(runFirmwareUpdate(image, 0, port, progress, clock), FirmwareUpdated) << "case " << n;
        EXPECT_EQ(display.received, image) << "case " << n;
        ASSERT_FALSE(port.writtenBytes().empty()) << "case " << n;
        EXPECT_EQ(port.writtenBytes().front(), FirmwareAnswer) << "case " << n;
        EXPECT_EQ(port.writtenBytes().size(), n + 1) << "case " << n;
        EXPECT_EQ(port.pendingReads(), 0u) << "case " << n;
        EXPECT_FALSE(port.isOpen()) << "case " << n;
        EXPECT_FALSE(progress.movedBack) << "case " << n;
        EXPECT_LE(progress.position, 99) << "case " << n;
    }
}

TEST(FirmwareUpdate, EmptyImageSendsNothingAfterGoAheadAndWaitsForD3) {
    struct Case {
        const char* name;
        bool endComes;
        int expected;
    };
    for (const Case& c : {Case{"D3 comes", true, FirmwareUpdated}, Case{"line goes silent", false, FirmwareNoAnswer}}) {
        VirtualClock clock;
        ScriptedPort port(clock);
        RecordingProgress progress(port);
        port.onWrite = [&](std::uint8_t) {
            port.queueRead({FirmwareGoAhead, 0x77, FirmwareRequest});  // stray bytes are dropped
            if (c.endComes) port.queueRead({FirmwareEnd});
        };
        port.queueRead({0xD0, 0xD6});
        EXPECT_EQ(runFirmwareUpdate(Bytes{}, 0, port, progress, clock), c.expected) << "case " << c.name;
        EXPECT_EQ(port.writtenBytes(), Bytes{FirmwareAnswer}) << "case " << c.name;
        EXPECT_EQ(progress.position, 0) << "case " << c.name;
    }
}

TEST(FirmwareUpdate, ProgressStandsAtFloorOfHundredKOverN) {
    const std::size_t n = 200;
    VirtualClock clock;
    ScriptedPort port(clock);
    RecordingProgress progress(port);
    ScriptedDisplay display(port, n);
    port.queueRead({0xD0, 0xD6});
    ASSERT_EQ(runFirmwareUpdate(patternImage(n), 0, port, progress, clock), FirmwareUpdated);
    // Writes are D1 then the image, so byte k is write k + 2.
    EXPECT_EQ(progress.positionAfterWrites(2), 0) << "after byte 0";
    EXPECT_EQ(progress.positionAfterWrites(n + 1), 99) << "after byte 199";
    for (std::size_t k = 0; k < n; ++k)
        EXPECT_EQ(progress.positionAfterWrites(k + 2), static_cast<int>(100 * k / n)) << "after byte " << k;
    EXPECT_EQ(progress.position, 99);
}

// Bytes other than the one awaited are dropped while waiting for D5 and for D3; one read that
// brings nothing after the opening ends the transfer.
TEST(FirmwareUpdate, LaterStagesDropNoiseAndFailOnTheFirstGap) {
    struct Case {
        const char* name;
        Bytes beforeRequest;  // read before the D5 of byte 1
        bool silenceBeforeRequest;
        bool silenceForEcho;  // no echo of byte 1
        Bytes beforeEnd;
        bool silenceBeforeEnd;
        int expected;
        std::size_t bytesSent;  // image bytes the program wrote
    };
    const std::vector<Case> cases = {
        {"noise before D5 and D3", {0x00, 0xD3, 0xD6}, false, false, {0xD5, 0x11}, false, FirmwareUpdated, 3},
        {"gap before D5", {}, true, false, {}, false, FirmwareNoAnswer, 1},
        {"no echo", {}, false, true, {}, false, FirmwareNoAnswer, 2},
        {"gap before D3", {}, false, false, {}, true, FirmwareNoAnswer, 3},
    };
    for (const Case& c : cases) {
        VirtualClock clock;
        ScriptedPort port(clock);
        RecordingProgress progress(port);
        const Bytes image{0xA0, 0xA1, 0xA2};
        std::size_t sent = 0;
        port.onWrite = [&](std::uint8_t v) {
            if (v == FirmwareAnswer && sent == 0 && port.writtenBytes().size() == 1) {
                port.queueRead({FirmwareGoAhead, FirmwareRequest});
                return;
            }
            const std::size_t k = sent++;
            if (k == 1 && c.silenceForEcho) {
                port.queueSilence();
                port.queueRead({v, FirmwareRequest});
                return;
            }
            port.queueRead({v});
            if (k == 0) {
                port.queueRead(c.beforeRequest);
                if (c.silenceBeforeRequest) port.queueSilence();
            }
            if (k + 1 < image.size()) {
                port.queueRead({FirmwareRequest});
            } else {
                port.queueRead(c.beforeEnd);
                if (c.silenceBeforeEnd) port.queueSilence();
                port.queueRead({FirmwareEnd});
            }
        };
        port.queueRead({0xD0, 0xD6});
        EXPECT_EQ(runFirmwareUpdate(image, 0, port, progress, clock), c.expected) << "case " << c.name;
        EXPECT_EQ(sent, c.bytesSent) << "case " << c.name;
        EXPECT_EQ(port.closeCalls(), 1) << "case " << c.name;
    }
}

// A line that keeps bringing other bytes ends a wait for a request or for D3 once 30 s pass
// without the awaited byte; each wait has its own 30 s, so a slow display that gets there still
// succeeds.
TEST(FirmwareUpdate, BabblingLineEndsEachWaitAfterThirtySeconds) {
    struct Case {
        const char* name;
        double babbleBeforeRequestMs;  // before the D5 of byte 1, one byte per millisecond
        double babbleBeforeEndMs;
        int expected;
        std::size_t bytesSent;
    };
    const std::vector<Case> cases = {
        {"babble instead of a request", 40000, 0, FirmwareNoAnswer, 1},
        {"babble instead of D3", 0, 40000, FirmwareNoAnswer, 2},
        {"29 s before a request and again before D3", 29000, 29000, FirmwareUpdated, 2},
    };
    for (const Case& c : cases) {
        VirtualClock clock;
        ScriptedPort port(clock);
        port.setByteTimeMs(1.0);
        RecordingProgress progress(port);
        const Bytes image{0xA0, 0xA1};
        std::size_t sent = 0;
        double babbleStartMs = -1;
        const auto babble = [&](double ms) {
            if (ms <= 0) return;
            babbleStartMs = clock.trueMs();
            port.queueRead(Bytes(static_cast<std::size_t>(ms), 0x55));
        };
        port.onWrite = [&](std::uint8_t v) {
            if (v == FirmwareAnswer && port.writtenBytes().size() == 1) {
                port.queueRead({FirmwareGoAhead, FirmwareRequest});
                return;
            }
            port.queueRead({v});
            if (sent++ == 0) {
                babble(c.babbleBeforeRequestMs);
                port.queueRead({FirmwareRequest});
            } else {
                babble(c.babbleBeforeEndMs);
                port.queueRead({FirmwareEnd});
            }
        };
        port.queueRead({0xD0, 0xD6});
        EXPECT_EQ(runFirmwareUpdate(image, 0, port, progress, clock), c.expected) << "case " << c.name;
        EXPECT_EQ(sent, c.bytesSent) << "case " << c.name;
        EXPECT_FALSE(port.isOpen()) << "case " << c.name;
        if (c.expected == FirmwareNoAnswer) {
            // The echo is read after the babble starts; the wait ends with the first byte past 30 s.
            const double waited = clock.trueMs() - babbleStartMs;
            EXPECT_GE(waited, kFirmwareAwaitLimitMs) << "case " << c.name;
            EXPECT_LE(waited, kFirmwareAwaitLimitMs + 2.0) << "case " << c.name;
        }
    }
}

TEST(FirmwareUpdate, WrongEchoStopsAtOnceAndSendsNothingMore) {
    for (std::size_t bad : {std::size_t{0}, std::size_t{57}, std::size_t{199}}) {
        VirtualClock clock;
        ScriptedPort port(clock);
        RecordingProgress progress(port);
        ScriptedDisplay display(port, 200);
        display.wrongEchoAt = bad;
        port.queueRead({0xD0, 0xD6});
        const Bytes image = patternImage(200);
        EXPECT_EQ(runFirmwareUpdate(image, 0, port, progress, clock), FirmwareEchoMismatch) << "case " << bad;
        EXPECT_EQ(display.received, Bytes(image.begin(), image.begin() + bad + 1)) << "case " << bad;
        EXPECT_EQ(port.closeCalls(), 1) << "case " << bad;
        EXPECT_FALSE(port.isOpen()) << "case " << bad;
    }
}

TEST(FirmwareUpdate, FileIsReadInOneGoAndCutAt32768) {
    struct Case {
        const char* name;
        std::size_t size;
        std::size_t used;
        FirmwareFileVerdict verdict;
    };
    for (const Case& c : {Case{"empty", 0, 0, FirmwareFileVerdict::Refused},
                          Case{"short", 200, 200, FirmwareFileVerdict::Ready},
                          Case{"exact", 32768, 32768, FirmwareFileVerdict::Ready},
                          Case{"long", 40000, 32768, FirmwareFileVerdict::TooLong}}) {
        const std::string path = tempPath(std::string(c.name) + ".bin");
        const Bytes content = patternImage(c.size);
        writeFile(path, content);
        const CheckedFirmwareFile file = checkFirmwareFile(path);
        std::remove(path.c_str());
        EXPECT_EQ(file.verdict, c.verdict) << "case " << c.name;
        EXPECT_EQ(file.size, c.size) << "case " << c.name;
        EXPECT_EQ(file.image, Bytes(content.begin(), content.begin() + c.used)) << "case " << c.name;
    }
}

TEST(FirmwareUpdate, FortyThousandByteFileOffers32768BytesAndSucceeds) {
    const std::string path = tempPath("long_offer.bin");
    const Bytes content = patternImage(40000);
    writeFile(path, content);
    const CheckedFirmwareFile file = checkFirmwareFile(path);
    std::remove(path.c_str());
    ASSERT_EQ(file.verdict, FirmwareFileVerdict::TooLong);

    VirtualClock clock;
    ScriptedPort port(clock);
    RecordingProgress progress(port);
    ScriptedDisplay display(port, 32768);
    port.queueRead({0xD0, 0xD6});
    EXPECT_EQ(runFirmwareUpdate(file.image, 0, port, progress, clock), FirmwareUpdated);
    EXPECT_EQ(display.received, Bytes(content.begin(), content.begin() + 32768));
    // Even an image longer than the display holds is cut: after byte 32767 the D3 ends it.
    VirtualClock clock2;
    ScriptedPort port2(clock2);
    RecordingProgress progress2(port2);
    ScriptedDisplay display2(port2, 32768);
    port2.queueRead({0xD0, 0xD6});
    EXPECT_EQ(runFirmwareUpdate(content, 0, port2, progress2, clock2), FirmwareUpdated);
    EXPECT_EQ(display2.received.size(), 32768u);
}

TEST(FirmwareUpdate, FileThatCannotBeReadIsReportedByName) {
    const std::string missing = tempPath("does_not_exist.bin");
    std::remove(missing.c_str());
    const std::string directory = std::filesystem::temp_directory_path().string();
    for (const std::string& path : {missing, directory}) {
        const CheckedFirmwareFile file = checkFirmwareFile(path);
        EXPECT_EQ(file.verdict, FirmwareFileVerdict::Refused) << "case " << path;
        EXPECT_TRUE(file.image.empty()) << "case " << path;
        EXPECT_FALSE(file.reason.empty()) << "case " << path;
        const std::string message = firmwareRefusalMessage(file);
        EXPECT_NE(message.find(path), std::string::npos) << "case " << path;
        EXPECT_NE(message.find(file.reason), std::string::npos) << "case " << path;
    }
}
