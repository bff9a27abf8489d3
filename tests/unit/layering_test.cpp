#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// Every place that holds code, from the bottom up. A file may include headers of its own place
// and of places ranked below it, never of another ranked the same or above: the seams know
// nothing of the model, the model nothing of the link, the link nothing of the printed outputs
// (report and pictures), and only the shells see everything; the tools and the tests stand on the
// program and the program never on them; the tests' support stands below the tests. A new folder must be given its place here.
namespace {

struct Place {
    const char* path;  // from the source root, subfolders included
    int rank;
};

const Place kPlaces[] = {
    {"src/platform", 0}, {"src/layout", 1}, {"src/profiles", 2}, {"src/settings", 3},
    {"src/document", 4}, {"src/link", 5},   {"src/report", 6},   {"src/app", 7},
    {"src/cli", 7},      {"src/web", 7},    {"tools", 8},      {"tests/support", 8},
    {"tests/unit", 9},   {"tests/cli", 9},  {"tests/fuzz", 9},   {"tests/e2e", 9},
};

// Headers that only the Win32 side of src/ (src/app and the *_win files) may include; everything
// else under src/ is platform-free and builds and runs natively.
const char* const kWin32Headers[] = {
    "windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h",
    "shlwapi.h", "objbase.h",  "wincodec.h", "mmsystem.h", "winuser.h",
};

const char* const kCodeExtensions[] = {".h", ".hpp", ".c", ".cc", ".cpp", ".in"};

const Place* placeOf(const fs::path& fromRoot) {
    const std::string path = fromRoot.generic_string();
    const Place* found = nullptr;
    for (const Place& place : kPlaces) {
        const std::size_t length = std::strlen(place.path);
        if (path.compare(0, length, place.path) == 0 && path.size() > length && path[length] == '/' &&
            (found == nullptr || length > std::strlen(found->path)))
            found = &place;
    }
    return found;
}

// The header an `#include "..."` or `#include <...>` on this line names (`quoted` says which), or
// "" for any other line.
std::string includedName(const std::string& line, bool& quoted) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') return "";
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) return "";
    at = line.find_first_not_of(" \t", at + 7);
    if (at == std::string::npos || (line[at] != '"' && line[at] != '<')) return "";
    quoted = line[at] == '"';
    const std::size_t end = line.find(quoted ? '"' : '>', at + 1);
    return end == std::string::npos ? "" : line.substr(at + 1, end - at - 1);
}

// The file an include names, searched as the builds search: beside the including file, then from
// src/ and tests/, then in every tool's folder (the tools find each other's headers by bare name).
// Empty for a header outside these (the system's, the resources', a generated one).
fs::path headerFile(const fs::path& root, const fs::path& folder, const std::string& name) {
    std::vector<fs::path> candidates = {folder / name, root / "src" / name, root / "tests" / name};
    for (const auto& tool : fs::directory_iterator(root / "tools"))
        if (tool.is_directory()) candidates.push_back(tool.path() / name);
    for (const fs::path& candidate : candidates)
        if (fs::is_regular_file(candidate)) return fs::relative(candidate, root);
    return {};
}

bool isCode(const fs::path& file) {
    const std::string extension = file.extension().string();
    return std::find(std::begin(kCodeExtensions), std::end(kCodeExtensions), extension) !=
           std::end(kCodeExtensions);
}

// Outside src/, in src/app or a *_win file.
bool mayIncludeWin32(const std::string& fromRoot) {
    if (fromRoot.rfind("src/", 0) != 0 || fromRoot.rfind("src/app/", 0) == 0) return true;
    const std::string stem = fs::path(fromRoot).stem().string();
    return stem.size() > 4 && stem.compare(stem.size() - 4, 4, "_win") == 0;
}

bool isWin32Header(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::find(std::begin(kWin32Headers), std::end(kWin32Headers), name) !=
           std::end(kWin32Headers);
}

// One include line of a file of the tree.
struct Include {
    std::string file;  // from the source root
    int line = 0;
    std::string name;  // as written between the quotes or brackets
    bool quoted = false;
    fs::path header;   // the tree's file it names, from the root; empty for any other header
};

