#include "platform/serial_port_win.h"

#include <windows.h>

#include <cstdio>

#include "platform/serial_port_names.h"

Win32SerialPort::~Win32SerialPort() { closePort(); }

int Win32SerialPort::openPort(int index, std::uint32_t baud, Parity parity) {
    closePort();
    if (index < 0 || index >= kHighestComPortNumber) return PortCannotOpen;
    char name[16];
    std::snprintf(name, sizeof name, "\\\\.\\COM%d", index + 1);
    HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return PortCannotOpen;

    // Any failed set-up step closes the device again, so a half-set-up port is never left locked.
    auto fail = [h](int result) {
        CloseHandle(h);
        return result;
    };
    DCB dcb;
    ZeroMemory(&dcb, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(h, &dcb)) return fail(PortCannotGetState);
    dcb.BaudRate = baud;
    dcb.ByteSize = 8;
    dcb.Parity = parity == Parity::Odd ? ODDPARITY : NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    if (!SetCommState(h, &dcb)) return fail(PortCannotSetState);

    COMMTIMEOUTS timeouts;
    if (!GetCommTimeouts(h, &timeouts)) return fail(PortCannotGetTimeouts);
    timeouts.ReadIntervalTimeout = 0;
    timeouts.ReadTotalTimeoutMultiplier = 1000;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    if (!SetCommTimeouts(h, &timeouts)) return fail(PortCannotSetTimeouts);

    handle_ = h;
    return PortOpened;
}

void Win32SerialPort::closePort() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

bool Win32SerialPort::writeByte(std::uint8_t value) {
    if (!handle_) return false;
    DWORD written = 0;
    return WriteFile(static_cast<HANDLE>(handle_), &value, 1, &written, nullptr) && written == 1;
}

bool Win32SerialPort::drainOutput() {
    if (!handle_) return false;
    HANDLE h = static_cast<HANDLE>(handle_);
    // FlushFileBuffers would wait for the driver to send what it holds, but without a limit; a
    // port that has stopped sending must still end the operation within the write time-out, so
    // the driver's count of bytes not yet sent is asked until it is zero.
    const DWORD begun = GetTickCount();
    for (;;) {
        DWORD errors = 0;
        COMSTAT status;
        ZeroMemory(&status, sizeof status);
        if (!ClearCommError(h, &errors, &status)) return false;
        if (status.cbOutQue == 0) return true;
        if (GetTickCount() - begun >= kWriteTimeoutMs) return false;
        Sleep(0);
    }
}

int Win32SerialPort::readBytes(std::uint8_t* buffer, int count) {
    if (!handle_ || count <= 0) return 0;
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(handle_), buffer, static_cast<DWORD>(count), &got, nullptr))
        return 0;
    return static_cast<int>(got);
}
