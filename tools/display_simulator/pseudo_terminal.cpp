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
