// The keyboard as a user has it: keys go through the system's input queue (SendInput) to the
// editor's focus, so its accelerators, dialog keys and modifiers work as they do for a person.
// Input is handled when the editor gets to it, so a scenario waits for what the keys do
// (the focus moving, a text appearing) before it looks at anything.
#include <cctype>
#include <vector>

#include "commands.h"
#include "window_lookup.h"

namespace {

struct KeyName {
  const char* name;
  WORD key;
};

const KeyName kKeys[] = {
    {"tab", VK_TAB},     {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"delete", VK_DELETE},
    {"left", VK_LEFT},   {"right", VK_RIGHT},  {"up", VK_UP},      {"down", VK_DOWN},
    {"f1", VK_F1},       {"f10", VK_F10},      {"space", VK_SPACE}, {"alt", VK_MENU},
};

INPUT keyInput(WORD key, WORD unicode, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = key;
  in.ki.wScan = unicode;
  in.ki.dwFlags = (unicode ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
  return in;
}

// "ctrl+shift+s": the modifiers down, the key down and up, the modifiers up. False for a name
// that is no key.
bool addChord(const std::string& chord, std::vector<INPUT>& inputs) {
  std::vector<WORD> modifiers;
  std::string rest = chord;
  for (;;) {
    size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 == rest.size()) break;
    std::string modifier = rest.substr(0, plus);
    if (modifier == "ctrl") modifiers.push_back(VK_CONTROL);
    else if (modifier == "shift") modifiers.push_back(VK_SHIFT);
    else if (modifier == "alt") modifiers.push_back(VK_MENU);
    else return false;
    rest = rest.substr(plus + 1);
  }
  WORD key = 0;
  for (const KeyName& k : kKeys) {
    if (rest == k.name) key = k.key;
  }
  if (key == 0 && rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
    key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(rest[0])));
  }
  if (key == 0) return false;
  for (WORD m : modifiers) inputs.push_back(keyInput(m, 0, false));
  inputs.push_back(keyInput(key, 0, false));
  inputs.push_back(keyInput(key, 0, true));
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) inputs.push_back(keyInput(*m, 0, true));
  return true;
}

std::string sendInputs(EditorSession& s, std::vector<INPUT>& inputs) {
  // The keys go to the foreground window's focus: the editor's, not the console's.
  HWND foreground = GetForegroundWindow();
  DWORD owner = 0;
  if (foreground) GetWindowThreadProcessId(foreground, &owner);
  if (owner != s.processId) SetForegroundWindow(s.mainWindow);
  UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) return "SendInput took " + std::to_string(sent) + " of " + std::to_string(inputs.size()) + " key events";
  return {};
}

// The editor's focus window, or null.
HWND editorFocus(EditorSession& s) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(s.mainWindow, nullptr);
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace

std::string cmdKeys(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string chords = a.rest("keys");
  if (!a.done()) return a.error;
  std::vector<INPUT> inputs;
  ScriptLine list(chords);
  std::string chord;
  while (list.next(chord)) {
    if (!addChord(chord, inputs)) return "not a key: " + chord;
  }
  return sendInputs(s, inputs);
}

std::string cmdTypeKeys(EditorSession& s, ScriptLine& line) {
  std::string text = line.atEnd() ? std::string() : line.rest();
  if (text.empty()) return "missing argument: text";
  std::vector<INPUT> inputs;
  for (unsigned char c : text) {
    inputs.push_back(keyInput(0, c, false));
    inputs.push_back(keyInput(0, c, true));
  }
  return sendInputs(s, inputs);
}

std::string cmdWaitFocus(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string window = a.word("window");
  long id = a.number("control id");
  if (!a.done()) return a.error;
  HWND w = resolveWindow(s, window);
  if (!w) return "no window \"" + window + "\"";
  HWND control = window == "main" && id == 0 ? w : findControl(w, static_cast<int>(id));
  if (!control) return "no control " + std::to_string(id) + " in \"" + window + "\"";
  if (!waitFor(s.timeoutMs, [&] { return editorFocus(s) == control ? control : nullptr; })) {
    HWND focus = editorFocus(s);
    return "the focus did not reach control " + std::to_string(id) + " within " +
           std::to_string(s.timeoutMs) + " ms; it is on " +
           (focus ? windowClass(focus) + " " + std::to_string(GetDlgCtrlID(focus)) : "nothing");
  }
  return {};
}

std::string cmdWaitText(EditorSession& s, ScriptLine& line) {
  Args a(line);
  HWND control = nullptr;
  std::string failed = findFormControl(s, a, control);
  if (!failed.empty()) return failed;
  std::string expected = a.rest("text");
  if (!a.done()) return a.error;
  if (!waitFor(s.timeoutMs, [&] { return windowText(control) == expected ? control : nullptr; })) {
    return "text of control " + std::to_string(GetDlgCtrlID(control)) + ": expected \"" + expected + "\" within " +
           std::to_string(s.timeoutMs) + " ms, seen \"" + windowText(control) + "\"";
  }
  return {};
}
