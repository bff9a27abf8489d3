// Commands about the editor on a Windows desk: the values it keeps in the registry, files
// dropped on its window, its caption and its scroll bars. (Wine gives no other process the
// editor's menus, so the recent files are checked by their kept values and by using them.)
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "commands.h"
#include "window_lookup.h"

namespace {

const wchar_t kSettingsKey[] = L"Software\\Veltrana";

std::wstring wide(const std::string& text) {
  std::wstring result(text.size() + 1, L'\0');
  result.resize(MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &result[0],
                                    static_cast<int>(result.size())));
  if (!result.empty()) result.pop_back();  // the terminator
  return result;
}

// Whether a span from `start` to `end`, as it lies with the window scrolled to its start, comes
// whole into the view from `viewStart` to `viewEnd` at some scroll from 0 to `range` pixels.
bool scrollsIntoView(int start, int end, int range, int viewStart, int viewEnd) {
  const int lowest = std::max(0, end - viewEnd);
  const int highest = std::min(range, start - viewStart);
  return lowest <= highest;
}

}  // namespace

std::string cmdExpectMainReachable(EditorSession& s, ScriptLine& line) {
  Args a(line);
  if (!a.done()) return a.error;
  // What the main window shows of its client area, inside the work area of its screen.
  RECT client{};
  GetClientRect(s.mainWindow, &client);
  MapWindowPoints(s.mainWindow, nullptr, reinterpret_cast<POINT*>(&client), 2);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(s.mainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT shown{};
  IntersectRect(&shown, &client, &monitor.rcWork);
  // The scroll ranges are measured by scrolling to the end and back (Wine keeps a window's scroll
  // bar state in its own process): how far the first control moves.
  auto scrollBoth = [&s](WPARAM where) {
    return s.send(WM_HSCROLL, where, 0) && s.send(WM_VSCROLL, where, 0);
  };
  if (!scrollBoth(SB_TOP)) return "the main window did not scroll";
  std::vector<HWND> controls;
  EnumChildWindows(
      s.mainWindow,
      [](HWND child, LPARAM list) {
        // A window that holds controls (the vehicle panel) may be taller than the view: its
        // controls are what must come into view.
        if (IsWindowVisible(child) && !GetWindow(child, GW_CHILD))
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&controls));
  if (controls.empty()) return "the main window shows no controls";
  std::vector<RECT> boxes(controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i) GetWindowRect(controls[i], &boxes[i]);
  RECT end{};
  if (!scrollBoth(SB_BOTTOM)) return "the main window did not scroll";
  GetWindowRect(controls[0], &end);
  if (!scrollBoth(SB_TOP)) return "the main window did not scroll";
  const int rangeX = boxes[0].left - end.left, rangeY = boxes[0].top - end.top;
  std::string out;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const RECT& box = boxes[i];
    if (scrollsIntoView(box.left, box.right, rangeX, shown.left, shown.right) &&
        scrollsIntoView(box.top, box.bottom, rangeY, shown.top, shown.bottom))
      continue;
    const HWND control = controls[i];
    out += "\n  control " + std::to_string(GetDlgCtrlID(control)) + " \"" + windowText(control) + "\" at " +
           std::to_string(box.left) + "," + std::to_string(box.top) + "," + std::to_string(box.right) + "," +
           std::to_string(box.bottom);
  }
  if (out.empty()) return {};
  return "not every control of the main window scrolls whole into the shown " + std::to_string(shown.left) + "," +
         std::to_string(shown.top) + "," + std::to_string(shown.right) + "," + std::to_string(shown.bottom) +
         " (it scrolls " + std::to_string(rangeX) + " x " + std::to_string(rangeY) + "):" + out;
}

std::string cmdDpiChanged(EditorSession& s, ScriptLine& line) {
  Args a(line);
  const long dpi = a.number("DPI");
  if (!a.done()) return a.error;
  // As Windows tells a window moved to a screen of another DPI, without a suggested place (a
  // rectangle cannot be handed to another process): the editor keeps its work area's corner.
  if (!s.send(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0)) return "the main window did not answer WM_DPICHANGED";
  return {};
}

