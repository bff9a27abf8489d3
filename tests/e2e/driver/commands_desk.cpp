// Commands about the editor on a Windows desk: the values it keeps in the registry, files
// dropped on its window, its caption and its scroll bars. (Wine gives no other process the
// editor's menus, so the recent files are checked by their kept values and by using them.)
#include <windows.h>
#include <shlobj.h>

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

}  // namespace

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
