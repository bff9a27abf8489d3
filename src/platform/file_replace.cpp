#include "platform/file_replace.h"

#include <cctype>
#include <random>

bool namesWindowsDevice(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string base = path.substr(slash == std::string::npos ? 0 : slash + 1);
    base = base.substr(0, base.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    std::string upper;
    for (char c : base) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" || upper == "CONIN$" ||
        upper == "CONOUT$")
        return true;
    if (upper.size() < 4 || (upper.compare(0, 3, "COM") != 0 && upper.compare(0, 3, "LPT") != 0)) return false;
    const std::string number = upper.substr(3);
    // One digit, or a superscript one, two or three in UTF-8.
    return (number.size() == 1 && std::isdigit(static_cast<unsigned char>(number[0]))) ||
           number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

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
    case FileReplaceResult::deviceName:
        return "Windows keeps this name for a device (such as COM7 or NUL), so no file can have it; "
               "choose another name.";
    case FileReplaceResult::brokenLink:
        return "It is a symbolic link to a file that does not exist, so it was left as it is.";
    }
    return "The file cannot be written.";
}
