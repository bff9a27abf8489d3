#include "document/recent_files.h"

#include <algorithm>

#include "platform/file_identity.h"

namespace {

// Paths are UTF-8, compared as Windows compares file names: case folded in every script.
bool sameFile(const std::string& a, const std::string& b) { return isSameFileName(a, b); }

bool storable(const std::string& path) {
    if (path.empty() || path.size() > kLongestRecentPath) return false;
    return std::none_of(path.begin(), path.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// Shortest cut in the middle that fits, never inside a UTF-8 sequence.
constexpr std::size_t kLongestMenuPath = 120;

std::string shortenedInMiddle(const std::string& path) {
    if (path.size() <= kLongestMenuPath) return path;
    const std::size_t keep = (kLongestMenuPath - 3) / 2;
    std::size_t head = keep, tail = path.size() - keep;
    auto continuation = [&](std::size_t at) {
        return (static_cast<unsigned char>(path[at]) & 0xC0) == 0x80;
    };
    while (head > 0 && continuation(head)) --head;
    while (tail < path.size() && continuation(tail)) ++tail;
    return path.substr(0, head) + "..." + path.substr(tail);
}

}  // namespace

std::vector<std::string> withRecentFile(std::vector<std::string> list, const std::string& path) {
    list = withoutRecentFile(std::move(list), path);
    list.insert(list.begin(), path);
    if (list.size() > kRecentFileCount) list.resize(kRecentFileCount);
    return list;
}

std::vector<std::string> withoutRecentFile(std::vector<std::string> list, const std::string& path) {
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const std::string& entry) { return sameFile(entry, path); }),
               list.end());
    return list;
}

std::vector<std::string> recentFilesFromStored(const std::vector<std::string>& stored) {
    std::vector<std::string> list;
    for (const std::string& entry : stored) {
        if (list.size() == kRecentFileCount) break;
        if (!storable(entry)) continue;
        if (std::any_of(list.begin(), list.end(),
                        [&](const std::string& kept) { return sameFile(kept, entry); }))
            continue;
        list.push_back(entry);
    }
    return list;
}

std::string recentFileMenuText(std::size_t position, const std::string& path) {
    std::string text = "&" + std::to_string(position + 1) + " ";
    for (char c : shortenedInMiddle(path)) {
        text += c;
        if (c == '&') text += '&';
    }
    return text;
}

std::string recentFileGoneMessage(const std::string& path) {
    return path + " cannot be found. It is taken off the recent files.";
}
