#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "layout/crc32.h"
#include "link/firmware_exchange.h"
#include "link/firmware_file_check.h"
#include "link/firmware_texts.h"

// The state machine on its own, fed by hand with the time of every event: the edges that the
// blocking runFirmwareUpdate tests (firmware_update_test.cpp) do not reach, since a port there
// spends time only in whole reads. The helpers have a namespace of their own: the unit tests
// are built in unity batches.
namespace firmware_exchange_test {

using Bytes = std::vector<std::uint8_t>;

// What the line brings to one read: a byte after `ms`, or nothing (byte < 0) after `ms`.
struct Input {
    int byte;
    double ms;
};

struct Outcome {
    int result = -1;
    Bytes written;
    std::size_t readsUsed = 0;
    std::size_t sent = 0;
    bool overran = false;  // the machine asked for more reads than the script had
};

// Drives the machine with the inputs; every write takes `writeMs`. A written D1 or image byte
// does not add inputs: the script holds the whole conversation in order.
Outcome drive(const Bytes& image, const std::vector<Input>& inputs, double writeMs = 0) {
    FirmwareExchange exchange(image);
    Outcome run;
    double now = 1000;
    FirmwareStep step = exchange.start(now);
    while (step.action != FirmwareStep::Finished) {
        if (step.action == FirmwareStep::Write) {
            run.written.push_back(step.byte);
            now += writeMs;
            step = exchange.wrote(now);
            continue;
        }
        if (run.readsUsed == inputs.size()) {
            run.overran = true;
            break;
        }
        const Input in = inputs[run.readsUsed++];
        now += in.ms;
        step = in.byte < 0 ? exchange.nothingArrived(now) : exchange.arrived(static_cast<std::uint8_t>(in.byte), now);
    }
    run.result = exchange.result();
    run.sent = exchange.bytesSent();
    return run;
}

std::vector<Input> repeat(int byte, double ms, int times) { return std::vector<Input>(times, Input{byte, ms}); }

std::vector<Input> operator+(std::vector<Input> a, const std::vector<Input>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Input> kOpening{{0xD0, 1}, {0xD6, 1}};
const std::vector<Input> kGoAhead{{0xD2, 1}};

}  // namespace firmware_exchange_test

TEST(FirmwareExchange, TimeAndReadLimitsOfEveryWait) {
    using namespace firmware_exchange_test;
    struct Case {
        const char* name;
        Bytes image;
        std::vector<Input> inputs;
        int result;
        Bytes written;
        std::size_t readsUsed;
    };
    const Bytes one{0x42};
    const std::vector<Case> cases = {
        {"whole exchange", one, kOpening + kGoAhead + std::vector<Input>{{0xD5, 1}, {0x42, 1}, {0xD3, 1}},
         FirmwareUpdated, {0xD1, 0x42}, 6},
        // A slow line of other bytes: 1.5 s each uses up the opening's 30 s after 20 reads, before
        // its 21 reads are spent.
        {"opening: slow noise ends at 30 s", one, repeat(0x55, 1500, 25), FirmwareNoAnswer, {}, 20},
        {"opening: pair on the 20th slow read", one,
         repeat(0x55, 1500, 18) + std::vector<Input>{{0xD0, 1499}, {0xD6, 1}} + kGoAhead +
             std::vector<Input>{{0xD5, 1}, {0x42, 1}, {0xD3, 1}},
         FirmwareUpdated, {0xD1, 0x42}, 24},
        {"go-ahead: slow noise ends at 30 s", one, kOpening + repeat(0x55, 1500, 25), FirmwareNoAnswer, {0xD1}, 22},
        {"go-ahead: 21st read just inside 30 s", one,
         kOpening + repeat(0x55, 1450, 20) + kGoAhead + std::vector<Input>{{0xD5, 1}, {0x42, 1}, {0xD3, 1}},
         FirmwareUpdated, {0xD1, 0x42}, 26},
        {"babble instead of a request ends at 30 s", one,
         kOpening + kGoAhead + repeat(0x55, 800, 50) + std::vector<Input>{{0xD5, 800}, {0x42, 1}, {0xD3, 1}},
         FirmwareNoAnswer, {0xD1}, 41},
        {"request just inside 30 s", one,
         kOpening + kGoAhead + repeat(0x55, 999, 30) + std::vector<Input>{{0xD5, 1}, {0x42, 1}, {0xD3, 1}},
         FirmwareUpdated, {0xD1, 0x42}, 36},
        {"request just at 30 s", one,
         kOpening + kGoAhead + repeat(0x55, 1000, 30) + std::vector<Input>{{0xD5, 1}, {0x42, 1}, {0xD3, 1}},
         FirmwareNoAnswer, {0xD1}, 33},
        // The awaited byte is taken before the limit is looked at.
        {"D5 is the awaited byte even at 30 s", one,
         kOpening + kGoAhead + repeat(0x55, 1000, 29) + std::vector<Input>{{0xD5, 1000}, {0x42, 1}, {0xD3, 1}},
         FirmwareUpdated, {0xD1, 0x42}, 35},
        {"end: babble at 30 s", one,
         kOpening + kGoAhead + std::vector<Input>{{0xD5, 1}, {0x42, 1}} + repeat(0x55, 1000, 31),
         FirmwareNoAnswer, {0xD1, 0x42}, 35},
        {"wrong echo of the last byte", Bytes{1, 2},
         kOpening + kGoAhead + std::vector<Input>{{0xD5, 1}, {1, 1}, {0xD5, 1}, {3, 1}}, FirmwareEchoMismatch,
         {0xD1, 1, 2}, 7},
        {"echo of D5 itself is an echo", Bytes{0xD5},
         kOpening + kGoAhead + std::vector<Input>{{0xD5, 1}, {0xD5, 1}, {0xD3, 1}}, FirmwareUpdated, {0xD1, 0xD5}, 6},
        {"echo that comes as nothing", one, kOpening + kGoAhead + std::vector<Input>{{0xD5, 1}, {-1, 1000}},
         FirmwareNoAnswer, {0xD1, 0x42}, 5},
    };
    for (const Case& c : cases) {
        const Outcome run = drive(c.image, c.inputs);
        EXPECT_FALSE(run.overran) << "case " << c.name;
        EXPECT_EQ(run.result, c.result) << "case " << c.name;
        EXPECT_EQ(run.written, c.written) << "case " << c.name;
        EXPECT_EQ(run.readsUsed, c.readsUsed) << "case " << c.name;
    }
}

// The go-ahead's 30 s start when D1 has been written, not when the pair came: a write that takes
// long moves the start of the next wait, as the blocking driver's clock did.
TEST(FirmwareExchange, SlowWriteOfD1DelaysTheGoAheadDeadline) {
    using namespace firmware_exchange_test;
    const std::vector<Input> inputs = kOpening + repeat(0x55, 1400, 20) + kGoAhead +
                                      std::vector<Input>{{0xD5, 1}, {0x42, 1}, {0xD3, 1}};
    EXPECT_EQ(drive(Bytes{0x42}, inputs, 5000).result, FirmwareUpdated);
    EXPECT_EQ(drive(Bytes{0x42}, kOpening + repeat(0x55, 1600, 20) + kGoAhead, 0).result, FirmwareNoAnswer);
}

TEST(FirmwareExchange, ImageIsCutAndProgressFollowsTheBytesSent) {
    using namespace firmware_exchange_test;
    FirmwareExchange exchange(Bytes(40000, 0x11));
    EXPECT_EQ(exchange.imageSize(), kFirmwareMaxBytes);
    double now = 0;
    FirmwareStep step = exchange.start(now);
    step = exchange.arrived(0xD0, ++now);
    step = exchange.arrived(0xD6, ++now);
    ASSERT_EQ(step.action, FirmwareStep::Write);
    step = exchange.wrote(++now);
    step = exchange.arrived(0xD2, ++now);
    int last = 0;
    for (std::size_t k = 0; k < kFirmwareMaxBytes; ++k) {
        step = exchange.arrived(0xD5, ++now);
        ASSERT_EQ(step.action, FirmwareStep::Write) << "byte " << k;
        step = exchange.wrote(now);
        ASSERT_EQ(exchange.progressSteps(), static_cast<int>(100 * k / kFirmwareMaxBytes)) << "byte " << k;
        ASSERT_GE(exchange.progressSteps(), last);
        last = exchange.progressSteps();
        step = exchange.arrived(0x11, now);
    }
    EXPECT_EQ(exchange.bytesSent(), kFirmwareMaxBytes);
    EXPECT_EQ(exchange.arrived(0xD3, now).action, FirmwareStep::Finished);
    EXPECT_EQ(exchange.result(), FirmwareUpdated);
}

// Events that do not answer the last step end the exchange rather than send anything.
TEST(FirmwareExchange, EventsOutOfTurnEndTheExchange) {
    using namespace firmware_exchange_test;
    struct Case {
        const char* name;
        int event;  // 0 wrote, 3 start again
    };
    for (const Case& c : {Case{"wrote while reading", 0}, Case{"start twice", 3}}) {
        FirmwareExchange exchange(Bytes{1});
        exchange.start(0);
        const FirmwareStep step = c.event == 0 ? exchange.wrote(1) : exchange.start(1);
        EXPECT_EQ(step.action, FirmwareStep::Finished) << "case " << c.name;
        EXPECT_EQ(exchange.result(), FirmwareNoAnswer) << "case " << c.name;
    }
    FirmwareExchange exchange(Bytes{1});
    exchange.start(0);
    exchange.arrived(0xD0, 1);
    ASSERT_EQ(exchange.arrived(0xD6, 2).action, FirmwareStep::Write);
    EXPECT_EQ(exchange.arrived(0xD2, 3).action, FirmwareStep::Finished) << "a read before the write ended";
    EXPECT_TRUE(exchange.finished());
    // Once finished it stays finished with its result.
    EXPECT_EQ(exchange.nothingArrived(4).action, FirmwareStep::Finished);
    EXPECT_EQ(exchange.result(), FirmwareNoAnswer);
}

// The page reads the file itself and hands its bytes over: the same verdicts, sizes, CRCs,
// images and texts as the Windows editor's check of the path.
TEST(FirmwareFileCheck, BytesAndPathGiveTheSameCheck) {
    using Bytes = std::vector<std::uint8_t>;
    for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{32768}, std::size_t{32769}, std::size_t{70000}}) {
        Bytes content(n);
        for (std::size_t i = 0; i < n; ++i) content[i] = static_cast<std::uint8_t>(i * 31 + i / 97);
        const std::string path =
            (std::filesystem::temp_directory_path() / ("veltrana_bytes_" + std::to_string(n) + ".bin")).string();
        {
            std::ofstream f(path, std::ios::binary);
            f.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(n));
        }
        const CheckedFirmwareFile fromPath = checkFirmwareFile(path);
        const CheckedFirmwareFile fromBytes = checkFirmwareBytes(path, content);
        std::remove(path.c_str());
        EXPECT_EQ(fromBytes.verdict, fromPath.verdict) << "case " << n;
        EXPECT_EQ(fromBytes.reason, fromPath.reason) << "case " << n;
        EXPECT_EQ(fromBytes.size, n) << "case " << n;
        EXPECT_EQ(fromBytes.crc, crc32(content.data(), content.size())) << "case " << n;
        EXPECT_EQ(fromBytes.image, fromPath.image) << "case " << n;
        EXPECT_EQ(firmwareRefusalMessage(fromBytes), firmwareRefusalMessage(fromPath)) << "case " << n;
        EXPECT_EQ(firmwareTooLongWarning(fromBytes), firmwareTooLongWarning(fromPath)) << "case " << n;
        const FirmwareFileSummary a = summarizeFirmwareFile(fromBytes), b = summarizeFirmwareFile(fromPath);
        EXPECT_EQ(a.name + a.size + a.crc, b.name + b.size + b.crc) << "case " << n;
    }
    EXPECT_EQ(checkFirmwareBytes("empty.bin", {}).verdict, FirmwareFileVerdict::Refused);
    EXPECT_EQ(checkFirmwareBytes("empty.bin", {}).reason, "The file is empty: there is nothing to send.");
}

