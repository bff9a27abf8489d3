#pragma once
// The display's side of the firmware exchange, run by `display_simulator --firmware ...` on the
// pseudo-terminal's master descriptor. `args` are the command-line words after --firmware.
// Returns the simulator's exit code (0 when the exchange went as it should).
#include <string>
#include <vector>

int runFirmwareSide(int fd, const std::vector<std::string>& args);
