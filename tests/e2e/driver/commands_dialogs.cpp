// Message boxes and dialogs: waiting for them, reading them and pressing their buttons.
#include "commands.h"
#include "window_lookup.h"

namespace {
long optionalTimeout(EditorSession& s, Args& a) {
  std::string ms = a.optionalWord();
  long value = s.timeoutMs;
  if (!ms.empty() && !parseInt(ms, value) && a.error.empty()) a.error = "not a time-out: " + ms;
  return value;
}

// The caption that starts a line: a quoted text, or else the longest run of leading words that
// names a window the editor shows (so `press Upload Confirm Proceed` needs no quotes). With
// `whole`, every word left is the caption, except a trailing number, which is a time-out.
std::string takeCaption(EditorSession& s, ScriptLine& line, bool whole) {
  if (line.atEnd()) return {};
  std::string rest = line.rest();
  std::string caption;
  if (rest[0] == '"') {
    ScriptLine quoted(rest);
    quoted.next(caption);
    line = ScriptLine(quoted.rest());
    return caption;
  }
  std::vector<size_t> ends;  // where each word ends
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != ' ' && (i + 1 == rest.size() || rest[i + 1] == ' ')) ends.push_back(i + 1);
  }
  size_t take = whole ? ends.size() : 1;
  if (whole && ends.size() > 1) {
    size_t lastStart = rest.find_last_of(' ') + 1;
    long ignored = 0;
    if (parseInt(rest.substr(lastStart), ignored)) take = ends.size() - 1;
  } else if (!whole) {
    for (size_t k = ends.size() - 1; k >= 1; --k) {
      if (resolveWindow(s, rest.substr(0, ends[k - 1]))) {
        take = k;
        break;
      }
    }
  }
  caption = rest.substr(0, ends[take - 1]);
  line = ScriptLine(rest.substr(ends[take - 1]));
  return caption;
}

// Waits until the window is destroyed or hidden; false when it is still shown after timeoutMs.
bool waitUntilGone(HWND window, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

std::string shownWindows(EditorSession& s) {
  std::string text;
  for (HWND w : topLevelWindows(s.processId)) text += " \"" + windowText(w) + "\"";
  return text.empty() ? " none" : text;
}
}  // namespace

std::string cmdWaitWindow(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, true);
  long ms = optionalTimeout(s, a);
  if (!a.done()) return a.error;
  auto find = [&] { return resolveWindow(s, caption); };
  HWND found = waitFor(static_cast<DWORD>(ms), find);
  // An editor that does not answer is still busy making the window (a slow or loaded machine):
  // it gets the time-out again, a few times, before the wait fails. Once it answers, what it
  // shows is looked at once more: a caption it was too busy to give counts as found now.
  for (int round = 0; !found && round < 5; ++round) {
    if (s.settle()) {
      found = find();
      break;
    }
    found = waitFor(static_cast<DWORD>(ms), find);
  }
  if (!found) {
    return "no window \"" + caption + "\" within " + std::to_string(ms) +
           " ms; the editor shows:" + shownWindows(s);
  }
  return s.settle() ? std::string() : "the editor does not answer";
}

std::string cmdWaitGone(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, true);
  long ms = optionalTimeout(s, a);
  if (!a.done()) return a.error;
  // The window must have been found, now or by an earlier command (the press that closes it):
  // a busy editor may not answer for its caption, and that must not count as the window being
  // gone. From then on it is followed by its handle.
  HWND window = resolveWindow(s, caption);
  if (!window) {
    auto earlier = s.found.find(caption);
    if (earlier == s.found.end()) {
      return "no window \"" + caption + "\" to wait for; the editor shows:" + shownWindows(s);
    }
    window = earlier->second;
  }
  if (!waitUntilGone(window, static_cast<DWORD>(ms))) {
    return "window \"" + caption + "\" still shown after " + std::to_string(ms) + " ms";
  }
  return {};
}

std::string cmdWaitDisabled(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, true);
  long ms = optionalTimeout(s, a);
  if (!a.done()) return a.error;
  // A window that refuses input: the editor is inside a transfer, which disables its windows.
  HWND window = resolveWindow(s, caption);
  if (!window) return "no window \"" + caption + "\"; the editor shows:" + shownWindows(s);
  if (!waitFor(static_cast<DWORD>(ms), [&] { return IsWindowEnabled(window) ? nullptr : window; }))
    return "window \"" + caption + "\" still takes input after " + std::to_string(ms) + " ms";
  return {};
}

