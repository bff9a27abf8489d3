#pragma once
// The subcommands that talk to the display over a serial device. Ctrl-C ends either at once:
// the port is closed and the status is ExitInterrupted.
#include <iosfwd>

#include "cli/arguments.h"

int runUploadCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
int runFlashCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
