#pragma once
// The recent files of the File menu: the last files loaded or saved, newest first, kept across
// runs as one stored text per entry.
#include <string>
#include <vector>

constexpr std::size_t kRecentFileCount = 4;
// A stored entry longer than this is not a path the program wrote; it is ignored.
constexpr std::size_t kLongestRecentPath = 1024;

// `path` at the front; an entry naming the same file (letters compared without case in every
// script, as Windows compares names) leaves its old place; at most kRecentFileCount entries.
std::vector<std::string> withRecentFile(std::vector<std::string> list, const std::string& path);
// The list without `path` (compared as above).
std::vector<std::string> withoutRecentFile(std::vector<std::string> list, const std::string& path);
// The list from stored texts in their order: empty, overlong entries and entries holding control
// characters are dropped, as are repeats; at most kRecentFileCount entries.
std::vector<std::string> recentFilesFromStored(const std::vector<std::string>& stored);
// The menu item for position 0..3: "&1 C:\cars\car.vtl", with the path's ampersands doubled and
// a long path shortened in its middle.
std::string recentFileMenuText(std::size_t position, const std::string& path);
// The message when a listed file is gone, which takes it off the list.
std::string recentFileGoneMessage(const std::string& path);
