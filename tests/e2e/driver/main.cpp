// veltrana_driver: runs one scenario file against the editor, one command a line, and stops at
// the first mismatch with what it expected and what it saw. Exit code 0 when every line passed.
//
//   veltrana_driver.exe [--app EDITOR.exe] [--runner] SCENARIO.scn
//   veltrana_driver.exe --help      lists the commands
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "commands.h"

namespace {
int usage() {
  std::printf("usage: veltrana_driver [--app EDITOR.exe] [--runner] SCENARIO.scn\n"
              "Lines are commands; a line starting with # is a comment; a caption may be quoted \"...\" quotes an argument.\n");
  printCommandList();
  return 2;
}

void stopEditor(EditorSession& s) {
  if (s.process && s.startedByUs && WaitForSingleObject(s.process, 0) != WAIT_OBJECT_0) {
    TerminateProcess(s.process, 99);
    WaitForSingleObject(s.process, 5000);
  }
}
}  // namespace

int main(int argc, char** argv) {
  EditorSession session;
  if (const char* app = std::getenv("VELTRANA_EXE")) session.editorPath = app;
  std::string scenario;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--app" && i + 1 < argc) session.editorPath = argv[++i];
    else if (arg == "--runner") session.runnerPresent = true;
    else if (arg == "--help" || arg[0] == '-') return usage();
    else scenario = arg;
  }
  if (scenario.empty()) return usage();
  if (session.editorPath.empty()) session.editorPath = "veltrana.exe";

  std::ifstream in(scenario);
  if (!in) {
    std::printf("FAIL cannot read %s\n", scenario.c_str());
    return 2;
  }
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::string text = stripComment(raw);
    if (text.empty()) continue;
    std::printf("  %3d  %s\n", number, text.c_str());
    std::fflush(stdout);
    ScriptLine line(text);
    std::string name;
    line.next(name);
    const Command* command = findCommand(name);
    std::string failure;
    if (!command) failure = "unknown command \"" + name + "\" (see --help)";
    else if (!session.mainWindow && name != "start" && name != "attach" && name != "sleep" &&
             name != "timeout" && name != "expect-exit" && !worksWithoutEditor(name)) {
      failure = "the editor is not running (start it first)";
    } else {
      failure = command->run(session, line);
    }
    if (!failure.empty()) {
      std::printf("FAIL %s:%d: %s\n      %s\n", scenario.c_str(), number, text.c_str(),
                  failure.c_str());
      std::fflush(stdout);
      stopEditor(session);
      return 1;
    }
  }
  if (session.process && WaitForSingleObject(session.process, 0) != WAIT_OBJECT_0) {
    std::printf("  note: the editor is still running at the end; stopping it\n");
    stopEditor(session);
  }
  std::printf("PASS %s\n", scenario.c_str());
  return 0;
}
