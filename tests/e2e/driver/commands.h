#pragma once
// The scenario commands. Each takes the rest of its line and answers an empty text when it
// passed, or what it expected and what it saw.
#include <string>
#include <vector>

#include "editor_session.h"
#include "script_line.h"

using CommandRun = std::string (*)(EditorSession&, ScriptLine&);

struct Command {
  const char* name;
  const char* usage;
  CommandRun run;
};

const Command* findCommand(const std::string& name);
void printCommandList();

// Reading arguments: each sets `error` (if still empty) when the argument is missing or bad.
struct Args {
  explicit Args(ScriptLine& l) : line(l) {}
  ScriptLine& line;
  std::string error;
  std::string word(const char* what);
  long number(const char* what);
  std::string optionalWord();
  std::string rest(const char* what);
  bool done();  // sets error when unexpected arguments are left
};

// Reads "WINDOW ID" and finds that control; an error text when it cannot.
std::string findFormControl(EditorSession& s, Args& a, HWND& control);

// A window named in a scenario: `main` for the main window, else a caption (a top-level window
// of the editor, or a window inside the main window, such as a child dialog).
HWND resolveWindow(EditorSession& s, const std::string& name);
// Waits until `found()` returns a window or the time-out passes.
template <typename Find>
HWND waitFor(DWORD timeoutMs, Find found) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND w = found()) return w;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

// Process and main window (commands_process.cpp)
// Repaints a window and asks the runner for a picture of its rectangle, named NAME.png.
std::string takeWindowPicture(EditorSession& s, HWND w, const std::string& name);
// Waits for the runner's answer to a request printed as an @@ line: the file `doneFile` in the
// working directory, which it then removes. Empty text when answered.
std::string waitForRunner(const std::string& doneFile, const std::string& task);
std::string cmdStart(EditorSession&, ScriptLine&);
std::string cmdAttach(EditorSession&, ScriptLine&);
std::string cmdExpectExit(EditorSession&, ScriptLine&);
std::string cmdClose(EditorSession&, ScriptLine&);
std::string cmdMenu(EditorSession&, ScriptLine&);
std::string cmdCommand(EditorSession&, ScriptLine&);
std::string cmdSleep(EditorSession&, ScriptLine&);
std::string cmdSettle(EditorSession&, ScriptLine&);
std::string cmdWaitUntil(EditorSession&, ScriptLine&);
std::string cmdTimeout(EditorSession&, ScriptLine&);
std::string cmdScreenshot(EditorSession&, ScriptLine&);
std::string cmdExpectCaption(EditorSession&, ScriptLine&);
std::string cmdExpectWindowSize(EditorSession&, ScriptLine&);
std::string cmdQueryEndSession(EditorSession&, ScriptLine&);
std::string cmdExpectEndSessionAnswer(EditorSession&, ScriptLine&);
std::string cmdEndSession(EditorSession&, ScriptLine&);

// Mouse and gauge views (commands_views.cpp)
std::string cmdMouseMove(EditorSession&, ScriptLine&);
std::string cmdClickLeft(EditorSession&, ScriptLine&);
std::string cmdClickRight(EditorSession&, ScriptLine&);
std::string cmdClickGrid(EditorSession&, ScriptLine&);
std::string cmdLeftDown(EditorSession&, ScriptLine&);
std::string cmdDragTo(EditorSession&, ScriptLine&);
std::string cmdLeftUp(EditorSession&, ScriptLine&);
std::string cmdDragLeft(EditorSession&, ScriptLine&);
std::string cmdExpectPreviews(EditorSession&, ScriptLine&);
std::string cmdExpectViewCount(EditorSession&, ScriptLine&);
std::string cmdExpectPlacedCount(EditorSession&, ScriptLine&);
std::string cmdExpectView(EditorSession&, ScriptLine&);
std::string cmdExpectNoView(EditorSession&, ScriptLine&);
std::string cmdExpectGhost(EditorSession&, ScriptLine&);
std::string cmdListWindows(EditorSession&, ScriptLine&);

