#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "link/upload.h"
#include "link/upload_image.h"
#include "support/scripted_port.h"
#include "support/upload_config.h"
#include "support/virtual_clock.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct CountingProgress : Progress {
    void setRange(int minimum, int maximum) override { lo = minimum; hi = maximum; ++ranges; }
    void step() override {
        ++steps;
        if (clock) clock->advance(drawMs);
    }
    void setPosition(int) override {}
    int lo = -1, hi = -1, ranges = 0, steps = 0;
    VirtualClock* clock = nullptr;  // a bar that takes drawMs to draw each step
    double drawMs = 0.0;
};

UploadStream streamFor(UploadConfig& cfg) {
    return buildUploadStream(cfg.sources(), Bytes(kPageImageBytes, 0), Bytes(kFontImageBytes, 0));
}

// The pacing groups of the stream with the minimum pause after each group's first byte:
// image lines, glyphs and chunks of at most 16 bytes that never span two pieces.
struct Group {
    std::size_t first;
    std::size_t length;
    double minimumMs;
    const char* kind;
};

std::vector<Group> pacingGroups(const UploadStream& stream) {
    std::vector<Group> groups;
    std::size_t at = 0;
    for (const StreamPiece& p : stream.pieces) {
        const std::size_t n = p.bytes.size();
        if (p.pacing == Pacing::ImageLine) groups.push_back({at, n, 30, "image line"});
        if (p.pacing == Pacing::Glyph) groups.push_back({at, n, 10, "glyph"});
        if (p.pacing == Pacing::Paced)
            for (std::size_t c = 0; c < n; c += 16) {
                const std::size_t len = std::min<std::size_t>(16, n - c);
                groups.push_back({at + c, len, 4.0 * len, len == 2 ? "check value" : "paced chunk"});
            }
        at += n;
    }
    return groups;
}

// Every group's next byte (the next group's first, or a single byte after it) arrives on the line
// no earlier than its minimum after the group's first byte. Returns the number of short pauses;
// `where` names the first short one of each kind of group.
// Also gives the most a pause ran over its minimum, where asked.
int shortPauses(const UploadStream& stream, const std::vector<ScriptedPort::Write>& writes, std::string& where,
                double* mostOverMs = nullptr) {
    int shortCount = 0;
    std::map<std::string, int> shortByKind;
    for (const Group& g : pacingGroups(stream)) {
        const std::size_t next = g.first + g.length;
        if (next >= writes.size()) continue;
        const double gap = writes[next].leftMs - writes[g.first].leftMs;
        if (mostOverMs) *mostOverMs = std::max(*mostOverMs, gap - g.minimumMs);
        // A nanosecond for the rounding of sums of fractions of a millisecond.
        if (gap < g.minimumMs - 1e-6) {
            ++shortCount;
            if (shortByKind[g.kind]++ == 0)
                where += std::string(g.kind) + " at byte " + std::to_string(g.first) + ": " + std::to_string(gap) +
                         " ms; ";
        }
    }
    for (const auto& kind : shortByKind) where += kind.first + " x" + std::to_string(kind.second) + " ";
    return shortCount;
}

}  // namespace

TEST(Upload, EmptyConfigurationOnTheVirtualClock) {
    auto cfg = std::make_unique<UploadConfig>();
    const UploadStream stream = streamFor(*cfg);
    VirtualClock clock;
    ScriptedPort port(clock);
    CountingProgress progress;
    cfg->vehicle.comPortIndex = 2;
    const UploadResult r = runUpload(stream, cfg->vehicle.comPortIndex, port, clock, progress);
    EXPECT_EQ(r.outcome, UploadOutcome::Sent);
    EXPECT_EQ(r.bytesSent, 13490u);
    EXPECT_EQ(port.writtenBytes(), flattenStream(stream));
    EXPECT_EQ(port.lastIndex(), 2);
    EXPECT_EQ(port.lastBaud(), 38400u);
    EXPECT_EQ(port.lastParity(), Parity::Odd);
    EXPECT_FALSE(port.isOpen()) << "closed at the end";
    EXPECT_EQ(port.readCalls(), 0) << "nothing is read back";
    EXPECT_EQ(progress.lo, 0);
    EXPECT_EQ(progress.hi, 13484);
    EXPECT_EQ(progress.steps, 13484);
    // On an exact clock the upload takes exactly its minimum pauses.
    EXPECT_DOUBLE_EQ(clock.trueMs(), 25264.0);
    std::string where;
    EXPECT_EQ(shortPauses(stream, port.writes(), where), 0) << where;
    EXPECT_EQ(uploadFailureMessage(r, 2), "");
}

TEST(Upload, PacedPiecesGoInChunksOfSixteen) {
    auto cfg = std::make_unique<UploadConfig>();
    cfg->place(0, kRpmGaugeId, 0, 0, 56, 16);
    const UploadStream stream = streamFor(*cfg);
    VirtualClock clock;
    ScriptedPort port(clock);
    CountingProgress progress;
    runUpload(stream, 0, port, clock, progress);
    const auto& w = port.writes();
    ASSERT_EQ(w.size(), 13490u + 14);
    // The first profile's 76-byte firmware id piece: chunks 16, 16, 16, 16, 12, then the 6-byte
    // piece begins 48 ms after the last chunk.
    const std::size_t piece = 9730;
    const std::size_t starts[] = {0, 16, 32, 48, 64, 76};
    const double times[] = {0, 64, 128, 192, 256, 304};
    for (int i = 0; i < 6; ++i)
        EXPECT_DOUBLE_EQ(w[piece + starts[i]].timeMs - w[piece].timeMs, times[i]) << "chunk " << i;
    for (std::size_t k = 0; k < 12; ++k)
        EXPECT_DOUBLE_EQ(w[piece + 64 + k].timeMs, w[piece + 64].timeMs) << "a chunk goes at once";
    // The record (14 bytes) is one chunk, then its check value a chunk of 2.
    const std::size_t record = kPagesOffset + 1;
    EXPECT_DOUBLE_EQ(w[record + 13].timeMs, w[record].timeMs);
    EXPECT_DOUBLE_EQ(w[record + 14].timeMs - w[record].timeMs, 56.0);
    // The count byte of page 2 follows the check value after its 8 ms.
    EXPECT_DOUBLE_EQ(w[record + 16].timeMs - w[record + 14].timeMs, 8.0);
    EXPECT_EQ(progress.steps, 13484 + 14);
    EXPECT_EQ(progress.hi, 13484 + 14);
}

