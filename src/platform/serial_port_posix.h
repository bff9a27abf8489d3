#pragma once
// The serial port over a POSIX terminal device (termios), for native tools. Index n opens the
// device named by the constructor's pattern with n + 1 in place of %d (e.g. "/dev/ttyS%d" counts
// from 1 the way COM ports do); a fixed path can be given instead. A write that the device does
// not take within a second fails. A signal that the program handles (its Ctrl-C handler) ends a
// wait at once: the write fails, the read returns what it has.
#include <string>

#include "platform/serial_port.h"

class PosixSerialPort : public SerialPort {
public:
    explicit PosixSerialPort(std::string devicePattern) : pattern_(std::move(devicePattern)) {}
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    int openPort(int index, std::uint32_t baud, Parity parity) override;
    void closePort() override;
    bool writeByte(std::uint8_t value) override;
    bool drainOutput() override;
    int readBytes(std::uint8_t* buffer, int count) override;

private:
    std::string pattern_;
    int fd_ = -1;
};
