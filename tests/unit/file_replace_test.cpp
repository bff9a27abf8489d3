// Replacing a file's contents through a temporary file beside it: what each kind of target
// becomes, and on Linux that the data reaches the disk before the move.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/file_identity.h"
#include "platform/file_replace.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif
#ifdef __linux__
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#endif

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void put(const fs::path& path, const std::string& text, fs::perms perms = fs::perms::none) {
    std::ofstream(path, std::ios::binary) << text;
    if (perms != fs::perms::none) fs::permissions(path, perms);
}

// Everything under `folder`, links not followed, in name order: "name=contents" for a file,
// "name@" for a symbolic link, "name/" for a folder, "name|" for anything else. A temporary file
// left behind shows as one more entry.
std::string listing(const fs::path& folder) {
    std::vector<std::string> entries;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder)) {
        const std::string name = e.path().lexically_relative(folder).generic_string();
        const fs::file_status status = e.symlink_status();
        if (fs::is_symlink(status)) entries.push_back(name + "@");
        else if (fs::is_directory(status)) entries.push_back(name + "/");
        else if (fs::is_regular_file(status)) entries.push_back(name + "=" + readAll(e.path()));
        else entries.push_back(name + "|");
    }
    std::sort(entries.begin(), entries.end());
    std::string text;
    for (const std::string& entry : entries) text += (text.empty() ? "" : " ") + entry;
    return text;
}

}  // namespace

TEST(FileReplace, EveryKindOfTargetIsReplacedWholeOrLeftAsItWas) {
    using Plant = std::function<void(const fs::path& folder)>;
    const struct {
        const char* name;
        Plant plant;            // what is in the folder before the save of folder/car.vtl
        const char* reason;     // "" when the save succeeds, else a part of its reason
        const char* after;      // listing() of the folder afterwards
        fs::perms mode;         // the permission bits car.vtl (or what it links to) keeps
    } cases[] = {
        {"no file yet", [](const fs::path&) {}, "", "car.vtl=new", fs::perms::none},
        {"a folder that does not exist", [](const fs::path& f) { fs::remove(f); }, "cannot be created", "",
         fs::perms::none},
        {"a folder at the name a save once used for its temporary file",
         [](const fs::path& f) {
             put(f / "car.vtl", "old");
             fs::create_directory(f / "car.vtl.saving");
         },
         "", "car.vtl.saving/ car.vtl=new", fs::perms::none},
        {"a folder", [](const fs::path& f) { fs::create_directory(f / "car.vtl"); }, "not a regular file",
         "car.vtl/", fs::perms::none},
#ifdef _WIN32
        // Windows does not replace a read-only file.
        {"a read-only file", [](const fs::path& f) { put(f / "car.vtl", "old", fs::perms::owner_read); },
         "cannot be replaced", "car.vtl=old", fs::perms::none},
        {"a file", [](const fs::path& f) { put(f / "car.vtl", "old"); }, "", "car.vtl=new", fs::perms::none},
#else
        {"a file", [](const fs::path& f) { put(f / "car.vtl", "old", fs::perms(0600)); }, "", "car.vtl=new",
         fs::perms(0600)},
        {"a read-only file", [](const fs::path& f) { put(f / "car.vtl", "old", fs::perms(0444)); }, "",
         "car.vtl=new", fs::perms(0444)},
        {"a link planted at the name a save once used for its temporary file",
         [](const fs::path& f) {
             put(f / "car.vtl", "old");
             put(f / "victim", "kept");
             fs::create_symlink("victim", f / "car.vtl.saving");
         },
         "", "car.vtl.saving@ car.vtl=new victim=kept", fs::perms::none},
        {"a link to a file in another folder: the file is replaced and the link stays",
         [](const fs::path& f) {
             fs::create_directory(f / "real");
             put(f / "real" / "car.vtl", "old", fs::perms(0640));
             fs::create_symlink("real/car.vtl", f / "car.vtl");
         },
         "", "car.vtl@ real/ real/car.vtl=new", fs::perms(0640)},
        {"a link to nothing", [](const fs::path& f) { fs::create_symlink("gone.vtl", f / "car.vtl"); },
         "symbolic link to a file that does not exist", "car.vtl@", fs::perms::none},
        {"a pipe", [](const fs::path& f) { ASSERT_EQ(::mkfifo((f / "car.vtl").c_str(), 0644), 0); },
         "not a regular file", "car.vtl|", fs::perms::none},
#endif
    };
    for (const auto& c : cases) {
        TempDir dir;
        const fs::path folder = fs::path(dir.file("f"));
        fs::create_directory(folder);
        c.plant(folder);
        const std::string reason = writeWholeFile((folder / "car.vtl").string(), {'n', 'e', 'w'});
        if (*c.reason == '\0') {
            EXPECT_EQ(reason, "") << c.name;
        } else {
            EXPECT_NE(reason.find(c.reason), std::string::npos) << c.name << ": " << reason;
        }
        EXPECT_EQ(fs::exists(folder) ? listing(folder) : "", c.after) << c.name;
        if (c.mode != fs::perms::none) {
            EXPECT_EQ(fs::status(folder / "car.vtl").permissions() & fs::perms::all, c.mode) << c.name;
        }
        std::error_code ignored;  // Windows removes no read-only file
        fs::permissions(folder / "car.vtl", fs::perms::owner_all, fs::perm_options::add, ignored);
    }
}