std::string cmdExpectNoWindow(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, true);
  if (!a.done()) return a.error;
  if (resolveWindow(s, caption)) return "window \"" + caption + "\" is shown";
  return {};
}

std::string cmdExpectBoxText(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, false);
  std::string expected = a.rest("text");
  if (!a.done()) return a.error;
  HWND w = resolveWindow(s, caption);
  if (!w) return "no window \"" + caption + "\"; the editor shows:" + shownWindows(s);
  std::string seen;
  for (const std::string& t : staticTexts(w)) {
    if (t == expected) return {};
    seen += " \"" + t + "\"";
  }
  return "text in \"" + caption + "\": expected \"" + expected + "\", seen" +
         (seen.empty() ? " none" : seen);
}

std::string cmdExpectOwner(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, false);
  std::string owner = a.word("owner (main or none)");
  if (!a.done()) return a.error;
  if (owner != "main" && owner != "none") return "owner must be main or none: " + owner;
  HWND w = resolveWindow(s, caption);
  if (!w) return "no window \"" + caption + "\"; the editor shows:" + shownWindows(s);
  HWND seen = GetWindow(w, GW_OWNER);
  HWND expected = owner == "main" ? s.mainWindow : nullptr;
  if (seen == expected) return {};
  std::string seenText = !seen ? "none" : seen == s.mainWindow ? "main" : "\"" + windowText(seen) + "\"";
  return "owner of \"" + caption + "\": expected " + owner + ", seen " + seenText;
}

std::string cmdPress(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, false);
  std::string button = a.rest("button");
  if (!a.done()) return a.error;
  HWND w = resolveWindow(s, caption);
  if (!w) return "no window \"" + caption + "\"; the editor shows:" + shownWindows(s);
  long id = 0;
  HWND b = parseInt(button, id) ? findControl(w, static_cast<int>(id)) : findButtonByText(w, button);
  if (!b) return "no button \"" + button + "\" in \"" + caption + "\"";
  if (!IsWindowEnabled(b)) return "button \"" + button + "\" in \"" + caption + "\" is disabled";
  // Posted like a real click's notification: the press may start a modal loop (a chooser) or a
  // long operation, and the driver must stay free to look at what follows.
  PostMessageA(GetParent(b), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED),
               reinterpret_cast<LPARAM>(b));
  return {};
}

std::string cmdAnswer(EditorSession& s, ScriptLine& line) {
  std::string caption = takeCaption(s, line, false);
  std::string quoted = "\"" + caption + "\" " + line.rest();
  ScriptLine pressLine(quoted);
  std::string failed = cmdPress(s, pressLine);
  if (!failed.empty()) return failed;
  // The press found the window; follow it by its handle, not by a caption the editor may be too
  // busy to tell.
  if (!waitUntilGone(s.found[caption], s.timeoutMs)) {
    return "window \"" + caption + "\" still shown " + std::to_string(s.timeoutMs) +
           " ms after the answer";
  }
  return {};
}

std::string cmdScrollWindow(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, false);
  const std::string bar = a.word("vertical or horizontal");
  const std::string where = a.word("top or bottom");
  if (!a.done()) return a.error;
  if ((bar != "vertical" && bar != "horizontal") || (where != "top" && where != "bottom"))
    return "not vertical|horizontal top|bottom: " + bar + " " + where;
  HWND w = resolveWindow(s, caption);
  if (!w) return "no window \"" + caption + "\"; the editor shows:" + shownWindows(s);
  const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
  if (!(style & (bar == "vertical" ? WS_VSCROLL : WS_HSCROLL))) return "\"" + caption + "\" has no " + bar + " scroll bar";
  if (!s.sendTo(w, bar == "vertical" ? WM_VSCROLL : WM_HSCROLL, where == "bottom" ? SB_BOTTOM : SB_TOP, 0)) {
    return "\"" + caption + "\" did not scroll";
  }
  return {};
}

namespace {
// Where a control stands in its parent's client area.
POINT placeInParent(HWND control) {
  RECT box{};
  GetWindowRect(control, &box);
  POINT at{box.left, box.top};
  ScreenToClient(GetParent(control), &at);
  return at;
}
}  // namespace

