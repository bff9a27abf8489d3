#include <cstdio>

#include "commands.h"
#include "window_lookup.h"

namespace {
const Command kCommands[] = {
    {"start", "start [ARGUMENT]            run the editor (with one argument), wait for its main window", cmdStart},
    {"preview-scale", "preview-scale N             the previews show a display pixel as N x N (2)",
     cmdPreviewScale},
    {"forget-settings", "forget-settings             remove everything the editor keeps in the registry",
     cmdForgetSettings},
    {"set-setting", "set-setting NAME TEXT       one of the editor's kept values (REG_SZ)", cmdSetSetting},
    {"expect-setting", "expect-setting NAME [TEXT]  a kept value reads TEXT (none: it is absent)",
     cmdExpectSetting},
    {"drop-files", "drop-files PATH [| PATH...] files dropped on the main window (WM_DROPFILES)",
     cmdDropFiles},
    {"wait-caption", "wait-caption TEXT           wait until the main window's caption is TEXT",
     cmdWaitCaption},
    {"scroll-main", "scroll-main horizontal|vertical top|bottom  the main window's scroll bar",
     cmdScrollMain},
    {"expect-main-reachable", "expect-main-reachable       every shown control of the main window scrolls whole into view",
     cmdExpectMainReachable},
    {"dpi-changed", "dpi-changed DPI             tell the main window it is now on a screen of that DPI",
     cmdDpiChanged},
    {"attach", "attach                      take the running editor's main window", cmdAttach},
    {"expect-exit", "expect-exit CODE [MS]       wait for the editor to end with CODE",
     cmdExpectExit},
    {"close", "close                       the close box (WM_SYSCOMMAND SC_CLOSE, posted)",
     cmdClose},
    {"menu", "menu ID|NAME                post the menu command (e.g. IDM_EXIT or 40005)",
     cmdMenu},
    {"command", "command ID|NAME             send the menu command, return once handled (no modal)",
     cmdCommand},
    {"sleep", "sleep MS                    wait", cmdSleep},
    {"settle", "settle                      wait until the editor has handled what came before",
     cmdSettle},
    {"wait-until", "wait-until EXPECT-COMMAND... repeat that expect command until it passes or times out",
     cmdWaitUntil},
    {"timeout", "timeout MS                  default time-out of waits from here on",
     cmdTimeout},
    {"screenshot", "screenshot NAME             picture of the main window (build/e2e/NAME.png)",
     cmdScreenshot},
    {"expect-caption", "expect-caption TEXT         the main window's caption", cmdExpectCaption},
    {"expect-window-size", "expect-window-size W H [CAPTION]  the outer size of the main window (or that one)",
     cmdExpectWindowSize},
    {"query-end-session",
     "query-end-session           Windows' question before log-off (sent; the editor may ask first)",
     cmdQueryEndSession},
    {"expect-end-session-answer",
     "expect-end-session-answer yes|no [MS]  wait for its answer: yes lets the session end",
     cmdExpectEndSessionAnswer},
    {"end-session", "end-session yes|no          WM_ENDSESSION: the session ends, or not after all",
     cmdEndSession},
    {"mouse-move", "mouse-move X Y              WM_MOUSEMOVE at client (X, Y)", cmdMouseMove},
    {"click-left", "click-left [X Y]            left button down and up (default: last move)",
     cmdClickLeft},
    {"click-grid", "click-grid X Y DX DY COLUMNS ROWS  mouse-move and click-left at each point",
     cmdClickGrid},
    {"click-right", "click-right [X Y]           right button down and up", cmdClickRight},
    {"drag-left", "drag-left X Y TO_X TO_Y     left button down, moves with it held, up at TO",
     cmdDragLeft},
    {"left-down", "left-down X Y               mouse move and left button down there", cmdLeftDown},
    {"drag-to", "drag-to X Y                 mouse move with the left button held", cmdDragTo},
    {"left-up", "left-up X Y                 left button up there (may be outside the window)",
     cmdLeftUp},
    {"expect-previews", "expect-previews             four visible page previews with a bitmap",
     cmdExpectPreviews},
    {"expect-view-count", "expect-view-count N         gauge views, the ghost included",
     cmdExpectViewCount},
    {"expect-placed-count", "expect-placed-count N       gauge views without the ghost",
     cmdExpectPlacedCount},
    {"expect-view", "expect-view X Y W H [visible|hidden]  a placed gauge's view there",
     cmdExpectView},
    {"expect-no-view", "expect-no-view X Y          no placed gauge's view has its corner there",
     cmdExpectNoView},
    {"expect-ghost", "expect-ghost X Y [W H] [visible|hidden]  the ghost's view", cmdExpectGhost},
    {"list-windows", "list-windows                print the main window's children",
     cmdListWindows},
    {"select", "select ID TEXT|#INDEX       choose a combo item and notify the parent",
     cmdSelect},
    {"expect-combo-items", "expect-combo-items ID A|B|C every item, in order",
     cmdExpectComboItems},
    {"expect-list-items", "expect-list-items [in WINDOW] ID A|B|C  a list box's items, in order (none: empty)",
     cmdExpectListItems},
    {"expect-combo-count", "expect-combo-count ID N     the number of items", cmdExpectComboCount},
    {"expect-combo-selection", "expect-combo-selection ID TEXT|#INDEX  the selected item",
     cmdExpectComboSelection},
    {"expect-text", "expect-text WINDOW ID TEXT  a control's text (WINDOW: main or a caption)",
     cmdExpectText},
    {"set-text", "set-text WINDOW ID TEXT     set a control's text (WM_SETTEXT)", cmdSetText},
    {"wait-window", "wait-window CAPTION [MS]    wait for a top-level window of the editor",
     cmdWaitWindow},
    {"wait-gone", "wait-gone CAPTION [MS]      wait until that window (found now or before) is gone",
     cmdWaitGone},
    {"wait-disabled", "wait-disabled CAPTION [MS]  wait until that window refuses input (a transfer runs)",
     cmdWaitDisabled},
    {"expect-no-window", "expect-no-window CAPTION    no such window is shown",
     cmdExpectNoWindow},
    {"expect-box-text", "expect-box-text CAPTION TEXT  a label of that window reads TEXT",
     cmdExpectBoxText},
    {"expect-owner", "expect-owner CAPTION main|none  the window's owner", cmdExpectOwner},
    {"press", "press CAPTION BUTTON        press a button (text or id) of that window",
     cmdPress},
    {"answer", "answer CAPTION BUTTON       press, then wait until the window is gone",
     cmdAnswer},
    {"scroll-window", "scroll-window CAPTION vertical|horizontal top|bottom  that window's own scroll bar",
     cmdScrollWindow},
    {"wheel", "wheel CAPTION ID up|down [hovered]  pointer over the control, one wheel notch posted to the focus (hovered: to the control)",
     cmdWheel},
    {"expect-after-wheel", "expect-after-wheel scrolled|still  the control the last wheel pointed at has moved with the wheel, or not",
     cmdExpectAfterWheel},
    {"expect-reachable", "expect-reachable CAPTION BUTTON  the control lies whole in the window's client area and on the screen",
     cmdExpectReachable},
    {"type", "type WINDOW ID TEXT          mark an edit's text and type TEXT over it, key by key",
     cmdType},
    {"keys", "keys KEY...                 keys through the input queue: tab, shift+tab, ctrl+s, f1, down...",
     cmdKeys},
    {"type-keys", "type-keys TEXT              characters through the input queue",
     cmdTypeKeys},
    {"wait-focus", "wait-focus WINDOW ID         wait until the editor's focus is that control (main 0: the main window)",
     cmdWaitFocus},
    {"wait-text", "wait-text WINDOW ID TEXT     wait until a control's text is TEXT", cmdWaitText},
    {"expect-checked", "expect-checked WINDOW ID=on|off ...  the state of each check box",
     cmdExpectChecked},
    {"screenshot-window", "screenshot-window NAME CAPTION  picture of that window (build/e2e/NAME.png)",
     cmdScreenshotWindow},
    {"click-button", "click-button WINDOW ID       a button's click, handled when this returns",
     cmdClickButton},
    {"choose-file", "choose-file CAPTION PATH    type PATH into that file chooser, press OK",
     cmdChooseFile},
    {"cancel-chooser", "cancel-chooser CAPTION      press Cancel in that file chooser",
     cmdCancelChooser},
    {"expect-chooser-name", "expect-chooser-name CAPTION TEXT  the chooser's file name field",
     cmdExpectChooserName},
    {"expect-file", "expect-file PATH SIZE       the file exists with SIZE bytes", cmdExpectFile},
    {"expect-no-file", "expect-no-file PATH         no such file (* and ? match any)", cmdExpectNoFile},
    {"expect-file-bytes", "expect-file-bytes PATH OFFSET HEX  the bytes at OFFSET",
     cmdExpectFileBytes},
    {"expect-file-same", "expect-file-same A B        two files with the same bytes",
     cmdExpectFileSame},
    {"write-file", "write-file PATH HEX         make a file of these bytes", cmdWriteFile},
    {"write-text", "write-text PATH TEXT         make a text file (\\n, \\r, \\t, \\\\ escapes)",
     cmdWriteText},
    {"copy-file", "copy-file SRC DST [N]       copy a file (only its first N bytes)",
     cmdCopyFile},
    {"patch-file", "patch-file PATH OFFSET HEX  overwrite bytes of a file", cmdPatchFile},
    {"expect-box-contains", "expect-box-contains CAPTION TEXT  a label of that window holds TEXT",
     cmdExpectBoxContains},
    {"close-window", "close-window CAPTION        the close box of that top-level window",
     cmdCloseWindow},
    {"wait-file", "wait-file PATH SIZE [MS]    wait until the file exists with SIZE bytes",
     cmdWaitFile},
    {"wait-list-item", "wait-list-item [in WINDOW] ID TEXT  wait until a list box item holds TEXT",
     cmdWaitListItem},
    {"wait-no-list-item", "wait-no-list-item [in WINDOW] ID TEXT  wait until no list box item holds TEXT",
     cmdWaitNoListItem},
    {"double-click-item", "double-click-item [in WINDOW] ID TEXT  select the first list box item holding TEXT, LBN_DBLCLK",
     cmdDoubleClickItem},
    {"expect-picture-bits",
     "expect-picture-bits PNG W H FILE OFFSET  black and white; dark pixels are FILE's bits there",
     cmdExpectPictureBits},
};
}  // namespace

