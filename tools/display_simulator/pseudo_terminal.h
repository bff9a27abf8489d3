#pragma once
// A pseudo-terminal in raw mode whose slave side a program (or Wine's COM port) opens as its
// serial device. We keep a slave descriptor open ourselves so that reads on the master wait for
// data instead of failing whenever the other program has the port closed.
#include <string>

struct PseudoTerminal {
    int master = -1;
    int slave = -1;
    std::string device;  // e.g. /dev/pts/3
};

// False with a reason in `error`.
bool openPseudoTerminal(PseudoTerminal& pty, std::string& error);
void closePseudoTerminal(PseudoTerminal& pty);

// The line's settings as the far end set them, e.g. "38400-8O1": baud, data bits, parity (N, O
// or E) and stop bits; "unknown" when they cannot be read. On a pseudo-terminal the parity is
// told by the odd-parity flag alone (see the definition).
std::string lineSettingsText(int fd);
