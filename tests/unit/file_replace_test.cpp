// The save's durability on Linux: the test program's own fsync stands in for the C library's
// (the core library is linked statically, so its calls land here), notes which file each call
// flushed and can fail on request.
#ifdef __linux__
#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/file_replace.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> flushedPaths;
bool failFlushes = false;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int fsync(int fd) {
    char link[64], target[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    flushedPaths.push_back(n > 0 ? std::string(target, static_cast<std::size_t>(n)) : "?");
    if (failFlushes) {
        errno = EIO;
        return -1;
    }
    using Fsync = int (*)(int);
    static const Fsync real = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
    return real ? real(fd) : 0;
}

TEST(FileReplace, FlushesTheDataBeforeTheMoveAndTheFolderAfterIt) {
    const fs::path folder = fs::canonical(fs::temp_directory_path()) / ("file_replace_test_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string target = (folder / "car1.vtl").string();
    const std::string temporary = target + ".saving";
    std::ofstream(target) << "old";

    flushedPaths.clear();
    EXPECT_EQ(replaceFileContents(target, temporary, {'n', 'e', 'w'}), FileReplaceResult::replaced);
    EXPECT_EQ(readAll(target), "new");
    // Flushed while it still had the temporary name, so before the move; then the folder.
    EXPECT_EQ(flushedPaths, (std::vector<std::string>{temporary, folder.string()}));

    // A flush that fails is a failed save: the old file stays, the temporary file goes.
    failFlushes = true;
    EXPECT_EQ(replaceFileContents(target, temporary, {'x'}), FileReplaceResult::cannotWrite);
    failFlushes = false;
    EXPECT_EQ(readAll(target), "new");
    EXPECT_FALSE(fs::exists(temporary));
    fs::remove_all(folder);
}
#endif
