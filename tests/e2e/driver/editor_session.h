#pragma once
// The editor process under test, its main window, and what the driver has learnt about the
// gauge views in it.
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

// A "Static" SS_BITMAP child of the main window, in main-window client coordinates.
struct ViewInfo {
  HWND window;
  RECT rect;
  bool visible;
};

struct EditorSession {
  std::string editorPath;      // what `start` runs
  bool runnerPresent = false;  // a runner answers screenshot requests
  // Default time-out of waits and of each sent message. Every wait ends as soon as what it waits
  // for is there; the time-out only judges a step that never comes. Under a full load (four
  // runners, the fuzz build and the package test on two cores) opening the warning table from
  // the check list has taken over 10 s.
  DWORD timeoutMs = 30000;

  HANDLE process = nullptr;
  DWORD processId = 0;
  bool startedByUs = false;
  HWND mainWindow = nullptr;
  HWND previews[4] = {};     // the page previews, found at start
  std::set<HWND> placed;     // views known to show placed gauges (the rest is the ghost)
  POINT lastMouse = {0, 0};  // client position of the last mouse move
  int previewPixel = 2;      // screen pixels per display pixel in the previews (3 at 144 DPI)
  // The window last found under each caption, so a wait for it to go can follow the window
  // itself even when the busy editor does not answer for its caption.
  std::map<std::string, HWND> found;
  // Windows' question before log-off (query-end-session), sent from a thread of its own since
  // the editor answers only after its prompt: the thread, and the answer once it has returned.
  // The control the last `wheel` pointed at, where it stood in its window then, and which way
  // the wheel turned (+1 up, -1 down), for `expect-after-wheel`.
  HWND wheelControl = nullptr;
  POINT wheelControlAt = {0, 0};
  int wheelWay = 0;
  HANDLE endSessionQuery = nullptr;
  bool endSessionAnswered = false;
  DWORD_PTR endSessionAnswer = 0;

  // Sends a message and waits until the editor has handled it. Returns false on time-out.
  bool send(UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) const;
  bool sendTo(HWND target, UINT message, WPARAM wParam, LPARAM lParam,
              DWORD_PTR* result = nullptr) const;
  // Waits until the editor's thread is back in its message loop (it answers a sent WM_NULL).
  bool settle() const;

  // Gauge views: every SS_BITMAP static child of the main window but the page previews.
  std::vector<ViewInfo> views() const;
  // The ghost: the one view that is not a placed gauge. Empty text when found.
  std::string ghost(ViewInfo& out) const;
  // Finds the page previews among the main window's children (by their fixed rectangles).
  std::string findPreviews();
};

std::string describeRect(const RECT& r);
