#pragma once
// The serial port over the Win32 communications calls (synchronous, one byte at a time).
#include "platform/serial_port.h"

class Win32SerialPort : public SerialPort {
public:
    Win32SerialPort() = default;
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    // index 0 names COM1, up to COM256; every port is opened by its \\.\COMn name, which
    // COM10 and above need.
    int openPort(int index, std::uint32_t baud, Parity parity) override;
    void closePort() override;
    bool writeByte(std::uint8_t value) override;
    bool drainOutput() override;
    int readBytes(std::uint8_t* buffer, int count) override;

private:
    void* handle_ = nullptr;  // HANDLE; nullptr when closed
};