// Every include line of the code under `top` (src, tools or tests), with the number of files read.
std::vector<Include> includesUnder(const fs::path& root, const char* top, int& filesRead) {
    std::vector<Include> found;
    filesRead = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
        if (!entry.is_regular_file() || !isCode(entry.path())) continue;
        std::ifstream in(entry.path());
        ++filesRead;
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            Include include;
            include.name = includedName(line, include.quoted);
            if (include.name.empty()) continue;
            include.file = fs::relative(entry.path(), root).generic_string();
            include.line = number;
            include.header = headerFile(root, entry.path().parent_path(), include.name);
            found.push_back(include);
        }
    }
    return found;
}

// A file and the header of the same name beside it are one unit: "a/b.cpp" and "a/b.h" are "a/b".
std::string unitOf(const fs::path& fromRoot) {
    return (fromRoot.parent_path() / fromRoot.stem()).generic_string();
}

// The include loops among `needs` (each unit to the units it includes): a depth-first walk in name
// order, where an include of a unit still on the walk's path closes a loop. Each loop is the chain
// from that unit round to itself again ("a", "b", "c", "a"). The graph has a loop exactly when the
// walk meets such an include, so an empty answer means there is none.
std::vector<std::vector<std::string>> includeLoops(const std::map<std::string, std::set<std::string>>& needs) {
    enum class Walked { not_yet, on_path, finished };
    std::map<std::string, Walked> walked;
    std::vector<std::string> path;
    std::vector<std::vector<std::string>> loops;
    std::function<void(const std::string&)> walk = [&](const std::string& unit) {
        walked[unit] = Walked::on_path;
        path.push_back(unit);
        const auto next = needs.find(unit);
        if (next != needs.end())
            for (const std::string& other : next->second) {
                const auto seen = walked.find(other);
                if (seen == walked.end()) {
                    walk(other);
                } else if (seen->second == Walked::on_path) {
                    std::vector<std::string> loop(std::find(path.begin(), path.end(), other), path.end());
                    loop.push_back(other);
                    loops.push_back(loop);
                }
            }
        path.pop_back();
        walked[unit] = Walked::finished;
    };
    for (const auto& entry : needs)
        if (walked.count(entry.first) == 0) walk(entry.first);
    return loops;
}

}  // namespace

TEST(Layering, NoFolderIncludesOneAboveIt) {
    const fs::path root = fs::path(VELTRANA_SOURCE_DIR);
    for (const char* top : {"src", "tools", "tests"}) {
        ASSERT_TRUE(fs::is_directory(root / top)) << (root / top).string();
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            if (!entry.is_regular_file() || !isCode(entry.path())) continue;
            const std::string file = fs::relative(entry.path(), root).generic_string();
            if (placeOf(file) == nullptr && file.find('/', std::strlen(top) + 1) == std::string::npos)
                continue;  // a file at the top of src/, tools/ or tests/ (a template, a script)
            ASSERT_NE(placeOf(file), nullptr) << file << " has no place in the layers";
        }
        int filesRead = 0;
        for (const Include& include : includesUnder(root, top, filesRead)) {
            const Place* place = placeOf(include.file);
            if (place == nullptr) continue;  // a file at the top of its folder
            const std::string& name = include.name;
            const std::string where = include.file + ":" + std::to_string(include.line);
            EXPECT_FALSE(isWin32Header(name) && !mayIncludeWin32(include.file))
                << where << " includes <" << name
                << ">, which only src/app and the *_win files may include";
            if (include.header.empty()) {
                EXPECT_FALSE(include.quoted && name.find('/') != std::string::npos)
                    << where << " includes " << name << ", which is no header of the tree";
                continue;
            }
            const Place* target = placeOf(include.header);
            ASSERT_NE(target, nullptr) << include.header.generic_string() << " has no place in the layers";
            EXPECT_TRUE(target == place || target->rank < place->rank)
                << where << " includes " << include.header.generic_string() << ", which is not below "
                << place->path;
        }
        EXPECT_GT(filesRead, 10) << top << "/ was not found whole";
    }
}

