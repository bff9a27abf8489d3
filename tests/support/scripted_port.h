#pragma once
// A scripted serial port for tests. It records every byte written with the virtual clock's true
// time and the time it has left the port (bytes can queue behind each other on a line with a
// sending time, and writes can take time), serves reads from a script (bytes, or "nothing this time", which costs the read time-out
// on the clock), can refuse to open with a given result code and can stop taking bytes after a
// number of writes.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "platform/serial_port.h"
#include "support/virtual_clock.h"

class ScriptedPort : public SerialPort {
public:
    struct Write {
        std::uint8_t value = 0;
        double timeMs = 0;  // the clock's true time when the byte was handed over
        double leftMs = 0;  // when it has gone out on the line in full
        bool taken = true;
    };

    explicit ScriptedPort(VirtualClock& clock) : clock_(clock) {}

    int openPort(int index, std::uint32_t baud, Parity parity) override;
    void closePort() override;
    bool writeByte(std::uint8_t value) override;
    bool drainOutput() override;
    int readBytes(std::uint8_t* buffer, int count) override;

    // Script.
    void failOpensWith(int result) { openResult_ = result; }
    void stopTakingAfter(std::size_t writes) { takeLimit_ = writes; }
    void queueRead(const std::vector<std::uint8_t>& bytes);
    // One read that delivers nothing after the full time-out.
    void queueSilence();
    // The time each byte read takes on the line (0 by default: bytes arrive at once).
    void setByteTimeMs(double ms) { byteTimeMs_ = ms; }
    // The time each byte written takes to go out: it leaves this long after the byte before it
    // has left, or after it was handed over to an idle line (0 by default: at once).
    void setSendTimeMs(double ms) { sendTimeMs_ = ms; }
    // The times writes take to return, in turn and over again (a busy driver makes some writes
    // slow); each byte is handed over at the end of its write.
    void setWriteTimesMs(std::vector<double> times) { writeTimesMs_ = std::move(times); }
    // Every drainOutput fails, as on a port that has stopped sending.
    void failDrains() { drainsFail_ = true; }
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
    int drainCalls() const { return drainCalls_; }
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
    double sendTimeMs_ = 0.0;
    std::vector<double> writeTimesMs_;
    double lineFreeMs_ = 0.0;
    bool drainsFail_ = false;
    int drainCalls_ = 0;
};
