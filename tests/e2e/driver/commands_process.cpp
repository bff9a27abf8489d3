// Commands about the editor process as a whole: starting, attaching, closing, menu commands,
// exit codes, screenshots.
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "resource_ids.h"
#include "window_lookup.h"

namespace {
const char kMainClass[] = "RARADAZ";
constexpr DWORD kLongestStartMs = 60000;

std::string afterMainWindowFound(EditorSession& s) {
  // WM_NULL is answered only from the message loop, so start-up (caption included) is over.
  if (!s.settle()) return "the main window does not answer messages";
  s.placed.clear();
  return s.findPreviews();
}

std::string exitDescription(HANDLE process) {
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return "the editor ended with exit code " + std::to_string(code);
}

struct NamedId {
  const char* name;
  int id;
};
const NamedId kMenuCommands[] = {
    {"IDM_CREATE_CONFIGURATION", IDM_CREATE_CONFIGURATION},
    {"IDM_LOAD_CONFIGURATION", IDM_LOAD_CONFIGURATION},
    {"IDM_SAVE_CONFIGURATION", IDM_SAVE_CONFIGURATION},
    {"IDM_SAVE_CONFIGURATION_AS", IDM_SAVE_CONFIGURATION_AS},
    {"IDM_EXIT", IDM_EXIT},
    {"IDM_ABOUT", IDM_ABOUT},
    {"IDM_UPLOAD_CONFIGURATION", IDM_UPLOAD_CONFIGURATION},
    {"IDM_DASHES", IDM_DASHES},
    {"IDM_UPGRADE_FIRMWARE", IDM_UPGRADE_FIRMWARE},
    {"IDM_CUSTOM_SENSOR_1", IDM_CUSTOM_SENSOR_1},
    {"IDM_CUSTOM_SENSOR_2", IDM_CUSTOM_SENSOR_2},
    {"IDM_CUSTOM_SENSOR_3", IDM_CUSTOM_SENSOR_3},
    {"IDM_CUSTOM_SENSOR_4", IDM_CUSTOM_SENSOR_4},
    {"IDM_SETUP_WARNINGS", IDM_SETUP_WARNINGS},
    {"IDM_PREVIEW_DISPLAY", IDM_PREVIEW_DISPLAY},
    {"IDM_EXPORT_DISPLAY_IMAGE", IDM_EXPORT_DISPLAY_IMAGE},
    {"IDM_UNDO", IDM_UNDO},
    {"IDM_REDO", IDM_REDO},
    {"IDM_COPY_GAUGE", IDM_COPY_GAUGE},
    {"IDM_CUT_GAUGE", IDM_CUT_GAUGE},
    {"IDM_PASTE_GAUGE", IDM_PASTE_GAUGE},
    {"IDM_COPY_PAGE", IDM_COPY_PAGE},
    {"IDM_CLEAR_PAGE", IDM_CLEAR_PAGE},
    {"IDM_COMPARE_WITH", IDM_COMPARE_WITH},
    {"IDM_EXPORT_REPORT", IDM_EXPORT_REPORT},
    {"IDM_CHECK_CONFIGURATION", IDM_CHECK_CONFIGURATION},
};
}  // namespace

std::string cmdStart(EditorSession& s, ScriptLine& line) {
  Args a(line);
  // An argument (UTF-8, the rest of the line) goes on the editor's command line, quoted.
  const std::string argument = line.atEnd() ? std::string() : line.rest();
  if (!a.done()) return a.error;
  if (s.process) return "the editor is already running";
  std::string commandLine = "\"" + s.editorPath + "\"";
  if (!argument.empty()) commandLine += " \"" + argument + "\"";
  std::wstring wideLine(commandLine.size() + 1, L'\0');
  wideLine.resize(MultiByteToWideChar(CP_UTF8, 0, commandLine.c_str(), -1, &wideLine[0],
                                      static_cast<int>(wideLine.size())));
  std::wstring wideEditor(s.editorPath.size() + 1, L'\0');
  wideEditor.resize(MultiByteToWideChar(CP_UTF8, 0, s.editorPath.c_str(), -1, &wideEditor[0],
                                        static_cast<int>(wideEditor.size())));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(wideEditor.c_str(), &wideLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    return "cannot start " + s.editorPath + " (error " + std::to_string(GetLastError()) + ")";
  }
  CloseHandle(info.hThread);
  s.process = info.hProcess;
  s.processId = info.dwProcessId;
  s.startedByUs = true;
  std::string ended;
  // Loading the themed common controls makes the start take seconds under Wine on a busy
  // machine; the start alone gets a long wait, the scenario's own waits stay as they are.
  const DWORD startWaitMs = s.timeoutMs > kLongestStartMs ? s.timeoutMs : kLongestStartMs;
  s.mainWindow = waitFor(startWaitMs, [&]() -> HWND {
    if (WaitForSingleObject(s.process, 0) == WAIT_OBJECT_0) {
      ended = exitDescription(s.process);
      return HWND(1);  // stop waiting
    }
    return findTopLevelByClass(s.processId, kMainClass);
  });
  if (!ended.empty()) {
    s.mainWindow = nullptr;
    return ended + " before showing a \"" + kMainClass + "\" window";
  }
  if (!s.mainWindow) return std::string("no visible \"") + kMainClass + "\" window appeared";
  return afterMainWindowFound(s);
}