std::string cmdWheel(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, false);
  const long id = a.number("control id");
  const std::string way = a.word("up or down");
  const std::string route = a.optionalWord();
  if (!a.done()) return a.error;
  if ((way != "up" && way != "down") || (!route.empty() && route != "hovered"))
    return "not up|down [hovered]: " + way + " " + route;
  HWND w = resolveWindow(s, caption);
  if (!w) return "no window \"" + caption + "\"; the editor shows:" + shownWindows(s);
  HWND control = findControl(w, static_cast<int>(id));
  if (!control) return "no control " + std::to_string(id) + " in \"" + caption + "\"";
  RECT box{};
  GetWindowRect(control, &box);
  const POINT at{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  SetCursorPos(at.x, at.y);
  const int delta = way == "up" ? WHEEL_DELTA : -WHEEL_DELTA;
  s.wheelControl = control;
  s.wheelControlAt = placeInParent(control);
  s.wheelWay = way == "up" ? 1 : -1;
  // Windows and Wine hand a wheel turn to the window with the keyboard focus; Windows, with
  // "scroll inactive windows", to the window under the pointer (hovered). The turn is posted
  // there, so it passes the editor's message loop as a real one does.
  HWND target = control;
  if (route != "hovered") {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(s.mainWindow, nullptr), &info) || !info.hwndFocus)
      return "the editor has no focus window to take the wheel";
    target = info.hwndFocus;
  }
  if (!PostMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.x, at.y)))
    return "the wheel could not be posted";
  return {};
}

std::string cmdExpectAfterWheel(EditorSession& s, ScriptLine& line) {
  Args a(line);
  const std::string what = a.word("scrolled or still");
  if (!a.done()) return a.error;
  if (what != "scrolled" && what != "still") return "not scrolled|still: " + what;
  if (!s.wheelControl || !IsWindow(s.wheelControl)) return "no wheel turned at a control that is still there";
  const POINT now = placeInParent(s.wheelControl);
  const long moved = now.y - s.wheelControlAt.y;
  // Scrolling down (the wheel turned towards the user) moves the contents up.
  const bool scrolled = moved != 0 && (moved > 0) == (s.wheelWay > 0);
  if ((what == "scrolled") == scrolled && (what == "scrolled" || moved == 0)) return {};
  // What decides where a wheel turn goes, for a failure to be read.
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(s.mainWindow, nullptr), &info);
  POINT cursor{};
  GetCursorPos(&cursor);
  HWND under = WindowFromPoint(cursor);
  auto named = [](HWND w) { return w ? windowClass(w) + " " + std::to_string(GetDlgCtrlID(w)) : std::string("nothing"); };
  return "control " + std::to_string(GetDlgCtrlID(s.wheelControl)) + " moved by " + std::to_string(moved) +
         " pixels after the wheel turned " + (s.wheelWay > 0 ? "up" : "down") + ", expected " + what +
         " (the focus is on " + named(info.hwndFocus) + ", the pointer at " + std::to_string(cursor.x) + "," +
         std::to_string(cursor.y) + " over " + named(under) + ")";
}

std::string cmdExpectReachable(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = takeCaption(s, line, false);
  std::string control = a.rest("control");
  if (!a.done()) return a.error;
  HWND w = resolveWindow(s, caption);
  if (!w) return "no window \"" + caption + "\"; the editor shows:" + shownWindows(s);
  long id = 0;
  HWND c = parseInt(control, id) ? findControl(w, static_cast<int>(id)) : findButtonByText(w, control);
  if (!c) return "no control \"" + control + "\" in \"" + caption + "\"";
  // Whole inside what the window shows of its client area, and that part inside the work area
  // of the window's screen, where a mouse can get at it.
  RECT client{};
  GetClientRect(w, &client);
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT shown{};
  IntersectRect(&shown, &client, &monitor.rcWork);
  RECT box{};
  GetWindowRect(c, &box);
  RECT both{};
  IntersectRect(&both, &box, &shown);
  if (!IsWindowVisible(c) || !EqualRect(&both, &box)) {
    auto text = [](const RECT& r) {
      return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
             std::to_string(r.bottom);
    };
    return "\"" + control + "\" in \"" + caption + "\" at " + text(box) + " is not inside the shown " + text(shown);
  }
  return {};
}
