#include <windows.h>

#include "platform/file_identity.h"
#include "platform/file_path.h"

namespace {

// The volume and the file's index: one file's identity under any of its names.
bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    if (path.empty()) return false;
    // No access asked beyond the attributes, and every sharing allowed: an open file counts too.
    const HANDLE file = CreateFileW(filePath(path).wstring().c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

bool isSameExistingFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first{}, second{};
    if (!fileIdentity(a, first) || !fileIdentity(b, second)) return false;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

bool isSameFileName(const std::string& a, const std::string& b) {
    const std::wstring first = filePath(a).wstring(), second = filePath(b).wstring();
    // The file system's own rule: ordinal, with the case table of the system.
    return CompareStringOrdinal(first.c_str(), static_cast<int>(first.size()), second.c_str(),
                                static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}