// Selectors and control texts (commands_controls.cpp)
std::string cmdSelect(EditorSession&, ScriptLine&);
std::string cmdExpectComboItems(EditorSession&, ScriptLine&);
std::string cmdExpectListItems(EditorSession&, ScriptLine&);
std::string cmdExpectComboCount(EditorSession&, ScriptLine&);
std::string cmdExpectComboSelection(EditorSession&, ScriptLine&);
std::string cmdExpectText(EditorSession&, ScriptLine&);
std::string cmdSetText(EditorSession&, ScriptLine&);
std::string cmdWaitListItem(EditorSession&, ScriptLine&);
std::string cmdWaitNoListItem(EditorSession&, ScriptLine&);
std::string cmdDoubleClickItem(EditorSession&, ScriptLine&);

// Dialogs and message boxes (commands_dialogs.cpp)
std::string cmdWaitWindow(EditorSession&, ScriptLine&);
std::string cmdWaitGone(EditorSession&, ScriptLine&);
std::string cmdWaitDisabled(EditorSession&, ScriptLine&);
std::string cmdExpectNoWindow(EditorSession&, ScriptLine&);
std::string cmdExpectBoxText(EditorSession&, ScriptLine&);
std::string cmdPress(EditorSession&, ScriptLine&);
std::string cmdExpectOwner(EditorSession&, ScriptLine&);
std::string cmdAnswer(EditorSession&, ScriptLine&);
std::string cmdScrollWindow(EditorSession&, ScriptLine&);
std::string cmdExpectReachable(EditorSession&, ScriptLine&);
std::string cmdWheel(EditorSession&, ScriptLine&);
std::string cmdExpectAfterWheel(EditorSession&, ScriptLine&);

// The keyboard through the system's input queue, and waits for what keys do (commands_keys.cpp)
std::string cmdKeys(EditorSession&, ScriptLine&);
std::string cmdTypeKeys(EditorSession&, ScriptLine&);
std::string cmdWaitFocus(EditorSession&, ScriptLine&);
std::string cmdWaitText(EditorSession&, ScriptLine&);

// Typing into edits and check-box states (commands_forms.cpp)
std::string cmdType(EditorSession&, ScriptLine&);
std::string cmdExpectChecked(EditorSession&, ScriptLine&);
std::string cmdScreenshotWindow(EditorSession&, ScriptLine&);
std::string cmdClickButton(EditorSession&, ScriptLine&);

// File choosers and files in the work directory (commands_files.cpp). Every argument may name
// the work directory as $WORK (its Windows path, as the editor sees it).
std::string cmdChooseFile(EditorSession&, ScriptLine&);
std::string cmdCancelChooser(EditorSession&, ScriptLine&);
std::string cmdExpectChooserName(EditorSession&, ScriptLine&);
std::string cmdExpectFile(EditorSession&, ScriptLine&);
std::string cmdExpectNoFile(EditorSession&, ScriptLine&);
std::string cmdExpectFileBytes(EditorSession&, ScriptLine&);
std::string cmdExpectFileSame(EditorSession&, ScriptLine&);
std::string cmdWriteFile(EditorSession&, ScriptLine&);
std::string cmdWriteText(EditorSession&, ScriptLine&);
std::string cmdCopyFile(EditorSession&, ScriptLine&);
std::string cmdPatchFile(EditorSession&, ScriptLine&);
std::string cmdExpectBoxContains(EditorSession&, ScriptLine&);
std::string cmdCloseWindow(EditorSession&, ScriptLine&);
std::string cmdWaitFile(EditorSession&, ScriptLine&);
// A file's whole content; false when it cannot be read.
bool readFile(const std::string& path, std::vector<unsigned char>& bytes);
// The file commands, which need no running editor (before start, after its exit).
bool worksWithoutEditor(const std::string& command);

// Pictures the editor wrote, read through the runner (commands_pictures.cpp).
std::string cmdExpectPictureBits(EditorSession&, ScriptLine&);

// The editor's life on a Windows desk: kept settings, dropped files, caption, scrolling.
std::string cmdPreviewScale(EditorSession& s, ScriptLine& line);
std::string cmdForgetSettings(EditorSession& s, ScriptLine& line);
std::string cmdSetSetting(EditorSession& s, ScriptLine& line);
std::string cmdExpectSetting(EditorSession& s, ScriptLine& line);
std::string cmdDropFiles(EditorSession& s, ScriptLine& line);
std::string cmdScrollMain(EditorSession& s, ScriptLine& line);
std::string cmdExpectMainReachable(EditorSession& s, ScriptLine& line);
std::string cmdDpiChanged(EditorSession& s, ScriptLine& line);
std::string cmdWaitCaption(EditorSession& s, ScriptLine& line);