// The Windows editor's dialog templates show the texts the web page takes from the core.
TEST(FirmwareTexts, DialogTemplatesHoldTheCoresTexts) {
    std::ifstream file(std::string(VELTRANA_SOURCE_DIR) + "/resources/firmware.rc");
    ASSERT_TRUE(file.is_open());
    std::stringstream all;
    all << file.rdbuf();
    const std::string rc = all.str();
    const auto quoted = [&](const std::string& text) { return rc.find('"' + text + '"') != std::string::npos; };
    const FirmwareDialogTexts dialog = firmwareDialogTexts();
    EXPECT_TRUE(quoted(dialog.title)) << dialog.title;
    for (const std::string& line : dialog.lines) EXPECT_TRUE(quoted(line)) << line;
    EXPECT_TRUE(quoted(dialog.proceed));
    EXPECT_TRUE(quoted(dialog.cancel));
    struct Case {
        int result;
        const char* title;
        bool succeeded;
    };
    for (const Case& c : {Case{FirmwareUpdated, "!SUCCESS!", true}, Case{FirmwarePortFailed, "!ALERT!", false},
                          Case{FirmwareNoAnswer, "!ALERT!", false}, Case{FirmwareEchoMismatch, "!ALERT!", false}}) {
        const FirmwareNotice notice = firmwareNotice(c.result);
        EXPECT_EQ(notice.title, c.title) << "case " << c.result;
        EXPECT_EQ(notice.succeeded, c.succeeded) << "case " << c.result;
        EXPECT_TRUE(quoted(notice.title) && quoted(notice.text) && quoted(notice.button)) << "case " << c.result;
    }
}
