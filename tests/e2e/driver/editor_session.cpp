#include "editor_session.h"

#include <cstdio>

#include "window_lookup.h"

bool EditorSession::send(UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) const {
  return sendTo(mainWindow, message, wParam, lParam, result);
}

bool EditorSession::sendTo(HWND target, UINT message, WPARAM wParam, LPARAM lParam,
                           DWORD_PTR* result) const {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(target, message, wParam, lParam, SMTO_NORMAL, timeoutMs,
                             result ? result : &ignored) != 0;
}

bool EditorSession::settle() const { return send(WM_NULL, 0, 0); }

static bool isBitmapStatic(HWND w) {
  if (_stricmp(windowClass(w).c_str(), "Static") != 0) return false;
  LONG style = GetWindowLongA(w, GWL_STYLE);
  return (style & SS_TYPEMASK) == SS_BITMAP;
}

std::vector<ViewInfo> EditorSession::views() const {
  std::vector<ViewInfo> found;
  for (HWND w : childWindows(mainWindow)) {
    bool preview = false;
    for (HWND p : previews) preview = preview || (p == w);
    if (preview || !isBitmapStatic(w)) continue;
    found.push_back({w, rectIn(w, mainWindow), IsWindowVisible(w) != FALSE});
  }
  return found;
}

std::string EditorSession::ghost(ViewInfo& out) const {
  int candidates = 0;
  for (const ViewInfo& v : views()) {
    if (placed.count(v.window)) continue;
    out = v;
    ++candidates;
  }
  if (candidates == 1) return {};
  return "cannot tell the ghost: " + std::to_string(candidates) +
         " views are not known as placed gauges";
}

std::string EditorSession::findPreviews() {
  for (int page = 0; page < 4; ++page) {
    previews[page] = nullptr;
    auto at = [this](int preview) { return preview * previewPixel / 2; };
    RECT want{at(32), at(32 + 176 * page), at(32 + 480), at(32 + 176 * page + 128)};
    for (HWND w : childWindows(mainWindow)) {
      RECT r = rectIn(w, mainWindow);
      if (isBitmapStatic(w) && EqualRect(&r, &want)) {
        previews[page] = w;
        break;
      }
    }
    if (!previews[page]) {
      return "no page preview (SS_BITMAP static) for page " + std::to_string(page) + " at " +
             describeRect(want);
    }
  }
  return {};
}

std::string describeRect(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof text, "(%ld, %ld, %ld x %ld)", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return text;
}
