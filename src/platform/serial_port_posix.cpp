#include "platform/serial_port_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

speed_t toSpeed(std::uint32_t baud) {
    switch (baud) {
        case 9600: return B9600;
        case 19200: return B19200;
        case 57600: return B57600;
        case 115200: return B115200;
        default: return B38400;
    }
}

}  // namespace

PosixSerialPort::~PosixSerialPort() { closePort(); }

int PosixSerialPort::openPort(int index, std::uint32_t baud, Parity parity) {
    closePort();
    if (index < 0 || index > 8) return PortCannotOpen;
    char name[512];
    std::snprintf(name, sizeof name, pattern_.c_str(), index + 1);
    const int fd = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return PortCannotOpen;
    auto fail = [fd](int result) {
        ::close(fd);
        return result;
    };
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return fail(PortCannotGetState);
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    if (parity == Parity::Odd) tio.c_cflag |= PARENB | PARODD;
    cfsetispeed(&tio, toSpeed(baud));
    cfsetospeed(&tio, toSpeed(baud));
    // Reads are timed by poll() in readBytes; the terminal itself returns what it has.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return fail(PortCannotSetState);
    // DTR and RTS up, as the display expects. Opening raises them on most drivers already; a
    // pseudo-terminal has no modem lines and refuses the call, which is no fault.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIS, &lines);
    fd_ = fd;
    return PortOpened;
}

void PosixSerialPort::closePort() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool PosixSerialPort::writeByte(std::uint8_t value) {
    if (fd_ < 0) return false;
    // A device that takes nothing within the write time-out (a full buffer that nobody drains)
    // has stopped; a signal the program handles (Ctrl-C) means stop. Neither wait is resumed.
    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, static_cast<int>(kWriteTimeoutMs)) != 1 || !(p.revents & POLLOUT)) return false;
    return ::write(fd_, &value, 1) == 1;
}

bool PosixSerialPort::drainOutput() {
    if (fd_ < 0) return false;
    // tcdrain waits without a limit while the driver still queues bytes, so the queue is watched
    // here within the write time-out; tcdrain then waits only for the transmitter, which the
    // driver bounds itself. A handled signal (Ctrl-C) ends the wait.
    timespec begun;
    clock_gettime(CLOCK_MONOTONIC, &begun);
    for (;;) {
        int queued = 0;
        if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double waitedMs = (now.tv_sec - begun.tv_sec) * 1000.0 + (now.tv_nsec - begun.tv_nsec) / 1e6;
        if (waitedMs >= kWriteTimeoutMs) return false;
        // About a character time at 38400 baud.
        const timespec nap{0, 250000};
        if (nanosleep(&nap, nullptr) != 0 && errno == EINTR) return false;
    }
    return tcdrain(fd_) == 0;
}

int PosixSerialPort::readBytes(std::uint8_t* buffer, int count) {
    if (fd_ < 0 || count <= 0) return 0;
    // 1000 ms per byte asked in total, as the Windows port is set up.
    int got = 0;
    int budgetMs = 1000 * count;
    while (got < count && budgetMs > 0) {
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, budgetMs > 50 ? 50 : budgetMs);
        budgetMs -= 50;
        if (r < 0 && errno == EINTR) break;  // a handled signal (Ctrl-C) ends the wait
        if (r <= 0) continue;
        const ssize_t n = ::read(fd_, buffer + got, static_cast<size_t>(count - got));
        if (n > 0) got += static_cast<int>(n);
    }
    return got;
}
