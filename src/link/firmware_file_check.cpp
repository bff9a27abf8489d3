#include "link/firmware_file_check.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "layout/crc32.h"
#include "link/firmware_update.h"
#include "platform/file_path.h"

namespace {

std::string errorText(int error, const char* otherwise) {
    return error ? std::strerror(error) : otherwise;
}

std::string hex8(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Sums a file given in pieces and keeps what the transfer would send.
void addPiece(CheckedFirmwareFile& file, const std::uint8_t* bytes, std::size_t count) {
    file.crc = crc32(bytes, count, file.crc);
    const std::size_t room = kFirmwareMaxBytes - file.image.size();
    file.image.insert(file.image.end(), bytes, bytes + std::min(room, count));
    file.size += count;
}

// The verdict on a file read in full.
void judge(CheckedFirmwareFile& file) {
    if (file.size == 0) {
        file.reason = "The file is empty: there is nothing to send.";
        return;
    }
    file.verdict = file.size > kFirmwareMaxBytes ? FirmwareFileVerdict::TooLong : FirmwareFileVerdict::Ready;
}

}  // namespace

CheckedFirmwareFile checkFirmwareFile(const std::string& path) {
    CheckedFirmwareFile file;
    file.path = path;
    errno = 0;
    std::FILE* f = openFile(path, "rb");
    if (!f) {
        file.reason = "It cannot be opened: " + errorText(errno, "unknown reason") + ".";
        return file;
    }
    // Read in pieces: a large file chosen by mistake is summed without holding all of it.
    std::vector<std::uint8_t> piece(64 * 1024);
    std::size_t got = 0;
    errno = 0;
    while ((got = std::fread(piece.data(), 1, piece.size(), f)) > 0) addPiece(file, piece.data(), got);
    // A read error (a folder opened as a file, a device that fails) is not an empty file.
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (failed) {
        file.reason = "It cannot be read: " + errorText(error, "unknown reason") + ".";
        file.image.clear();
        return file;
    }
    judge(file);
    return file;
}

CheckedFirmwareFile checkFirmwareBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    CheckedFirmwareFile file;
    file.path = path;
    addPiece(file, bytes.data(), bytes.size());
    judge(file);
    return file;
}

std::string firmwareRefusalMessage(const CheckedFirmwareFile& file) {
    return "The firmware file cannot be used:\n" + file.path + "\n\n" + file.reason +
           "\nNothing has been sent to the display.";
}

std::string firmwareTooLongWarning(const CheckedFirmwareFile& file) {
    return "The firmware file is larger than the display takes:\n" + file.path + "\n\nIt has " +
           std::to_string(file.size) + " bytes; the update sends only its first " +
           std::to_string(kFirmwareMaxBytes) +
           " bytes. Is this the right file?\n\nChoose OK to send them anyway.";
}

FirmwareFileSummary summarizeFirmwareFile(const CheckedFirmwareFile& file) {
    FirmwareFileSummary summary;
    summary.name = "File: " + fileName(file.path);
    summary.size = "Size: " + std::to_string(file.size) + " bytes";
    if (file.size > kFirmwareMaxBytes)
        summary.size += " (the first " + std::to_string(kFirmwareMaxBytes) + " are sent)";
    summary.crc = "CRC-32: " + hex8(file.crc);
    return summary;
}
