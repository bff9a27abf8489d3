#pragma once
// The display's side of the firmware exchange, run by `display_simulator --firmware ...` on the
// pseudo-terminal. `args` are the command-line words after --firmware.
// Returns the simulator's exit code (0 when the exchange went as it should).
#include <string>
#include <vector>

#include "pseudo_terminal.h"

int runFirmwareSide(PseudoTerminal& pty, const std::vector<std::string>& args);