// Every pause holds on the line, from the arrival of a group's first byte: on a counter that
// jumps in 15.625 ms steps (a naive wait ends up to a step early), on a 38400 baud line where a
// group's first byte queues behind the unpaced byte written just before it, and through writes
// that now and then take a while to return (their byte goes out at the end). A progress bar that
// takes a while to draw does not lengthen the pauses: they count from the byte, not the drawing.
TEST(Upload, PausesHoldOnTheLine) {
    struct Case {
        const char* name;
        double tickMs;
        double startMs;
        double sendMs;
        std::vector<double> writeMs;
        double drawMs = 0.0;
        double mostOverMs = 1e9;  // the most a pause may run over its minimum
    };
    const double characterMs = 11.0 / 38.4;
    const Case cases[] = {
        {"coarse counter from 0", 15.625, 0.0, 0.0, {}},
        {"coarse counter from 7", 15.625, 7.0, 0.0, {}},
        {"coarse counter from 15.6", 15.625, 15.6, 0.0, {}},
        {"bytes queue on the line", 0.0, 0.0, characterMs, {}},
        {"slow writes now and then", 0.0, 0.0, 0.0, {0.7, 0, 0, 0, 0, 0, 0}},
        {"all at once", 15.625, 7.0, characterMs, {0.7, 0, 0, 0, 0, 0, 0}},
        {"a bar slow to draw", 0.0, 0.0, 0.0, {}, 0.1, 1e-6},
    };
    for (const Case& c : cases) {
        auto cfg = std::make_unique<UploadConfig>();
        cfg->place(1, kRpmGaugeId, 0, 0, 56, 16);
        const UploadStream stream = streamFor(*cfg);
        VirtualClock clock(c.tickMs, c.startMs);
        ScriptedPort port(clock);
        port.setSendTimeMs(c.sendMs);
        port.setWriteTimesMs(c.writeMs);
        CountingProgress progress;
        progress.clock = &clock;
        progress.drawMs = c.drawMs;
        const UploadResult r = runUpload(stream, 0, port, clock, progress);
        EXPECT_EQ(r.outcome, UploadOutcome::Sent) << c.name;
        EXPECT_EQ(port.writtenBytes(), flattenStream(stream)) << c.name;
        std::string where;
        double mostOver = 0.0;
        EXPECT_EQ(shortPauses(stream, port.writes(), where, &mostOver), 0) << c.name << ": " << where;
        EXPECT_LE(mostOver, c.mostOverMs) << c.name;
    }
}

TEST(Upload, PortThatDoesNotOpen) {
    for (int code : {1, 2, 3, 4, 5}) {
        auto cfg = std::make_unique<UploadConfig>();
        const UploadStream stream = streamFor(*cfg);
        VirtualClock clock;
        ScriptedPort port(clock);
        port.failOpensWith(code);
        CountingProgress progress;
        const UploadResult r = runUpload(stream, 1, port, clock, progress);
        EXPECT_EQ(r.outcome, UploadOutcome::PortNotOpened) << "code " << code;
        EXPECT_EQ(r.openResult, code);
        EXPECT_TRUE(port.writes().empty()) << "code " << code;
        EXPECT_EQ(progress.steps, 0);
        EXPECT_EQ(uploadFailureMessage(r, 1), "Failed to access Com 2") << "code " << code;
    }
}

// A port that refuses a byte, or does not send the bytes it took within its write time-out,
// ends the upload there with the message that says how far it got.
TEST(Upload, PortThatStopsTakingBytesEndsTheUpload) {
    struct Case {
        bool drainsFail;
        std::size_t sent;  // the start byte, then the page image's first line's first byte
    };
    for (const Case& c : {Case{false, 100}, Case{true, 2}}) {
        auto cfg = std::make_unique<UploadConfig>();
        const UploadStream stream = streamFor(*cfg);
        VirtualClock clock;
        ScriptedPort port(clock);
        if (c.drainsFail)
            port.failDrains();
        else
            port.stopTakingAfter(100);
        CountingProgress progress;
        const UploadResult r = runUpload(stream, 0, port, clock, progress);
        EXPECT_EQ(r.outcome, UploadOutcome::PortStoppedTaking);
        EXPECT_EQ(r.bytesSent, c.sent);
        EXPECT_EQ(port.writes().size(), c.drainsFail ? c.sent : c.sent + 1)
            << "nothing more is tried after the refused byte";
        EXPECT_FALSE(port.isOpen());
        const std::string message = uploadFailureMessage(r, 0);
        EXPECT_NE(message.find("Upload failed"), std::string::npos) << message;
        EXPECT_NE(message.find("Com 1"), std::string::npos) << message;
    }
}
