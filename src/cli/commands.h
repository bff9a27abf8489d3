#pragma once
// The subcommands' functions, each run through its row of the command table
// (cli/command_table.cpp). Each takes the parsed command line, writes its report to `out` and its
// complaints to `err` (one line each, naming the file), and returns the exit status.
#include <iosfwd>
#include <string>

struct Invocation;
class EditorSession;

int runInfoCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
int runRenderCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
int runStreamCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
int runConvertCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
// The configuration check's findings in words or as JSON; status 1 when any is a problem.
int runCheckCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
// Exit 0 when the two files are alike, ExitDifferent when not.
int runDiffCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
int runReportCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
// The two that talk to the display over a serial device (link_commands.cpp). Ctrl-C ends either
// at once: the port is closed and the status is ExitInterrupted.
int runUploadCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);
int runFlashCommand(const Invocation& invocation, std::ostream& out, std::ostream& err);

// Loads `path` into the session as the editor's Load command does. A file the editor refuses
// gets one line on `err`, "veltrana-cli: PATH: reason", and false.
bool loadForCommand(EditorSession& session, const std::string& path, std::ostream& err);
// "veltrana-cli: PATH: reason" and a newline on `err`; returns `status`.
int complain(std::ostream& err, const std::string& path, const std::string& reason, int status);
