#include "platform/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// A rename lasts only once the folder holding it is on the disk. Some file systems cannot flush
// a folder; the new contents are in place by then either way, so a failure here is not one of
// the save.
void flushFolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

FileReplaceResult replaceFileContents(const std::string& target, const std::string& temporary,
                                      const std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return FileReplaceResult::cannotCreate;
    // The data must reach the disk before the rename: otherwise a power cut can leave the
    // renamed file empty.
    bool written = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written) {
        std::remove(temporary.c_str());
        return FileReplaceResult::cannotWrite;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        return FileReplaceResult::cannotReplace;
    }
    flushFolderOf(target);
    return FileReplaceResult::replaced;
}
