#include "platform/file_replace.h"

#include <random>

std::string temporaryWriteCandidate(const std::string& path) {
    static std::mt19937 random{std::random_device{}()};
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kLetters) - 2);
    std::string name = path + ".saving-";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    return name;
}

std::string writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    switch (replaceFileContents(path, bytes)) {
    case FileReplaceResult::replaced: return {};
    case FileReplaceResult::cannotCreate: return "The file cannot be created there.";
    case FileReplaceResult::cannotWrite: return "Not everything could be written (is the disk full?).";
    case FileReplaceResult::cannotReplace:
        return "The existing file cannot be replaced (is it read-only or in use?).";
    case FileReplaceResult::notRegularFile:
        return "It is not a regular file (a folder, a device or a pipe), so it was left as it is.";
    case FileReplaceResult::brokenLink:
        return "It is a symbolic link to a file that does not exist, so it was left as it is.";
    }
    return "The file cannot be written.";
}
