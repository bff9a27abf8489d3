// Drop-down lists and control texts, in the main window or in a window named by its caption.
#include "commands.h"
#include "window_lookup.h"

namespace {
// "[in WINDOW] ID": the control, or an error text.
std::string findNamedControl(EditorSession& s, Args& a, HWND& control) {
  std::string first = a.word("control id");
  HWND window = s.mainWindow;
  std::string where = "the main window";
  if (first == "in") {
    where = a.word("window");
    window = resolveWindow(s, where);
    if (!window && a.error.empty()) return "no window \"" + where + "\"";
    first = a.word("control id");
  }
  if (!a.error.empty()) return a.error;
  long id = 0;
  if (!parseInt(first, id)) return "not a control id: " + first;
  control = findControl(window, static_cast<int>(id));
  if (!control) return "no control " + first + " in " + where;
  return {};
}

// The common start of a command on one control: its name, then the rest of the line as text
// (`what` names it in a usage error). An error text, or "" with both found.
std::string controlAndText(EditorSession& s, ScriptLine& line, const char* what, HWND& control, std::string& text) {
  Args a(line);
  std::string failed = findNamedControl(s, a, control);
  if (!failed.empty()) return failed;
  text = a.rest(what);
  return a.done() ? std::string() : a.error;
}

// A combo box's or list box's item texts, by its count, length and text messages.
std::vector<std::string> itemTexts(EditorSession& s, HWND control, UINT countMessage, UINT lengthMessage,
                                   UINT textMessage) {
  std::vector<std::string> items;
  DWORD_PTR count = 0;
  if (!s.sendTo(control, countMessage, 0, 0, &count) || static_cast<LONG_PTR>(count) < 0) return items;
  for (DWORD_PTR i = 0; i < count; ++i) {
    DWORD_PTR length = 0;
    s.sendTo(control, lengthMessage, i, 0, &length);
    if (static_cast<LONG_PTR>(length) < 0) length = 0;
    // Workaround: Wine hands the ANSI form of CB_GETLBTEXT and LB_GETTEXT between processes the wide text,
    // twice the bytes the caller expects, so ask for the wide text outright.
    std::wstring wide(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, textMessage, i, reinterpret_cast<LPARAM>(&wide[0]), SMTO_NORMAL,
                        s.timeoutMs, &copied);
    wide.resize(static_cast<LONG_PTR>(copied) < 0 || copied > length ? 0 : copied);
    items.push_back(narrow(wide));
  }
  return items;
}

std::vector<std::string> comboItems(EditorSession& s, HWND combo) {
  return itemTexts(s, combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::string> listBoxItems(EditorSession& s, HWND list) {
  return itemTexts(s, list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

// The first item holding `text`, or -1.
long itemHolding(const std::vector<std::string>& items, const std::string& text) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].find(text) != std::string::npos) return static_cast<long>(i);
  return -1;
}

std::string waitListItem(EditorSession& s, ScriptLine& line, bool present) {
  HWND list = nullptr;
  std::string text;
  if (std::string failed = controlAndText(s, line, "text", list, text); !failed.empty()) return failed;
  std::vector<std::string> items;
  const bool seen = waitFor(s.timeoutMs, [&] {
    items = listBoxItems(s, list);
    return (itemHolding(items, text) >= 0) == present ? list : nullptr;
  });
  if (seen) return {};
  std::string lines;
  for (const std::string& item : items) lines += "\n      " + item;
  return std::string(present ? "no" : "still an") + " list item holding \"" + text + "\" within " +
         std::to_string(s.timeoutMs) + " ms; the items:" + lines;
}

// "TEXT" or "#INDEX" to an item position, or -1.
long itemPosition(const std::vector<std::string>& items, const std::string& wanted) {
  long index = -1;
  if (wanted.size() > 1 && wanted[0] == '#' && parseInt(wanted.substr(1), index)) return index;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == wanted) return static_cast<long>(i);
  }
  return -1;
}

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) text += (i ? "|" : "") + items[i];
  return text;
}
}  // namespace

std::string cmdSelect(EditorSession& s, ScriptLine& line) {
  HWND combo = nullptr;
  std::string wanted;
  if (std::string failed = controlAndText(s, line, "item", combo, wanted); !failed.empty()) return failed;
  std::vector<std::string> items = comboItems(s, combo);
  long index = itemPosition(items, wanted);
  if (index < 0 || index >= static_cast<long>(items.size())) {
    return "no item \"" + wanted + "\" among " + joined(items);
  }
  // What a user's choice in the list amounts to: the new selection, then CBN_SELCHANGE to the
  // list's parent. Both are sent, so the editor has handled them when this returns.
  int id = GetDlgCtrlID(combo);
  if (!s.sendTo(combo, CB_SETCURSEL, index, 0) ||
      !s.sendTo(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(combo))) {
    return "the editor did not handle the selection within " + std::to_string(s.timeoutMs) + " ms";
  }
  return {};
}

