#pragma once
// The firmware exchange as a state machine: it never reads or waits itself, so the Windows
// editor (a blocking port, runFirmwareUpdate) and the web page (a port whose reads are promises,
// in a worker) drive the very same rules. The driver opens the port, then does what each step
// says and tells the machine what came of it, with the time now:
//   Write byte  -> write it, then wrote(now)
//   Read        -> one read of one byte within kFirmwareReadTimeoutMs, then
//                  arrived(byte, now) or nothingArrived(now)
//   Finished    -> close the port; result() is the transfer's result
// The machine decides everything else: the opening pair within 21 reads, the go-ahead, the
// requests and echoes, the 30 s limits of a line that brings other bytes, the end byte.
#include <cstddef>
#include <cstdint>
#include <vector>

// Results of the transfer (runFirmwareUpdate, FirmwareExchange::result).
enum FirmwareUpdateResult : int {
    FirmwareUpdated = 0,        // the display confirmed the end of the transfer
    FirmwarePortFailed = 1,     // the port cannot be opened or set up
    FirmwareNoAnswer = 2,       // the display did not start, or stopped answering
    FirmwareEchoMismatch = 4,   // an echo differed from the byte sent
};

// Wire bytes of the exchange.
enum FirmwareWireByte : std::uint8_t {
    FirmwareOpenFirst = 0xD0,   // received: the opening pair is D0 then D6
    FirmwareOpenSecond = 0xD6,
    FirmwareAnswer = 0xD1,      // sent: answer to the opening pair
    FirmwareGoAhead = 0xD2,     // received: the data may start
    FirmwareEnd = 0xD3,         // received: the display has the whole image
    FirmwareRequest = 0xD5,     // received: send the next byte
};

// The display takes at most this many bytes; a longer file is cut.
constexpr std::size_t kFirmwareMaxBytes = 32768;
// Reads allowed for the opening pair, and again for the go-ahead.
constexpr int kFirmwareOpeningReads = 21;
constexpr std::uint32_t kFirmwareBaud = 38400;
// A line that keeps bringing other bytes ends a wait for the opening pair, the go-ahead, a request
// or the end byte once this long has passed without the awaited byte.
constexpr double kFirmwareAwaitLimitMs = 30000;

// Each read of the exchange waits this long for its one byte (the port's read time-out).
constexpr double kFirmwareReadTimeoutMs = 1000;

struct FirmwareStep {
    enum Action { Write, Read, Finished };
    Action action = Read;
    std::uint8_t byte = 0;  // Write: the byte to send
};

class FirmwareExchange {
public:
    // The image is cut to kFirmwareMaxBytes, whoever built it.
    explicit FirmwareExchange(std::vector<std::uint8_t> image);

    // The port has just opened.
    FirmwareStep start(double nowMs);
    FirmwareStep wrote(double nowMs);
    FirmwareStep arrived(std::uint8_t byte, double nowMs);
    FirmwareStep nothingArrived(double nowMs);

    bool finished() const { return stage_ == Stage::Done; }
    // FirmwareUpdated, FirmwareNoAnswer or FirmwareEchoMismatch once finished.
    int result() const { return result_; }
    // Image bytes handed to the port so far; after an echo mismatch the wrong one is the last.
    std::size_t bytesSent() const { return sent_; }
    std::size_t imageSize() const { return image_.size(); }
    // Where the progress bar (range 0..100) stands: floor(100 k / n) once byte k has gone out.
    int progressSteps() const { return progress_; }

private:
    enum class Stage { Idle, OpeningPair, Answering, GoAhead, Request, Sending, Echo, End, Done };

    FirmwareStep read() { return {FirmwareStep::Read, 0}; }
    FirmwareStep write(std::uint8_t byte) { return {FirmwareStep::Write, byte}; }
    FirmwareStep finish(int result);
    // A wait for one awaited byte begins: it may not last past kFirmwareAwaitLimitMs.
    FirmwareStep await(Stage stage, double nowMs);
    // After a read of the opening or the go-ahead: another read while reads and time are left.
    FirmwareStep nextOpeningRead(double nowMs);
    FirmwareStep requestOrEnd(double nowMs);

    std::vector<std::uint8_t> image_;
    Stage stage_ = Stage::Idle;
    int result_ = FirmwareNoAnswer;
    double deadlineMs_ = 0;
    int reads_ = 0;           // reads of the opening pair or of the go-ahead so far
    bool haveLast_ = false;   // the opening: the last byte received, kept over empty reads
    std::uint8_t last_ = 0;
    std::size_t sent_ = 0;
    int progress_ = 0;
};