// The resource scripts' ids are the shell's: a layer's logic declares the ids it needs beside
// itself (resource_ids.h gathers them), so only src/app and the end-to-end driver, which sends
// the shell's commands, include resource_ids.h.
TEST(Layering, OnlyTheShellIncludesTheResourceIds) {
    const fs::path root = fs::path(VELTRANA_SOURCE_DIR);
    for (const char* top : {"src", "tools", "tests"}) {
        int filesRead = 0;
        for (const Include& include : includesUnder(root, top, filesRead)) {
            const bool shell = include.file.rfind("src/app/", 0) == 0 ||
                               include.file.rfind("tests/e2e/driver/", 0) == 0;
            EXPECT_FALSE(fs::path(include.name).filename() == "resource_ids.h" && !shell)
                << include.file << ":" << include.line
                << " includes resource_ids.h; declare the ids the logic needs in its own layer";
        }
    }
}

// Records travel one way: the shell commits what the forms show into the configuration record,
// and the document, its checks and summaries, the link and every other room below the shells
// take that record and never reach back into a form. So a header that works on a form (one that
// names FormControls) is included only where forms are: the seam and its in-memory form
// (src/platform), the page editor's gauge selectors and page list (src/layout), the settings
// panels' and dialogs' logic (src/settings), and the shells that hold the forms (src/app,
// src/cli, src/web). No other file of src/, in a folder named here or not, includes one; what such a file
// needs of a form's fields (their labels, the texts they show) stands in a plain header beside
// the record.
const char* const kFormPlaces[] = {"src/platform", "src/layout", "src/settings", "src/app", "src/cli", "src/web"};

TEST(Layering, NoFormLogicOutsideTheFormsAndTheShells) {
    const fs::path root = fs::path(VELTRANA_SOURCE_DIR);
    int filesRead = 0;
    for (const Include& include : includesUnder(root, "src", filesRead)) {
        if (include.header.empty()) continue;
        const Place* place = placeOf(include.file);
        const bool formPlace = place != nullptr &&
                               std::any_of(std::begin(kFormPlaces), std::end(kFormPlaces),
                                           [&](const char* path) { return std::strcmp(path, place->path) == 0; });
        if (formPlace) continue;
        std::ifstream in(root / include.header);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(text.find("FormControls"), std::string::npos)
            << include.file << ":" << include.line << " includes " << include.name << ", which works on a form";
    }
    EXPECT_GT(filesRead, 10) << "src/ was not found whole";
}

// No files need each other, however long the way round: a file and its header count as one unit,
// and an include loop between units (a includes b, b includes c, c includes a; two units that
// include each other are the shortest) is refused. One unit of the loop must give up what it takes
// from the next, or both take it from a third.
TEST(Layering, NoIncludeLoop) {
    // The walk itself first, on made-up units, so that a walk gone blind cannot pass the tree: a
    // loop of three is found whole, and two ways to one unit (a diamond) are no loop.
    const std::vector<std::vector<std::string>> loopOfThree = {{"a", "b", "c", "a"}};
    EXPECT_EQ(includeLoops({{"a", {"b"}}, {"b", {"c"}}, {"c", {"a"}}}), loopOfThree);
    EXPECT_TRUE(includeLoops({{"a", {"b", "c"}}, {"b", {"d"}}, {"c", {"d"}}}).empty());

    const fs::path root = fs::path(VELTRANA_SOURCE_DIR);
    std::map<std::string, std::set<std::string>> needs;
    for (const char* top : {"src", "tools", "tests"}) {
        int filesRead = 0;
        for (const Include& include : includesUnder(root, top, filesRead)) {
            if (include.header.empty()) continue;
            const std::string from = unitOf(include.file);
            const std::string to = unitOf(include.header);
            if (to != from) needs[from].insert(to);
        }
    }
    ASSERT_FALSE(needs.empty());
    for (const std::vector<std::string>& loop : includeLoops(needs)) {
        std::string chain;
        for (const std::string& unit : loop) chain += (chain.empty() ? "" : " -> ") + unit;
        ADD_FAILURE() << "include loop: " << chain;
    }
}
