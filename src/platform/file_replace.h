#pragma once
// Puts new contents in place of a file in one step, through a temporary file beside it, so that
// a failed or interrupted write leaves the old file whole.
#include <cstdint>
#include <string>
#include <vector>

enum class FileReplaceResult {
    replaced,
    cannotCreate,    // the temporary file cannot be made
    cannotWrite,     // writing or flushing it to the disk failed
    cannotReplace,   // it cannot be moved over the target
    notRegularFile,  // the target is a folder (on POSIX also a device, a pipe or a socket): left alone
    brokenLink,      // the target is a symbolic link to no file (POSIX): left alone
    deviceName,      // Windows keeps the target's name for a device (COM7.vtl is the port COM7)
};

// Writes `bytes` to a temporary file beside `target`, flushes them to the disk, then moves the
// temporary file over `target` and, where the platform needs it, flushes the folder so that the
// move itself lasts. The temporary file gets a name of its own that nothing else has, and is
// created only where nothing stands yet, so no file, link or folder already there is written
// through or taken over. On POSIX a target that is a symbolic link has the file it points at
// replaced (the link stays), and the replaced file keeps its owner and permission bits; Windows
// replaces no read-only file (cannotReplace). A failure after the temporary file was made removes
// it again; `target` is then as it was. Its Win32 and POSIX sides are file_replace_win.cpp and
// file_replace_posix.cpp, one of which goes into the core library.
FileReplaceResult replaceFileContents(const std::string& target, const std::vector<std::uint8_t>& bytes);

// Whether Windows takes the last part of `path` for a device rather than a file: CON, PRN, AUX,
// NUL, COM0 to COM9, LPT0 to LPT9 (and their superscript-digit forms), CONIN$ and CONOUT$, in any
// case, with or without an extension ("com7.vtl" opens the serial port COM7). Saving to such a
// name would send the file's bytes to the device.
bool namesWindowsDevice(const std::string& path);

// A name for the temporary file beside `path` that is unlikely to be in use: `path`, ".saving-"
// and six random letters and digits. Each call gives another.
std::string temporaryWriteCandidate(const std::string& path);

// Puts `bytes` in place of `path` (replaceFileContents). Empty on success, else the reason in
// plain words.
std::string writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
