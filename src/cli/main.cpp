// veltrana-cli: looks into configuration files, shows and dry-runs what the display receives,
// converts old files, and uploads and flashes over a serial device. See helpText().
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/command_table.h"
#include "cli/output_files.h"

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const ParsedCommandLine parsed = parseCommandLine(words);
    if (!parsed.ok) {
        std::cerr << "veltrana-cli: " << parsed.error << "\n" << usageLine(parsed.invocation.command) << "\n";
        return ExitUsage;
    }
    const Invocation& invocation = parsed.invocation;
    if (invocation.version) {
        std::cout << versionLine() << "\n";
        return ExitOk;
    }
    if (invocation.help) {
        std::cout << helpText(invocation.command);
        return ExitOk;
    }
    // One rule for every command that writes a file: never over a file it reads.
    if (anyOutputIsAnInput(invocation, std::cerr)) return ExitFailed;
    const CommandRow* row = findCommand(invocation.command);
    return row ? row->run(invocation, std::cout, std::cerr) : ExitUsage;
}
