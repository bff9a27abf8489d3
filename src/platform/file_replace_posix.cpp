#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

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

// Makes a new file beside `target` under a name that nothing had; O_EXCL refuses any name in use,
// a symbolic link included, so the bytes can only land in a file of our own.
int createTemporary(const std::string& target, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryWriteCandidate(target);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

FileReplaceResult replaceFileContents(const std::string& target, const std::vector<std::uint8_t>& bytes) {
    // A link keeps pointing where it did: the file it points at gets the new contents, through a
    // temporary file in that file's own folder so that the rename stays on one file system.
    std::string path = target;
    struct stat old {};
    const bool exists = ::lstat(path.c_str(), &old) == 0;
    if (exists && S_ISLNK(old.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(target.c_str(), resolved) || ::stat(resolved, &old) != 0) return FileReplaceResult::brokenLink;
        path = resolved;
    }
    // A rename would put a regular file in place of a folder, a device or a pipe.
    if (exists && !S_ISREG(old.st_mode)) return FileReplaceResult::notRegularFile;

    std::string temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0) return FileReplaceResult::cannotCreate;
    // The data must reach the disk before the rename: otherwise a power cut can leave the
    // renamed file empty. The owner and group are kept where the system allows it (only the
    // superuser may give a file away; anyone else's save makes the file theirs, as a new file
    // would be); the permission bits are set after them, since a change of owner clears some.
    bool written = writeAll(fd, bytes.data(), bytes.size());
    if (exists) {
        [[maybe_unused]] const bool ownerKept = ::fchown(fd, old.st_uid, old.st_gid) == 0;
        written = written && ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written) {
        std::remove(temporary.c_str());
        return FileReplaceResult::cannotWrite;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return FileReplaceResult::cannotReplace;
    }
    flushFolderOf(path);
    return FileReplaceResult::replaced;
}
