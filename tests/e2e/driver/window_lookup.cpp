#include "window_lookup.h"

std::string narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                  0, nullptr, nullptr);
  std::string text(bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], bytes,
                      nullptr, nullptr);
  return text;
}

std::string windowText(HWND w) {
  // WM_GETTEXT is answered by the other process (GetWindowTextA would not ask it for a control).
  // The wide form is used because the ANSI one loses its conversion between processes in Wine.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied > length ? 0 : copied);
  return narrow(text);
}

std::string windowClass(HWND w) {
  char name[256] = {};
  GetClassNameA(w, name, sizeof name);
  return name;
}

std::string withoutMnemonics(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

RECT rectIn(HWND w, HWND reference) {
  RECT r{};
  GetWindowRect(w, &r);
  MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

namespace {
struct TopLevelSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<TopLevelSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == search->processId && IsWindowVisible(w)) search->found.push_back(w);
  return TRUE;
}

BOOL CALLBACK collectDescendant(HWND w, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(w);
  return TRUE;
}

std::vector<HWND> descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, collectDescendant, reinterpret_cast<LPARAM>(&all));
  return all;
}
}  // namespace

std::vector<HWND> topLevelWindows(DWORD processId) {
  TopLevelSearch search{processId, {}};
  EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND findTopLevelByClass(DWORD processId, const char* className) {
  for (HWND w : topLevelWindows(processId)) {
    if (windowClass(w) == className) return w;
  }
  return nullptr;
}

HWND findTopLevelByCaption(DWORD processId, const std::string& caption) {
  for (HWND w : topLevelWindows(processId)) {
    if (windowText(w) == caption) return w;
  }
  return nullptr;
}

std::vector<HWND> childWindows(HWND parent) {
  std::vector<HWND> children;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    children.push_back(w);
  }
  return children;
}

HWND findControl(HWND parent, int id) {
  for (HWND w : childWindows(parent)) {
    if (GetDlgCtrlID(w) == id) return w;
  }
  for (HWND w : descendants(parent)) {
    if (GetDlgCtrlID(w) == id) return w;
  }
  return nullptr;
}

HWND findDescendantByCaption(HWND parent, const std::string& caption) {
  for (HWND w : descendants(parent)) {
    if (windowText(w) == caption) return w;
  }
  return nullptr;
}

HWND findButtonByText(HWND dialog, const std::string& text) {
  for (HWND w : descendants(dialog)) {
    if (_stricmp(windowClass(w).c_str(), "Button") == 0 &&
        withoutMnemonics(windowText(w)) == text) {
      return w;
    }
  }
  return nullptr;
}

std::vector<std::string> staticTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND w : descendants(dialog)) {
    if (_stricmp(windowClass(w).c_str(), "Static") == 0) {
      std::string t = windowText(w);
      if (!t.empty()) texts.push_back(t);
    }
  }
  return texts;
}
