#pragma once
// A fresh, empty folder under the system's temporary folder, removed with everything in it when
// the test ends.
#include <cstdint>
#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir() {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("veltrana_test_" + std::to_string(++serial) + "_" +
                 std::to_string(reinterpret_cast<std::uintptr_t>(this) & 0xFFFFF));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

