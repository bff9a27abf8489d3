#include "link/firmware_update.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/progress.h"
#include "platform/serial_port.h"

namespace {

// One read of one byte with the port's one-second time-out; false when nothing came.
bool readOne(SerialPort& port, std::uint8_t& byte) {
    std::uint8_t buffer = 0;
    if (port.readBytes(&buffer, 1) != 1) return false;
    byte = buffer;
    return true;
}

// A wait for one awaited byte: the line may bring other bytes meanwhile, but not for ever.
struct Await {
    SerialPort& port;
    Clock& clock;
    double deadlineMs;

    Await(SerialPort& p, Clock& c) : port(p), clock(c), deadlineMs(c.nowMs() + kFirmwareAwaitLimitMs) {}
    bool expired() { return clock.nowMs() >= deadlineMs; }
};

// Waits for the opening pair D0 D6 within the allowed reads. A read that brings nothing keeps
// the previous byte, so D0, a gap, D6 still counts as the pair.
bool awaitOpeningPair(Await wait) {
    bool haveLast = false;
    std::uint8_t last = 0;
    for (int read = 0; read < kFirmwareOpeningReads && !wait.expired(); ++read) {
        std::uint8_t byte = 0;
        if (!readOne(wait.port, byte)) continue;
        if (haveLast && last == FirmwareOpenFirst && byte == FirmwareOpenSecond) return true;
        last = byte;
        haveLast = true;
    }
    return false;
}

bool awaitGoAhead(Await wait) {
    for (int read = 0; read < kFirmwareOpeningReads && !wait.expired(); ++read) {
        std::uint8_t byte = 0;
        if (readOne(wait.port, byte) && byte == FirmwareGoAhead) return true;
    }
    return false;
}

// Reads until `wanted` arrives, dropping other bytes; false on the first read that brings
// nothing, or when the line has brought only other bytes for the whole limit.
bool awaitByte(Await wait, std::uint8_t wanted) {
    for (;;) {
        std::uint8_t byte = 0;
        if (!readOne(wait.port, byte)) return false;
        if (byte == wanted) return true;
        if (wait.expired()) return false;
    }
}

int transfer(const std::vector<std::uint8_t>& image, SerialPort& port, Progress& progress, Clock& clock,
             std::size_t& sent) {
    if (!awaitOpeningPair(Await(port, clock))) return FirmwareNoAnswer;
    port.writeByte(FirmwareAnswer);
    if (!awaitGoAhead(Await(port, clock))) return FirmwareNoAnswer;

    // The display holds no more than kFirmwareMaxBytes, whoever built the image.
    const std::size_t n = std::min(image.size(), kFirmwareMaxBytes);
    int steps = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (!awaitByte(Await(port, clock), FirmwareRequest)) return FirmwareNoAnswer;
        port.writeByte(image[k]);
        sent = k + 1;
        const int target = static_cast<int>(100 * k / n);
        while (steps < target) {
            progress.step();
            ++steps;
        }
        std::uint8_t echo = 0;
        if (!readOne(port, echo)) return FirmwareNoAnswer;
        if (echo != image[k]) return FirmwareEchoMismatch;
    }
    return awaitByte(Await(port, clock), FirmwareEnd) ? FirmwareUpdated : FirmwareNoAnswer;
}

}  // namespace

int runFirmwareUpdate(const std::vector<std::uint8_t>& image, int comPortIndex, SerialPort& port,
                      Progress& progress, Clock& clock, std::size_t* bytesSent) {
    if (bytesSent) *bytesSent = 0;
    progress.setRange(0, 100);
    progress.setPosition(0);
    if (port.openPort(comPortIndex, kFirmwareBaud, Parity::None) != PortOpened) return FirmwarePortFailed;
    std::size_t sent = 0;
    const int result = transfer(image, port, progress, clock, sent);
    if (bytesSent) *bytesSent = sent;
    port.closePort();
    return result;
}