std::string cmdAttach(EditorSession& s, ScriptLine& line) {
  Args a(line);
  if (!a.done()) return a.error;
  HWND w = FindWindowA(kMainClass, nullptr);
  if (!w) return std::string("no \"") + kMainClass + "\" window to attach to";
  s.mainWindow = w;
  GetWindowThreadProcessId(w, &s.processId);
  s.process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE,
                          s.processId);
  s.startedByUs = false;
  if (!s.process) return "cannot open the editor's process";
  return afterMainWindowFound(s);
}

std::string cmdExpectExit(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long expected = a.number("exit code");
  std::string ms = a.optionalWord();
  long wait = s.timeoutMs;
  if (!ms.empty() && !parseInt(ms, wait)) return "not a time-out: " + ms;
  if (!a.done()) return a.error;
  if (!s.process) return "no editor process";
  if (WaitForSingleObject(s.process, static_cast<DWORD>(wait)) != WAIT_OBJECT_0) {
    std::string shown;
    for (HWND w : topLevelWindows(s.processId)) shown += " \"" + windowText(w) + "\"";
    return "the editor is still running after " + std::to_string(wait) +
           " ms; its windows:" + shown;
  }
  DWORD code = 0;
  GetExitCodeProcess(s.process, &code);
  CloseHandle(s.process);
  s.process = nullptr;
  s.mainWindow = nullptr;
  if (static_cast<long>(code) != expected) {
    return "exit code: expected " + std::to_string(expected) + ", seen " + std::to_string(code);
  }
  return {};
}

