#pragma once
// The display's firmware update: the file read and the byte-by-byte exchange that the display
// drives (it asks for every byte with a request byte and echoes it back).
#include <cstddef>
#include <cstdint>
#include <vector>

class Clock;
class SerialPort;
class Progress;

// Results of runFirmwareUpdate.
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

// Runs the whole exchange on the port comPortIndex (0 for COM1) at 38400 baud without parity.
// The progress bar gets the range 0..100 and advances to floor(100 k / n) as byte k goes out.
// The port is closed on every path on which it was opened. The clock bounds the waits for the
// display (kFirmwareAwaitLimitMs). `bytesSent`, when given, receives the number of image bytes
// sent, so after an echo mismatch the wrong byte is bytesSent - 1.
int runFirmwareUpdate(const std::vector<std::uint8_t>& image, int comPortIndex, SerialPort& port,
                      Progress& progress, Clock& clock, std::size_t* bytesSent = nullptr);
