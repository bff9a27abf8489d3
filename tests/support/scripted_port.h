#pragma once
// A scripted serial port for tests. It records every byte written with the virtual clock's true
// time, serves reads from a script (bytes, or "nothing this time", which costs the read time-out
// on the clock), can refuse to open with a given result code and can stop taking bytes after a
// number of writes.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/serial_port.h"
#include "support/virtual_clock.h"

class ScriptedPort : public SerialPort {
public:
    struct Write {
        std::uint8_t value = 0;
        double timeMs = 0;  // the clock's true time when the byte was handed over
        bool taken = true;
    };

    explicit ScriptedPort(VirtualClock& clock) : clock_(clock) {}

    int openPort(int index, std::uint32_t baud, Parity parity) override;
    void closePort() override;
    bool writeByte(std::uint8_t value) override;
    int readBytes(std::uint8_t* buffer, int count) override;

    // Script.
    void failOpensWith(int result) { openResult_ = result; }
    void stopTakingAfter(std::size_t writes) { takeLimit_ = writes; }
    void queueRead(const std::vector<std::uint8_t>& bytes);
    // One read that delivers nothing after the full time-out.
    void queueSilence();
    // The time each byte read takes on the line (0 by default: bytes arrive at once).
    void setByteTimeMs(double ms) { byteTimeMs_ = ms; }
    // Called after every byte written while open, e.g. to script an echo from a written byte.
    std::function<void(std::uint8_t)> onWrite;

    // What happened.
    const std::vector<Write>& writes() const { return writes_; }
    std::vector<std::uint8_t> writtenBytes() const;  // the bytes the port took, in order
    bool isOpen() const { return open_; }
    int openCalls() const { return openCalls_; }
    int closeCalls() const { return closeCalls_; }
    int lastIndex() const { return lastIndex_; }
    std::uint32_t lastBaud() const { return lastBaud_; }
    Parity lastParity() const { return lastParity_; }
    int readCalls() const { return readCalls_; }
    std::size_t pendingReads() const { return script_.size(); }

private:
    struct ReadStep {
        bool silence = false;
        std::vector<std::uint8_t> bytes;
    };

    VirtualClock& clock_;
    int openResult_ = PortOpened;
    std::size_t takeLimit_ = static_cast<std::size_t>(-1);
    std::deque<ReadStep> script_;
    std::vector<Write> writes_;
    bool open_ = false;
    int openCalls_ = 0;
    int closeCalls_ = 0;
    int lastIndex_ = -1;
    std::uint32_t lastBaud_ = 0;
    Parity lastParity_ = Parity::None;
    int readCalls_ = 0;
    std::size_t taken_ = 0;
    double byteTimeMs_ = 0.0;
};