TEST(FileReplace, NamesThatWindowsTakesForADeviceAreKnown) {
    const struct {
        const char* path;
        bool device;
    } cases[] = {
        {"com7.vtl", true},          {"C:\\cars\\COM7.vtl", true}, {"/cars/Com1 .vtl", true},
        {"nul", true},               {"aux.backup.vtl", true},        {"LPT3", true},
        {"conout$.vtl", true},       {"com\xC2\xB9.vtl", true},    {"com10.vtl", false},
        {"comp.vtl", false},         {"console.vtl", false},          {"com7.vtl\\car.vtl", false},
        {"my com7.vtl", false},      {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(namesWindowsDevice(c.path), c.device) << c.path;
#ifdef _WIN32
    // The save refuses such a name before it makes its temporary file (also a device's name).
    TempDir dir;
    EXPECT_NE(writeWholeFile(dir.file("com7.vtl"), {'n'}).find("keeps this name for a device"), std::string::npos);
#endif
}

// Two names are one file by the file's identity: another spelling of the path (and on Windows
// another case) or a link counts, another file or a missing one does not.
TEST(FileIdentity, SameExistingFileByIdentityNotByText) {
    TempDir dir;
    ASSERT_EQ(writeWholeFile(dir.file("car.vtl"), {'c'}), "");
    ASSERT_EQ(writeWholeFile(dir.file("car.vtl.html"), {'h'}), "");
    fs::create_directories(dir.file("sub"));
    const std::string car = dir.file("car.vtl");
    EXPECT_TRUE(isSameExistingFile(car, car));
    EXPECT_TRUE(isSameExistingFile(car, dir.file("sub/../car.vtl")));
    EXPECT_FALSE(isSameExistingFile(car, dir.file("car.vtl.html")));
    EXPECT_FALSE(isSameExistingFile(car, dir.file("gone.vtl")));
    EXPECT_FALSE(isSameExistingFile(dir.file("gone.vtl"), dir.file("gone.vtl")));
    EXPECT_FALSE(isSameExistingFile(car, ""));
#ifdef _WIN32
    EXPECT_TRUE(isSameExistingFile(car, dir.file("CAR.VTL")));
#else
    fs::create_symlink(car, dir.file("link.vtl"));
    EXPECT_TRUE(isSameExistingFile(dir.file("link.vtl"), car));
#endif
}

#ifdef __linux__
// The test program's own fsync stands in for the C library's (the core library is linked
// statically, so its calls land here), notes which file each call flushed and can fail on request.
namespace {

std::vector<std::string> flushedPaths;
bool failFlushes = false;

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
    TempDir dir;
    const fs::path folder = fs::canonical(fs::path(dir.file("")));
    const std::string target = (folder / "car1.vtl").string();
    std::ofstream(target) << "old";

    flushedPaths.clear();
    EXPECT_EQ(replaceFileContents(target, {'n', 'e', 'w'}), FileReplaceResult::replaced);
    EXPECT_EQ(readAll(target), "new");
    // Flushed while it still had its temporary name, so before the move; then the folder.
    ASSERT_EQ(flushedPaths.size(), 2u);
    EXPECT_EQ(flushedPaths[0].rfind(target + ".saving-", 0), 0u) << flushedPaths[0];
    EXPECT_EQ(flushedPaths[1], folder.string());

    // A flush that fails is a failed save: the old file stays, the temporary file goes.
    failFlushes = true;
    EXPECT_EQ(replaceFileContents(target, {'x'}), FileReplaceResult::cannotWrite);
    failFlushes = false;
    EXPECT_EQ(listing(folder), "car1.vtl=new");
}
#endif
