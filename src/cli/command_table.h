#pragma once
// The one table of veltrana-cli's commands: each row holds everything about a command, its
// name, the shape of its arguments, its usage line, its help and the function that runs it. A
// new command is one row here (and its function, declared in commands.h).
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

struct Invocation;

struct OptionSyntax {
    const char* name;
    bool takesValue;
    bool required;
    bool output = false;  // its value is a file the command writes
};

// Runs a parsed command line: its report to `out`, its complaints to `err`; returns the exit
// status.
using CommandHandler = int (*)(const Invocation& invocation, std::ostream& out, std::ostream& err);

struct CommandRow {
    const char* name;
    std::size_t fileCount;
    std::size_t outputFileCount;  // how many of the file arguments, the last ones, it writes
    std::vector<OptionSyntax> options;
    const char* usage;  // after "veltrana-cli "
    const char* help;   // what the command does, and its options
    CommandHandler run;
};

// Every command, in the order the program's help lists them.
const std::vector<CommandRow>& commandTable();
// The row of the command named `name`, or nullptr.
const CommandRow* findCommand(const std::string& name);
