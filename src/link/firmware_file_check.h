#pragma once
// The firmware file the user chose, read and checked once before anything is sent: a file that
// is empty or cannot be read is refused, one longer than the transfer takes needs the user's
// consent, and the update dialog shows its name, size and CRC-32 so that the user can compare
// them with what the firmware's maker publishes. The transfer sends the image read here, so
// what was shown is what goes out.
#include <cstdint>
#include <string>
#include <vector>

enum class FirmwareFileVerdict {
    Ready,    // can be sent as it is
    TooLong,  // longer than the transfer takes: only its first part would be sent
    Refused,  // empty or unreadable: nothing may be sent
};

struct CheckedFirmwareFile {
    std::string path;
    FirmwareFileVerdict verdict = FirmwareFileVerdict::Refused;
    std::string reason;               // why it was refused, in plain words
    std::uint64_t size = 0;           // bytes in the whole file
    std::uint32_t crc = 0;            // CRC-32 of the whole file
    std::vector<std::uint8_t> image;  // what the transfer sends: at most its first 32768 bytes
};

// Reads the whole file once, for its size and CRC-32, keeping the bytes that would be sent.
CheckedFirmwareFile checkFirmwareFile(const std::string& path);
// The same check of a file's bytes, read by someone else (the web page, from a chosen File);
// `path` is the name shown in the messages and the summary.
CheckedFirmwareFile checkFirmwareBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The message for a refused file: which file and why.
std::string firmwareRefusalMessage(const CheckedFirmwareFile& file);
// The question for a file that is too long: which file, its size, and what would be sent.
std::string firmwareTooLongWarning(const CheckedFirmwareFile& file);

// The update dialog's lines about the file.
struct FirmwareFileSummary {
    std::string name;  // "File: UPDATE.BIN" (without the folder)
    std::string size;  // "Size: 20480 bytes"
    std::string crc;   // "CRC-32: 1A2B3C4D"
};
FirmwareFileSummary summarizeFirmwareFile(const CheckedFirmwareFile& file);
