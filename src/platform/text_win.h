#pragma once
// The program's texts are UTF-8; Win32 takes UTF-16 through its wide calls. These convert at
// the seam, so a file name outside the ANSI code page is shown and passed on whole.
#include <windows.h>

#include <string>

std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const std::wstring& text);

void setWindowTextUtf8(HWND window, const std::string& text);
int messageBoxUtf8(HWND owner, const std::string& text, const std::string& caption, UINT style);
