#pragma once
// Whether two paths name one file, as the platform's file system sees it. Its Win32 and POSIX
// sides are file_identity_win.cpp and file_identity_posix.cpp, one of which goes into the core.
#include <string>

// Whether the two names lead to one existing file (another spelling, a link, a case that Windows
// folds): compared by the file system's identity of the file, not by the texts. False when either
// cannot be opened.
bool isSameExistingFile(const std::string& a, const std::string& b);

// Whether two file names (UTF-8) are one name as Windows compares names: letter for letter with
// upper and lower case alike in every script ("Öl.vtl" and "öl.vtl"), nothing else folded
// ("straße" and "STRASSE" differ). The files need not exist.
bool isSameFileName(const std::string& a, const std::string& b);