const Command* findCommand(const std::string& name) {
  for (const Command& c : kCommands) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

void printCommandList() {
  for (const Command& c : kCommands) std::printf("  %s\n", c.usage);
}

std::string Args::word(const char* what) {
  std::string w;
  if (!line.next(w) && error.empty()) error = std::string("missing argument: ") + what;
  return w;
}

long Args::number(const char* what) {
  std::string w = word(what);
  long value = 0;
  if (!w.empty() && !parseInt(w, value) && error.empty()) {
    error = std::string("not a number for ") + what + ": " + w;
  }
  return value;
}

std::string Args::optionalWord() {
  std::string w;
  line.next(w);
  return w;
}

std::string Args::rest(const char* what) {
  if (line.atEnd()) {
    if (error.empty()) error = std::string("missing argument: ") + what;
    return {};
  }
  return line.rest();
}

bool Args::done() {
  if (!line.atEnd() && error.empty()) error = "unexpected arguments: " + line.rest();
  return error.empty();
}

HWND resolveWindow(EditorSession& s, const std::string& name) {
  if (name == "main") return s.mainWindow;
  HWND w = findTopLevelByCaption(s.processId, name);
  if (!w && s.mainWindow) w = findDescendantByCaption(s.mainWindow, name);
  if (w) s.found[name] = w;
  return w;
}
