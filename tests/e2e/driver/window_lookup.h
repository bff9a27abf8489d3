#pragma once
// Finding and reading the editor's windows from outside its process.
#include <windows.h>

#include <string>
#include <vector>

std::string windowText(HWND w);
std::string narrow(const std::wstring& wide);
std::string windowClass(HWND w);
// A button or label text without its mnemonic ampersands ("&No" -> "No").
std::string withoutMnemonics(const std::string& text);

// The window's rectangle in the client coordinates of `reference`.
RECT rectIn(HWND w, HWND reference);

// Visible top-level windows of a process, in z-order.
std::vector<HWND> topLevelWindows(DWORD processId);
HWND findTopLevelByClass(DWORD processId, const char* className);
HWND findTopLevelByCaption(DWORD processId, const std::string& caption);

// Direct children of a window, in z-order (top first).
std::vector<HWND> childWindows(HWND parent);
// A control by id: a direct child first, else the first descendant with that id.
HWND findControl(HWND parent, int id);
// The first descendant window (any depth) whose text is `caption`.
HWND findDescendantByCaption(HWND parent, const std::string& caption);
// The first direct child button whose text (without ampersands) is `text`.
HWND findButtonByText(HWND dialog, const std::string& text);
// Texts of the static controls of a dialog, in z-order.
std::vector<std::string> staticTexts(HWND dialog);