std::string cmdPreviewScale(EditorSession& s, ScriptLine& line) {
  Args a(line);
  const long pixel = a.number("screen pixels per display pixel");
  if (!a.done()) return a.error;
  if (pixel < 2 || pixel > 8) return "not a preview scale: " + std::to_string(pixel);
  s.previewPixel = static_cast<int>(pixel);
  return {};
}

std::string cmdForgetSettings(EditorSession&, ScriptLine& line) {
  Args a(line);
  if (!a.done()) return a.error;
  const LONG status = RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
    return "cannot remove the kept settings (error " + std::to_string(status) + ")";
  return {};
}

std::string cmdSetSetting(EditorSession&, ScriptLine& line) {
  Args a(line);
  const std::string name = a.word("name");
  const std::string text = a.rest("text");
  if (!a.done()) return a.error;
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return "cannot open the settings key";
  const std::wstring value = wide(text);
  const LONG status =
      RegSetValueExW(key, wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::string() : "cannot write " + name;
}

std::string cmdExpectSetting(EditorSession&, ScriptLine& line) {
  Args a(line);
  const std::string name = a.word("name");
  const std::string expected = line.atEnd() ? std::string() : line.rest();
  const bool absent = expected.empty();
  if (!a.done()) return a.error;
  wchar_t buffer[4096] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);
  const LONG status = RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, wide(name).c_str(),
                                   RRF_RT_REG_SZ, nullptr, buffer, &size);
  if (absent) return status == ERROR_SUCCESS ? name + " is kept as \"" + narrow(buffer) + "\"" : "";
  if (status != ERROR_SUCCESS) return name + " is not kept";
  const std::string seen = narrow(buffer);
  if (seen != expected) return name + " is \"" + seen + "\", not \"" + expected + "\"";
  return {};
}

// The drop's block is made in the editor's own memory, as the shell makes it there: a
// DROPFILES header and the wide paths, each ended, the list ended by an empty one.
std::string cmdDropFiles(EditorSession& s, ScriptLine& line) {
  Args a(line);
  const std::string rest = a.rest("paths");
  if (!a.done()) return a.error;
  std::vector<std::wstring> paths;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t bar = rest.find(" | ", start);
    if (bar == std::string::npos) bar = rest.size();
    paths.push_back(wide(rest.substr(start, bar - start)));
    start = bar + 3;
  }
  std::vector<BYTE> block(sizeof(DROPFILES));
  auto* header = reinterpret_cast<DROPFILES*>(block.data());
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  for (const std::wstring& path : paths) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(path.c_str());
    block.insert(block.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
  }
  block.insert(block.end(), sizeof(wchar_t), 0);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, s.processId);
  if (!process) return "cannot open the editor's process";
  void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool written = remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
  CloseHandle(process);
  if (!written) return "cannot write the drop into the editor's memory";
  PostMessageW(s.mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  return {};
}

std::string cmdScrollMain(EditorSession& s, ScriptLine& line) {
  Args a(line);
  const std::string bar = a.word("horizontal or vertical");
  const std::string where = a.word("top or bottom");
  if (!a.done()) return a.error;
  const UINT message = bar == "horizontal" ? WM_HSCROLL : WM_VSCROLL;
  const WPARAM request = where == "bottom" ? SB_BOTTOM : SB_TOP;
  if (!s.send(message, request, 0)) return "the main window did not scroll";
  return {};
}

std::string cmdWaitCaption(EditorSession& s, ScriptLine& line) {
  Args a(line);
  const std::string expected = a.rest("caption");
  if (!a.done()) return a.error;
  std::string seen;
  const HWND found = waitFor(s.timeoutMs, [&]() -> HWND {
    seen = windowText(s.mainWindow);
    return seen == expected ? s.mainWindow : nullptr;
  });
  if (!found) return "the caption reads \"" + seen + "\", not \"" + expected + "\"";
  return {};
}
