#include "platform/file_path.h"

std::filesystem::path filePath(const std::string& utf8Path) {
    return std::filesystem::u8path(utf8Path);
}

std::FILE* openFile(const std::string& utf8Path, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(filePath(utf8Path).c_str(), wideMode.c_str());
#else
    return std::fopen(utf8Path.c_str(), mode);
#endif
}
