// Settings forms: typing into an edit as a user does, the state of check boxes, and pictures of
// one window (a dialog may reach past the main window).
#include <cstdio>

#include "commands.h"
#include "window_lookup.h"

std::string findFormControl(EditorSession& s, Args& a, HWND& control) {
  std::string window = a.word("window");
  long id = a.number("control id");
  if (!a.error.empty()) return a.error;
  HWND w = resolveWindow(s, window);
  if (!w) return "no window \"" + window + "\"";
  control = findControl(w, static_cast<int>(id));
  if (!control) return "no control " + std::to_string(id) + " in \"" + window + "\"";
  return {};
}

namespace {
std::string late(EditorSession& s) {
  return "the editor did not handle the keys within " + std::to_string(s.timeoutMs) + " ms";
}
}  // namespace

std::string cmdType(EditorSession& s, ScriptLine& line) {
  Args a(line);
  HWND edit = nullptr;
  std::string failed = findFormControl(s, a, edit);
  if (!failed.empty()) return failed;
  std::string text = line.atEnd() ? std::string() : line.rest();
  if (!a.done()) return a.error;
  // What a user does: mark the whole text, then type over it one key at a time; every key
  // changes the text and makes the edit tell its parent (EN_CHANGE). An empty TEXT is a
  // Backspace over the marked text. Sent, so the editor has handled each key on return.
  if (!s.sendTo(edit, EM_SETSEL, 0, -1)) return late(s);
  if (text.empty()) return s.sendTo(edit, WM_CHAR, VK_BACK, 1) ? std::string() : late(s);
  for (unsigned char c : text) {
    if (!s.sendTo(edit, WM_CHAR, c, 1)) return late(s);
  }
  return {};
}

std::string cmdExpectChecked(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string window = a.word("window");
  std::string states = a.rest("states");
  if (!a.done()) return a.error;
  HWND w = resolveWindow(s, window);
  if (!w) return "no window \"" + window + "\"";
  // "ID=on|off ..." : every box named, so a scenario states a whole row of boxes at once.
  std::string mismatches;
  ScriptLine list(states);
  std::string item;
  while (list.next(item)) {
    size_t eq = item.find('=');
    long id = 0;
    std::string want = eq == std::string::npos ? "" : item.substr(eq + 1);
    if (eq == std::string::npos || !parseInt(item.substr(0, eq), id) ||
        (want != "on" && want != "off")) {
      return "not ID=on|off: " + item;
    }
    HWND box = findControl(w, static_cast<int>(id));
    if (!box) return "no control " + std::to_string(id) + " in \"" + window + "\"";
    DWORD_PTR state = 0;
    if (!s.sendTo(box, BM_GETCHECK, 0, 0, &state)) return late(s);
    std::string seen = state == BST_CHECKED ? "on" : state == BST_UNCHECKED ? "off" : "other";
    if (seen != want) mismatches += " " + std::to_string(id) + " is " + seen + " (expected " + want + ")";
  }
  if (!mismatches.empty()) return "check boxes:" + mismatches;
  return {};
}

std::string cmdScreenshotWindow(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string name = a.word("picture name");
  std::string caption = a.rest("window");
  if (!a.done()) return a.error;
  HWND w = resolveWindow(s, caption);
  if (!w) return "no window \"" + caption + "\"";
  return takeWindowPicture(s, w, name);
}

std::string cmdClickButton(EditorSession& s, ScriptLine& line) {
  Args a(line);
  HWND button = nullptr;
  std::string failed = findFormControl(s, a, button);
  if (!failed.empty()) return failed;
  if (!a.done()) return a.error;
  if (!IsWindowEnabled(button)) return "the button is disabled";
  // A click's notification, sent rather than posted: when this returns the editor has handled
  // it, so the next line sees its outcome even while other windows share the caption. Only for
  // buttons that start no modal loop (`press` is for those).
  if (!s.sendTo(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                reinterpret_cast<LPARAM>(button))) {
    return "the editor did not handle the click within " + std::to_string(s.timeoutMs) + " ms";
  }
  return {};
}
