#pragma once
// The one serial device of the program: the display at the far end of a null-modem cable.
#include <cstdint>

enum class Parity { None, Odd };

// Results of openPort.
enum OpenPortResult : int {
    PortOpened = 0,
    PortCannotOpen = 1,
    PortCannotGetState = 2,
    PortCannotSetState = 3,
    PortCannotGetTimeouts = 4,
    PortCannotSetTimeouts = 5,
};

// A write that the device cannot finish in this time fails, so a port that takes nothing ends
// an operation instead of freezing the program.
constexpr unsigned kWriteTimeoutMs = 1000;

// The time one byte takes on the line: a start bit, 8 data bits, the parity bit if any and one
// stop bit.
constexpr double characterTimeMs(std::uint32_t baud, Parity parity) {
    return (parity == Parity::Odd ? 11.0 : 10.0) * 1000.0 / static_cast<double>(baud);
}

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // index 0 is COM1. 8 data bits, 1 stop bit, DTR and RTS raised; reads wait at most
    // 1000 ms per byte asked, writes at most kWriteTimeoutMs. A device that fails a set-up step
    // is closed again.
    virtual int openPort(int index, std::uint32_t baud, Parity parity) = 0;
    virtual void closePort() = 0;
    // False when the port did not take the byte.
    virtual bool writeByte(std::uint8_t value) = 0;
    // Returns once every byte the port has taken has left it for the line, or false when they
    // have not within kWriteTimeoutMs (the port has stopped sending). A write may return while
    // its byte still waits behind earlier ones; this is how to know it has gone.
    virtual bool drainOutput() = 0;
    // Waits for up to count bytes within the read time-out; the number that arrived.
    virtual int readBytes(std::uint8_t* buffer, int count) = 0;
};
