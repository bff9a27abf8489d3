#pragma once
// The program's texts are UTF-8; Win32 takes UTF-16 through its wide calls. These convert at
// the seam, so a file name outside the ANSI code page is shown and passed on whole.
#include <windows.h>

#include <string>
#include <vector>

std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const std::wstring& text);

void setWindowTextUtf8(HWND window, const std::string& text);
int messageBoxUtf8(HWND owner, const std::string& text, const std::string& caption, UINT style);

// Puts `lines` (UTF-8) into the list box in their order in place of what it held, keeping the
// first line shown where it was, and lets the list scroll sideways as far as its widest line
// needs (in the list's own font).
void fillListBoxUtf8(HWND list, const std::vector<std::string>& lines);
