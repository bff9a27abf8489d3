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

std::string shownWindows(EditorSession& s) {
  std::string text;
  for (HWND w : topLevelWindows(s.processId)) text += " \"" + windowText(w) + "\"";
  return text.empty() ? " none" : text;
}
}  // namespace

std::string cmdWaitWindow(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = a.word("caption");
  long ms = optionalTimeout(s, a);
  if (!a.done()) return a.error;
  if (!waitFor(static_cast<DWORD>(ms), [&] { return resolveWindow(s, caption); })) {
    return "no window \"" + caption + "\" within " + std::to_string(ms) +
           " ms; the editor shows:" + shownWindows(s);
  }
  return s.settle() ? std::string() : "the editor does not answer";
}

std::string cmdWaitGone(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = a.word("caption");
  long ms = optionalTimeout(s, a);
  if (!a.done()) return a.error;
  DWORD start = GetTickCount();
  while (resolveWindow(s, caption)) {
    if (GetTickCount() - start >= static_cast<DWORD>(ms)) {
      return "window \"" + caption + "\" still shown after " + std::to_string(ms) + " ms";
    }
    Sleep(50);
  }
  return {};
}

std::string cmdExpectNoWindow(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = a.word("caption");
  if (!a.done()) return a.error;
  if (resolveWindow(s, caption)) return "window \"" + caption + "\" is shown";
  return {};
}

std::string cmdExpectBoxText(EditorSession& s, ScriptLine& line) {
  Args a(line);
  std::string caption = a.word("caption");
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
  std::string caption = a.word("caption");
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
  std::string caption = a.word("caption");
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
  std::string caption;
  {
    ScriptLine copy = line;
    copy.next(caption);
  }
  std::string failed = cmdPress(s, line);
  if (!failed.empty()) return failed;
  DWORD start = GetTickCount();
  while (HWND w = findTopLevelByCaption(s.processId, caption)) {
    (void)w;
    if (GetTickCount() - start >= s.timeoutMs) {
      return "window \"" + caption + "\" still shown " + std::to_string(s.timeoutMs) +
             " ms after the answer";
    }
    Sleep(50);
  }
  return {};
}
