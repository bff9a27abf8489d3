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

// Makes a new file beside `target` under a name that nothing had; CREATE_NEW refuses any name in
// use, so the bytes can only land in a file of our own.
HANDLE createTemporary(const std::string& target, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryWriteCandidate(target);
        const HANDLE file = CreateFileW(filePath(temporary).wstring().c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

FileReplaceResult replaceFileContents(const std::string& target, const std::vector<std::uint8_t>& bytes) {
    // A device's name would write the bytes to the device (COM7.vtl is the port), and so would
    // the temporary file's name beside it.
    if (namesWindowsDevice(target)) return FileReplaceResult::deviceName;
    // A folder is refused before anything is written. A read-only file is not replaced either:
    // Windows refuses to move a file over one, but Wine does not, so it is checked here.
    const std::wstring targetName = filePath(target).wstring();
    const DWORD attributes = GetFileAttributesW(targetName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FileReplaceResult::notRegularFile;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return FileReplaceResult::cannotReplace;

    std::string temporary;
    const HANDLE file = createTemporary(target, temporary);
    const std::wstring temporaryName = filePath(temporary).wstring();
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
