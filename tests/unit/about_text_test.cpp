#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/about_text.h"

namespace {

std::string readSourceFile(const std::string& name) {
    std::ifstream in(std::string(VELTRANA_SOURCE_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

// Every line is true: the version is the build's one, and an address appears only when the
// README gives it as the project's home.
TEST(AboutText, NamesTheProgramItsVersionAndItsAuthors) {
    const std::string cmake = readSourceFile("CMakeLists.txt");
    const std::string readme = readSourceFile("README.md");
    ASSERT_FALSE(cmake.empty());
    ASSERT_FALSE(readme.empty());
    const std::string marker = "project(veltrana VERSION ";
    const std::size_t at = cmake.find(marker);
    ASSERT_NE(at, std::string::npos);
    const std::string version = cmake.substr(at + marker.size(), cmake.find(' ', at + marker.size()) - at - marker.size());

    std::vector<std::string> lines;
    const std::string text = kAboutText;
    for (std::size_t from = 0, end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    EXPECT_EQ(std::string(kAboutTitle), "Veltrana");
    ASSERT_GE(lines.size(), 3u) << text;
    EXPECT_EQ(lines.front(), "Veltrana " + version);
    EXPECT_EQ(lines[1], "Veltrana contributors");
    EXPECT_EQ(lines.back(), "");
    for (const std::string& line : lines) {
        if (line.find("://") != std::string::npos) {
            EXPECT_NE(readme.find(line), std::string::npos) << line << " is not the README's";
        }
    }
}
