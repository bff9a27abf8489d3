#include "pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool openPseudoTerminal(PseudoTerminal& pty, std::string& error) {
    pty.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.master < 0 || grantpt(pty.master) != 0 || unlockpt(pty.master) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ptsname(pty.master);
    if (!name) {
        error = "no name for the pseudo-terminal";
        return false;
    }
    pty.device = name;
    pty.slave = open(name, O_RDWR | O_NOCTTY);
    if (pty.slave < 0) {
        error = "cannot open " + pty.device + ": " + std::strerror(errno);
        return false;
    }
    termios tio{};
    if (tcgetattr(pty.slave, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(pty.slave, TCSANOW, &tio);
    }
    if (tcgetattr(pty.master, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(pty.master, TCSANOW, &tio);
    }
    return true;
}

void closePseudoTerminal(PseudoTerminal& pty) {
    if (pty.slave >= 0) close(pty.slave);
    if (pty.master >= 0) close(pty.master);
    pty.slave = pty.master = -1;
}

std::string lineSettingsText(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return "unknown";
    static const struct { speed_t code; int baud; } kSpeeds[] = {
        {B1200, 1200}, {B2400, 2400}, {B4800, 4800}, {B9600, 9600}, {B19200, 19200},
        {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    int baud = 0;
    for (const auto& speed : kSpeeds)
        if (cfgetospeed(&tio) == speed.code) baud = speed.baud;
    const tcflag_t size = tio.c_cflag & CSIZE;
    const int bits = size == CS5 ? 5 : size == CS6 ? 6 : size == CS7 ? 7 : 8;
    // Linux's pseudo-terminals clear PARENB (they carry no parity bit) but keep PARODD, which
    // both Wine's SetCommState and the web tests' bridge set for odd parity: PARODD alone counts
    // as odd. Even parity cannot be told from none on a pseudo-terminal.
    const char parity = (tio.c_cflag & PARODD) ? 'O' : (tio.c_cflag & PARENB) ? 'E' : 'N';
    return std::to_string(baud) + "-" + std::to_string(bits) + parity + ((tio.c_cflag & CSTOPB) ? "2" : "1");
}
