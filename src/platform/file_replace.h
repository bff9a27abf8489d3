#pragma once
// Puts new contents in place of a file in one step, through a temporary file beside it, so that
// a failed or interrupted write leaves the old file whole.
#include <cstdint>
#include <string>
#include <vector>

enum class FileReplaceResult {
    replaced,
    cannotCreate,   // the temporary file cannot be made
    cannotWrite,    // writing or flushing it to the disk failed
    cannotReplace,  // it cannot be moved over the target
};

// Writes `bytes` to `temporary`, flushes them to the disk, then moves `temporary` over `target`
// (replacing any file there) and, where the platform needs it, flushes the folder so that the
// move itself lasts. A failure after the temporary file was made removes it again; `target` is
// then as it was. Its Win32 and POSIX sides are file_replace_win.cpp and file_replace_posix.cpp,
// one of which goes into the core library.
FileReplaceResult replaceFileContents(const std::string& target, const std::string& temporary,
                                      const std::vector<std::uint8_t>& bytes);

// The temporary file beside `path` that writeWholeFile fills first.
std::string temporaryWritePath(const std::string& path);

// Puts `bytes` in place of `path` through its temporary file (replaceFileContents). Empty on
// success, else the reason in plain words.
std::string writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
