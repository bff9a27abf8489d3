// Mouse work on the main window and the gauge views it produces: the page previews, the placed
// gauges and the ghost that follows the mouse.
//
// Mouse messages are sent, not posted, so the command returns once the editor has handled them:
// a WM_NULL sent after a posted message can overtake it, because a thread takes sent messages
// before posted ones, so it would prove nothing.
#include <cstdio>

#include "commands.h"
#include "window_lookup.h"

namespace {
std::string describeViews(const EditorSession& s) {
  std::vector<ViewInfo> all = s.views();
  ViewInfo g{};
  bool ghostKnown = s.ghost(g).empty();
  std::string text = std::to_string(all.size()) + " views:";
  size_t shown = 0;
  for (const ViewInfo& v : all) {
    if (++shown > 12) {
      text += " ...";
      break;
    }
    const char* role = s.placed.count(v.window) ? " placed "
                       : ghostKnown && g.window == v.window ? " ghost " : " other ";
    text += role + describeRect(v.rect) +
            (v.visible ? " visible;" : " hidden;");
  }
  return text;
}

bool parseState(const std::string& word, int& state) {
  if (word.empty()) state = -1;
  else if (word == "visible") state = 1;
  else if (word == "hidden") state = 0;
  else return false;
  return true;
}

bool sameRect(const RECT& r, long x, long y, long w, long h) {
  return r.left == x && r.top == y && r.right - r.left == w && r.bottom - r.top == h;
}

std::string mouseButton(EditorSession& s, ScriptLine& line, UINT down, UINT up, WPARAM keys) {
  Args a(line);
  POINT at = s.lastMouse;
  std::string x = a.optionalWord();
  if (!x.empty()) {
    long px = 0;
    if (!parseInt(x, px)) return "not a number for x: " + x;
    at.x = px;
    at.y = a.number("y");
  }
  if (!a.done()) return a.error;
  LPARAM where = MAKELPARAM(at.x, at.y);
  if (!s.send(down, keys, where) || !s.send(up, 0, where)) {
    return "the editor did not handle the click within " + std::to_string(s.timeoutMs) + " ms";
  }
  return {};
}

size_t placedAlive(const EditorSession& s) {
  size_t n = 0;
  for (const ViewInfo& v : s.views()) n += s.placed.count(v.window);
  return n;
}
}  // namespace

std::string cmdMouseMove(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long x = a.number("x"), y = a.number("y");
  if (!a.done()) return a.error;
  s.lastMouse = {x, y};
  if (!s.send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y))) {
    return "the editor did not handle the mouse move within " + std::to_string(s.timeoutMs) +
           " ms";
  }
  return {};
}

std::string cmdClickLeft(EditorSession& s, ScriptLine& line) {
  // A placement hands the ghost's view to the placed gauge and makes a new ghost: when a new
  // view appears, the former ghost is a placed gauge from now on.
  ViewInfo oldGhost{};
  bool ghostKnown = s.ghost(oldGhost).empty();
  std::vector<ViewInfo> before = s.views();
  std::string failed = mouseButton(s, line, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  if (!failed.empty()) return failed;
  bool newView = false, ghostAlive = false;
  for (const ViewInfo& v : s.views()) {
    bool existed = false;
    for (const ViewInfo& b : before) existed = existed || b.window == v.window;
    newView = newView || !existed;
    ghostAlive = ghostAlive || (ghostKnown && v.window == oldGhost.window);
  }
  if (newView && ghostAlive) s.placed.insert(oldGhost.window);
  return {};
}

// A drag by the left button: down at the first point, moves with the button held, up at the
// last point (which may lie outside the window: negative or past its size). `left-down` and
// `left-up` split it, so that a picture can be taken while the button is held.
std::string cmdLeftDown(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long x = a.number("x"), y = a.number("y");
  if (!a.done()) return a.error;
  s.lastMouse = {x, y};
  if (!s.send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)) || !s.send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y))) {
    return "the editor did not handle the button within " + std::to_string(s.timeoutMs) + " ms";
  }
  return {};
}

std::string cmdDragTo(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long x = a.number("x"), y = a.number("y");
  if (!a.done()) return a.error;
  s.lastMouse = {x, y};
  if (!s.send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y))) {
    return "the editor did not handle the move within " + std::to_string(s.timeoutMs) + " ms";
  }
  return {};
}

std::string cmdLeftUp(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long x = a.number("x"), y = a.number("y");
  if (!a.done()) return a.error;
  if (!s.send(WM_LBUTTONUP, 0, MAKELPARAM(x, y))) {
    return "the editor did not handle the release within " + std::to_string(s.timeoutMs) + " ms";
  }
  return {};
}

std::string cmdDragLeft(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long x1 = a.number("x"), y1 = a.number("y"), x2 = a.number("to x"), y2 = a.number("to y");
  if (!a.done()) return a.error;
  const std::string from = std::to_string(x1) + " " + std::to_string(y1);
  const std::string to = std::to_string(x2) + " " + std::to_string(y2);
  ScriptLine down(from), middle(std::to_string((x1 + x2) / 2) + " " + std::to_string((y1 + y2) / 2)),
      move(to), up(to);
  std::string failed = cmdLeftDown(s, down);
  if (failed.empty()) failed = cmdDragTo(s, middle);
  if (failed.empty()) failed = cmdDragTo(s, move);
  if (failed.empty()) failed = cmdLeftUp(s, up);
  return failed;
}

