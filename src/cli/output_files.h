#pragma once
// The files a command writes besides its report.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/arguments.h"

// True, after one line on `err` naming the output, when a file the invocation writes is a file
// it reads under any name (another spelling, a link): writing it would destroy what was read.
// The program asks this once, before any command runs.
bool anyOutputIsAnInput(const Invocation& invocation, std::ostream& err);

// Puts `bytes` in place of `output` in one step, as the editor saves (writeWholeFile), so a
// failure leaves an old file whole. False, after one line on `err` naming it, when that fails.
bool writeOutputFile(const std::string& output, const std::vector<std::uint8_t>& bytes, std::ostream& err);