std::string cmdExpectComboItems(EditorSession& s, ScriptLine& line) {
  HWND combo = nullptr;
  std::string expected;
  if (std::string failed = controlAndText(s, line, "items", combo, expected); !failed.empty()) return failed;
  std::vector<std::string> items = comboItems(s, combo);
  std::string seen = joined(items);
  if (seen == expected) return {};
  std::string diff = "items: expected \"" + expected + "\"\n      seen     \"" + seen + "\"";
  return diff;
}

std::string cmdExpectListItems(EditorSession& s, ScriptLine& line) {
  Args a(line);
  HWND list = nullptr;
  std::string failed = findNamedControl(s, a, list);
  if (!failed.empty()) return failed;
  std::string expected = line.atEnd() ? std::string() : a.rest("items");
  if (!a.done()) return a.error;
  std::string seen = joined(listBoxItems(s, list));
  if (seen == expected) return {};
  return "items: expected \"" + expected + "\"\n      seen     \"" + seen + "\"";
}

std::string cmdExpectComboCount(EditorSession& s, ScriptLine& line) {
  Args a(line);
  HWND combo = nullptr;
  std::string failed = findNamedControl(s, a, combo);
  if (!failed.empty()) return failed;
  long expected = a.number("count");
  if (!a.done()) return a.error;
  long seen = static_cast<long>(comboItems(s, combo).size());
  if (seen != expected) {
    return "item count: expected " + std::to_string(expected) + ", seen " + std::to_string(seen);
  }
  return {};
}

std::string cmdExpectComboSelection(EditorSession& s, ScriptLine& line) {
  HWND combo = nullptr;
  std::string wanted;
  if (std::string failed = controlAndText(s, line, "item", combo, wanted); !failed.empty()) return failed;
  std::vector<std::string> items = comboItems(s, combo);
  DWORD_PTR selected = 0;
  s.sendTo(combo, CB_GETCURSEL, 0, 0, &selected);
  long index = static_cast<long>(static_cast<LONG_PTR>(selected));
  long expected = itemPosition(items, wanted);
  if (index == expected && index >= 0) return {};
  std::string seen = index >= 0 && index < static_cast<long>(items.size())
                         ? "#" + std::to_string(index) + " \"" + items[index] + "\""
                         : "no selection";
  return "selection: expected \"" + wanted + "\", seen " + seen;
}

std::string cmdExpectText(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string window = a.word("window");
  long id = a.number("control id");
  std::string expected = a.rest("text");
  if (!a.done()) return a.error;
  HWND w = resolveWindow(s, window);
  if (!w) return "no window \"" + window + "\"";
  HWND control = findControl(w, static_cast<int>(id));
  if (!control) return "no control " + std::to_string(id) + " in \"" + window + "\"";
  std::string seen = windowText(control);
  if (seen != expected) {
    return "text of control " + std::to_string(id) + ": expected \"" + expected + "\", seen \"" +
           seen + "\"";
  }
  return {};
}

std::string cmdSetText(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string window = a.word("window");
  long id = a.number("control id");
  std::string text = line.atEnd() ? std::string() : line.rest();
  if (!a.done()) return a.error;
  HWND w = resolveWindow(s, window);
  if (!w) return "no window \"" + window + "\"";
  HWND control = findControl(w, static_cast<int>(id));
  if (!control) return "no control " + std::to_string(id) + " in \"" + window + "\"";
  // An edit tells its parent with EN_CHANGE, as it does for typing.
  std::wstring wide(text.size() + 1, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                           SMTO_NORMAL, s.timeoutMs, &ignored)) {
    return "the editor did not take the text within " + std::to_string(s.timeoutMs) + " ms";
  }
  return {};
}

std::string cmdWaitListItem(EditorSession& s, ScriptLine& line) { return waitListItem(s, line, true); }

std::string cmdWaitNoListItem(EditorSession& s, ScriptLine& line) { return waitListItem(s, line, false); }

std::string cmdDoubleClickItem(EditorSession& s, ScriptLine& line) {
  HWND list = nullptr;
  std::string text;
  if (std::string failed = controlAndText(s, line, "text", list, text); !failed.empty()) return failed;
  std::vector<std::string> items = listBoxItems(s, list);
  long index = itemHolding(items, text);
  if (index < 0) return "no list item holding \"" + text + "\" among " + joined(items);
  // What a double-click amounts to: the item selected, then LBN_DBLCLK to the list's parent. Both
  // are sent, so the editor has handled them when this returns.
  int id = GetDlgCtrlID(list);
  if (!s.sendTo(list, LB_SETCURSEL, index, 0) ||
      !s.sendTo(GetParent(list), WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(list))) {
    return "the editor did not handle the double-click within " + std::to_string(s.timeoutMs) + " ms";
  }
  return {};
}
