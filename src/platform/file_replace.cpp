#include "platform/file_replace.h"

// Both branches live in this one file so that the Windows unit tests, which link only the core
// library, and the editor use the same code. The Win32 call is the only platform code here.
#ifdef _WIN32
#include <windows.h>

bool replaceFile(const std::string& from, const std::string& to) {
    // The C library's rename refuses an existing target on Windows.
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
#include <cstdio>

bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
#endif