std::string cmdClickGrid(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long x0 = a.number("x"), y0 = a.number("y"), dx = a.number("x step"), dy = a.number("y step");
  long columns = a.number("columns"), rows = a.number("rows");
  if (!a.done()) return a.error;
  for (long row = 0; row < rows; ++row) {
    for (long column = 0; column < columns; ++column) {
      std::string at = std::to_string(x0 + column * dx) + " " + std::to_string(y0 + row * dy);
      ScriptLine move(at), click("");
      std::string failed = cmdMouseMove(s, move);
      if (failed.empty()) failed = cmdClickLeft(s, click);
      if (!failed.empty()) return "at " + at + ": " + failed;
    }
  }
  return {};
}

std::string cmdClickRight(EditorSession& s, ScriptLine& line) {
  std::string failed = mouseButton(s, line, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  std::set<HWND> alive;
  for (const ViewInfo& v : s.views()) {
    if (s.placed.count(v.window)) alive.insert(v.window);
  }
  s.placed = alive;
  return failed;
}

std::string cmdExpectPreviews(EditorSession& s, ScriptLine& line) {
  Args a(line);
  if (!a.done()) return a.error;
  std::string missing = s.findPreviews();
  if (!missing.empty()) return missing;
  for (int page = 0; page < 4; ++page) {
    HWND p = s.previews[page];
    LONG style = GetWindowLongA(p, GWL_STYLE);
    std::string which = "page preview " + std::to_string(page);
    if (!IsWindowVisible(p)) return which + " is hidden";
    if (!(style & WS_CHILD)) return which + " is not a child window";
    if (GetDlgCtrlID(p) != 0) return which + " has control id " + std::to_string(GetDlgCtrlID(p));
    DWORD_PTR image = 0;
    if (!s.sendTo(p, STM_GETIMAGE, IMAGE_BITMAP, 0, &image) || image == 0) {
      return which + " shows no bitmap";
    }
  }
  return {};
}

std::string cmdExpectViewCount(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long n = a.number("count");
  if (!a.done()) return a.error;
  if (static_cast<long>(s.views().size()) != n) {
    return "gauge views (ghost included): expected " + std::to_string(n) + ", seen " +
           describeViews(s);
  }
  return {};
}

std::string cmdExpectPlacedCount(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long n = a.number("count");
  if (!a.done()) return a.error;
  if (static_cast<long>(placedAlive(s)) != n) {
    return "placed gauges: expected " + std::to_string(n) + ", seen " +
           std::to_string(placedAlive(s)) + "; " + describeViews(s);
  }
  return {};
}

std::string cmdExpectView(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long x = a.number("x"), y = a.number("y"), w = a.number("width"), h = a.number("height");
  int state = 1;
  std::string word = a.optionalWord();
  if (!parseState(word.empty() ? "visible" : word, state)) return "not a view state: " + word;
  if (!a.done()) return a.error;
  for (const ViewInfo& v : s.views()) {
    if (s.placed.count(v.window) && sameRect(v.rect, x, y, w, h) && v.visible == (state == 1)) {
      return {};
    }
  }
  RECT want{x, y, x + w, y + h};
  return "a placed gauge's view at " + describeRect(want) + (state ? " visible" : " hidden") +
         ": not seen; " + describeViews(s);
}

std::string cmdExpectNoView(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long x = a.number("x"), y = a.number("y");
  if (!a.done()) return a.error;
  for (const ViewInfo& v : s.views()) {
    if (s.placed.count(v.window) && v.rect.left == x && v.rect.top == y) {
      return "no placed gauge at (" + std::to_string(x) + ", " + std::to_string(y) +
             ") expected, seen " + describeRect(v.rect);
    }
  }
  return {};
}

std::string cmdExpectGhost(EditorSession& s, ScriptLine& line) {
  Args a(line);
  long x = a.number("x"), y = a.number("y");
  long w = -1, h = -1;
  int state = -1;
  std::string word = a.optionalWord();
  if (!word.empty() && !parseState(word, state)) {
    if (!parseInt(word, w)) return "not a width or state: " + word;
    h = a.number("height");
    word = a.optionalWord();
    if (!parseState(word, state)) return "not a view state: " + word;
  }
  if (!a.done()) return a.error;
  ViewInfo g{};
  std::string unknown = s.ghost(g);
  if (!unknown.empty()) return unknown + "; " + describeViews(s);
  bool sizeOk = w < 0 || (g.rect.right - g.rect.left == w && g.rect.bottom - g.rect.top == h);
  if (g.rect.left != x || g.rect.top != y || !sizeOk || (state >= 0 && g.visible != (state == 1))) {
    std::string want = "(" + std::to_string(x) + ", " + std::to_string(y);
    if (w >= 0) want += ", " + std::to_string(w) + " x " + std::to_string(h);
    want += ")";
    if (state >= 0) want += state ? " visible" : " hidden";
    return "ghost: expected " + want + ", seen " + describeRect(g.rect) +
           (g.visible ? " visible" : " hidden");
  }
  return {};
}

std::string cmdListWindows(EditorSession& s, ScriptLine& line) {
  Args a(line);
  if (!a.done()) return a.error;
  ViewInfo g{};
  bool ghostKnown = s.ghost(g).empty();
  for (HWND w : childWindows(s.mainWindow)) {
    std::string role;
    for (int p = 0; p < 4; ++p) {
      if (s.previews[p] == w) role = "preview " + std::to_string(p);
    }
    if (s.placed.count(w)) role = "placed";
    if (ghostKnown && g.window == w) role = "ghost";
    std::printf("    %-10s %-12s id %-5d %s style %08lx %s \"%s\"\n", role.c_str(),
                windowClass(w).c_str(), GetDlgCtrlID(w), describeRect(rectIn(w, s.mainWindow)).c_str(),
                static_cast<unsigned long>(GetWindowLongA(w, GWL_STYLE)),
                IsWindowVisible(w) ? "visible" : "hidden", windowText(w).c_str());
  }
  return {};
}
