#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

// The folders under src/ from the bottom up. A file may include headers of its own folder and of
// folders below it, never of one above: the seams know nothing of the model, the model nothing of
// the link, and only the shell sees everything. A new folder must be given its place here.
namespace {

const std::map<std::string, int> kFolderRank = {
    {"platform", 0}, {"layout", 1}, {"profiles", 2}, {"settings", 3},
    {"document", 4}, {"link", 5},   {"app", 6},   {"cli", 6},
};

// The folder named by `#include "folder/..."` on this line, or "" for any other line.
std::string includedFolder(const std::string& line) {
    const std::string directive = "#include \"";
    const std::size_t at = line.find(directive);
    if (at == std::string::npos || line.find_first_not_of(" \t") != at) return "";
    const std::size_t start = at + directive.size();
    const std::size_t slash = line.find('/', start);
    const std::size_t quote = line.find('"', start);
    if (slash == std::string::npos || quote == std::string::npos || slash > quote) return "";
    return line.substr(start, slash - start);
}

}  // namespace

TEST(Layering, NoFolderIncludesOneAboveIt) {
    const std::filesystem::path src = std::filesystem::path(VELTRANA_SOURCE_DIR) / "src";
    ASSERT_TRUE(std::filesystem::is_directory(src)) << src.string();
    int filesRead = 0;
    for (const auto& folder : std::filesystem::directory_iterator(src)) {
        if (!folder.is_directory()) continue;
        const std::string name = folder.path().filename().string();
        const auto rank = kFolderRank.find(name);
        ASSERT_NE(rank, kFolderRank.end()) << "src/" << name << " has no place in the layers";
        for (const auto& file : std::filesystem::directory_iterator(folder.path())) {
            std::ifstream in(file.path());
            ++filesRead;
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                const std::string target = includedFolder(line);
                if (target.empty()) continue;
                const auto targetRank = kFolderRank.find(target);
                ASSERT_NE(targetRank, kFolderRank.end())
                    << "src/" << name << "/" << file.path().filename().string() << ":" << number
                    << " includes an unknown folder " << target;
                EXPECT_TRUE(target == name || targetRank->second < rank->second)
                    << "src/" << name << "/" << file.path().filename().string() << ":" << number
                    << " includes " << target << ", which is not below " << name;
            }
        }
    }
    EXPECT_GT(filesRead, 50) << "the source tree was not found whole";
}