std::string cmdClose(EditorSession& s, ScriptLine& line) {
  Args a(line);
  if (!a.done()) return a.error;
  // Posted: the exit prompt runs a modal loop inside the handling of this message.
  PostMessageA(s.mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
  return {};
}

namespace {
// A menu command by number or IDM_ name; -1 when unknown.
long menuCommandId(const std::string& name) {
  long id = -1;
  if (parseInt(name, id)) return id;
  id = -1;  // a failed parse leaves 0, which would post a command nobody asked for
  for (const NamedId& m : kMenuCommands) {
    if (name == m.name) id = m.id;
  }
  return id;
}
}  // namespace

std::string cmdMenu(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string name = a.word("command id");
  if (!a.done()) return a.error;
  long id = menuCommandId(name);
  if (id < 0) return "unknown menu command " + name;
  // Posted, as a menu choice is: the command may open a modal chooser or run for long.
  PostMessageA(s.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return {};
}

std::string cmdCommand(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string name = a.word("command id");
  if (!a.done()) return a.error;
  long id = menuCommandId(name);
  if (id < 0) return "unknown menu command " + name;
  // Sent, so the next line sees its outcome; only for commands that open no modal window.
  if (!s.send(WM_COMMAND, MAKEWPARAM(id, 0), 0)) return "the editor did not handle the command";
  return {};
}

std::string cmdSettle(EditorSession& s, ScriptLine& line) {
  Args a(line);
  if (!a.done()) return a.error;
  // A sent message is taken only when the editor asks for its next message: what a posted
  // command did after its last box closed is done by then.
  if (!s.settle()) return "the editor did not answer within " + std::to_string(s.timeoutMs) + " ms";
  return {};
}

std::string cmdWaitUntil(EditorSession& s, ScriptLine& line) {
  if (line.atEnd()) return "missing argument: an expect command";
  const std::string rest = line.rest();
  ScriptLine first(rest);
  std::string name;
  first.next(name);
  const Command* command = findCommand(name);
  if (command == nullptr || name.rfind("expect-", 0) != 0) return "not an expect command: " + name;
  // Keys travel through the system's queue and arrive later: try again until what they do shows.
  const DWORD start = GetTickCount();
  for (;;) {
    ScriptLine attempt(rest);
    attempt.next(name);
    const std::string failed = command->run(s, attempt);
    if (failed.empty()) return {};
    if (GetTickCount() - start >= s.timeoutMs) return failed;
    Sleep(50);
  }
}

std::string cmdSleep(EditorSession&, ScriptLine& line) {
  Args a(line);
  long ms = a.number("milliseconds");
  if (!a.done()) return a.error;
  Sleep(static_cast<DWORD>(ms));
  return {};
}

std::string cmdTimeout(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long ms = a.number("milliseconds");
  if (!a.done()) return a.error;
  s.timeoutMs = static_cast<DWORD>(ms);
  return {};
}

std::string takeWindowPicture(EditorSession& s, HWND w, const std::string& name) {
  if (name.find_first_of("/\\:. ") != std::string::npos) return "bad picture name " + name;
  s.settle();
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  s.settle();
  Sleep(300);  // lets the X server finish drawing what the editor painted
  RECT r{};
  GetWindowRect(w, &r);
  // The runner watches for this line, takes the picture and answers with NAME.shot-done in the
  // working directory.
  std::printf("@@screenshot %s %ld %ld %ld %ld\n", name.c_str(), r.left, r.top, r.right - r.left,
              r.bottom - r.top);
  std::fflush(stdout);
  if (!s.runnerPresent) return {};
  return waitForRunner(name + ".shot-done", "take the picture " + name);
}

std::string waitForRunner(const std::string& doneFile, const std::string& task) {
  DWORD start = GetTickCount();
  while (GetFileAttributesA(doneFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - start > 30000) return "the runner did not " + task;
    Sleep(50);
  }
  DeleteFileA(doneFile.c_str());
  return {};
}

std::string cmdScreenshot(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string name = a.word("picture name");
  if (!a.done()) return a.error;
  return takeWindowPicture(s, s.mainWindow, name);
}

std::string cmdExpectCaption(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string expected = a.rest("caption");
  if (!a.done()) return a.error;
  std::string seen = windowText(s.mainWindow);
  if (seen != expected) return "caption: expected \"" + expected + "\", seen \"" + seen + "\"";
  return {};
}

std::string cmdExpectWindowSize(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long w = a.number("width"), h = a.number("height");
  const std::string caption = line.atEnd() ? std::string() : a.rest("caption");
  if (!a.done()) return a.error;
  const HWND window = caption.empty() ? s.mainWindow : resolveWindow(s, caption);
  if (!window) return "no window \"" + caption + "\"";
  RECT r{};
  GetWindowRect(window, &r);
  if (r.right - r.left != w || r.bottom - r.top != h) {
    return (caption.empty() ? std::string("main window") : "\"" + caption + "\"") + " size: expected " + std::to_string(w) + " x " + std::to_string(h) +
           ", seen " + std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
  }
  return {};
}

namespace {
DWORD WINAPI sendEndSessionQuery(void* session) {
  EditorSession& s = *static_cast<EditorSession*>(session);
  // Long enough for any scenario's answer; the runner stops a scenario long before.
  s.endSessionAnswered = SendMessageTimeoutA(s.mainWindow, WM_QUERYENDSESSION, 0,
                                             ENDSESSION_LOGOFF, SMTO_NORMAL, 600000,
                                             &s.endSessionAnswer) != 0;
  return 0;
}

// "yes" or "no" as a message's TRUE or FALSE; -1 for anything else.
int yesNo(const std::string& word) { return word == "yes" ? 1 : word == "no" ? 0 : -1; }
}  // namespace

std::string cmdQueryEndSession(EditorSession& s, ScriptLine& line) {
  Args a(line);
  if (!a.done()) return a.error;
  if (s.endSessionQuery) return "the last query-end-session has no expect-end-session-answer";
  s.endSessionAnswered = false;
  s.endSessionQuery = CreateThread(nullptr, 0, sendEndSessionQuery, &s, 0, nullptr);
  if (!s.endSessionQuery) return "cannot start the thread that asks";
  return {};
}

std::string cmdExpectEndSessionAnswer(EditorSession& s, ScriptLine& line) {
  Args a(line);
  const int expected = yesNo(a.word("yes or no"));
  std::string ms = a.optionalWord();
  long wait = s.timeoutMs;
  if (!ms.empty() && !parseInt(ms, wait)) return "not a time-out: " + ms;
  if (!a.done()) return a.error;
  if (expected < 0) return "expected yes or no";
  if (!s.endSessionQuery) return "no query-end-session before";
  if (WaitForSingleObject(s.endSessionQuery, static_cast<DWORD>(wait)) != WAIT_OBJECT_0)
    return "no answer to WM_QUERYENDSESSION within " + std::to_string(wait) + " ms";
  CloseHandle(s.endSessionQuery);
  s.endSessionQuery = nullptr;
  if (!s.endSessionAnswered) return "the editor did not handle WM_QUERYENDSESSION";
  const int seen = s.endSessionAnswer != 0 ? 1 : 0;
  if (seen != expected) {
    return std::string("WM_QUERYENDSESSION: expected ") + (expected ? "TRUE" : "FALSE") +
           ", the editor answered " + std::to_string(s.endSessionAnswer);
  }
  return {};
}

std::string cmdEndSession(EditorSession& s, ScriptLine& line) {
  Args a(line);
  const int ends = yesNo(a.word("yes or no"));
  if (!a.done()) return a.error;
  if (ends < 0) return "expected yes or no";
  if (!s.send(WM_ENDSESSION, ends, ENDSESSION_LOGOFF))
    return "the editor did not handle WM_ENDSESSION";
  return {};
}
