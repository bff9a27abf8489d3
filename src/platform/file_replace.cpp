#include "platform/file_replace.h"

std::string temporaryWritePath(const std::string& path) { return path + ".saving"; }

std::string writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    switch (replaceFileContents(path, temporaryWritePath(path), bytes)) {
    case FileReplaceResult::replaced: return {};
    case FileReplaceResult::cannotCreate: return "The file cannot be created there.";
    case FileReplaceResult::cannotWrite: return "Not everything could be written (is the disk full?).";
    case FileReplaceResult::cannotReplace:
        return "The existing file cannot be replaced (is it read-only or in use?).";
    }
    return "The file cannot be written.";
}
