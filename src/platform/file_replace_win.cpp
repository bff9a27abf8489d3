#include <windows.h>

#include "platform/file_replace.h"
#include "platform/file_path.h"

namespace {

bool writeAll(HANDLE file, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

}  // namespace

FileReplaceResult replaceFileContents(const std::string& target, const std::string& temporary,
                                      const std::vector<std::uint8_t>& bytes) {
    const std::wstring temporaryName = filePath(temporary).wstring();
    const std::wstring targetName = filePath(target).wstring();
    const HANDLE file = CreateFileW(temporaryName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FileReplaceResult::cannotCreate;
    // The data must reach the disk before the move: otherwise a power cut can leave the moved
    // file empty.
    bool written = writeAll(file, bytes.data(), bytes.size()) && FlushFileBuffers(file) != 0;
    written = CloseHandle(file) != 0 && written;
    if (!written) {
        DeleteFileW(temporaryName.c_str());
        return FileReplaceResult::cannotWrite;
    }
    // The C library's rename refuses an existing target on Windows; write-through makes the
    // move itself reach the disk before the call returns.
    if (!MoveFileExW(temporaryName.c_str(), targetName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporaryName.c_str());
        return FileReplaceResult::cannotReplace;
    }
    return FileReplaceResult::replaced;
}
