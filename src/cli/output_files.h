#pragma once
// The files a command writes besides its report.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// True, after one line on `err` naming the output, when one of `outputs` is the file `input`
// itself under any name (another spelling, a link): writing it would destroy what was read.
bool anyOutputIsTheInput(const std::string& input, const std::vector<std::string>& outputs, std::ostream& err);

// Puts `bytes` in place of `output` in one step, as the editor saves (writeWholeFile), so a
// failure leaves an old file whole. False, after one line on `err` naming it, when that fails.
bool writeOutputFile(const std::string& output, const std::vector<std::uint8_t>& bytes, std::ostream& err);
