#include "platform/file_replace.h"

#include <cstdio>
#include <fstream>

// Both branches live in this one file so that the Windows unit tests, which link only the core
// library, and the editor use the same code. The Win32 call is the only platform code here.
#ifdef _WIN32
#include <windows.h>

bool replaceFile(const std::string& from, const std::string& to) {
    // The C library's rename refuses an existing target on Windows.
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
#endif

std::string temporaryWritePath(const std::string& path) { return path + ".saving"; }

std::string writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = temporaryWritePath(path);
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) return "The file cannot be created there.";
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            return "Not everything could be written (is the disk full?).";
        }
    }
    if (!replaceFile(temporary, path)) {
        std::remove(temporary.c_str());
        return "The existing file cannot be replaced (is it read-only or in use?).";
    }
    return {};
}
