#pragma once
// The command line: a subcommand, its file arguments and its options. Parsing only checks the
// shape (known options, values present, the right number of files); each command checks the
// rest.
#include <map>
#include <string>
#include <vector>

// Exit statuses of the program.
enum ExitStatus : int {
    ExitOk = 0,
    ExitFailed = 1,        // an output file cannot be written
    ExitProblemsFound = 1, // check: the configuration has problems
    ExitDifferent = 1,     // diff: the two configurations differ
    ExitBadInput = 2,      // a configuration or firmware file cannot be read or is refused
    ExitPortFailed = 3,    // the serial device cannot be opened, set up or written
    ExitNoAnswer = 4,      // the display did not answer in time
    ExitWrongEcho = 5,     // the display echoed another byte than the one sent
    ExitUsage = 64,        // unknown option, missing argument
    ExitInterrupted = 130  // Ctrl-C
};

struct Invocation {
    std::string command;  // "" for the program itself (--help)
    std::vector<std::string> files;
    std::map<std::string, std::string> options;  // "--json" -> "" for a flag
    bool help = false;
    bool version = false;  // --version: the program's name and version

    bool has(const std::string& option) const { return options.count(option) != 0; }
    std::string value(const std::string& option) const;
    // The files the command writes (output options given and output file arguments) and the
    // files it reads, by the command table; both empty for an unknown command.
    std::vector<std::string> outputPaths() const;
    std::vector<std::string> inputPaths() const;
};

struct ParsedCommandLine {
    bool ok = false;
    std::string error;  // what was wrong, when not ok
    Invocation invocation;
};

// `words` are the arguments after the program name.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& words);

// "usage: veltrana-cli render FILE.vtl -o OUT.png [--scale N] [--font FONT.png]"; for "" the
// program's own.
std::string usageLine(const std::string& command);
// The --help text of a subcommand, or of the program for "".
std::string helpText(const std::string& command);
// "veltrana-cli (Veltrana 1.0.0)": the version of the build, the editor's.
std::string versionLine();
