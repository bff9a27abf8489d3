#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "layout/crc32.h"
#include "link/firmware_file_check.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t crcOf(const std::string& text) {
    return crc32(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// A file of n bytes that differ from piece to piece, so a piece summed twice or skipped shows.
std::string writeSample(const std::string& name, std::size_t n, Bytes& content) {
    content.resize(n);
    for (std::size_t i = 0; i < n; ++i) content[i] = static_cast<std::uint8_t>((i * 13 + i / 251) & 0xFF);
    const std::string path = (std::filesystem::temp_directory_path() / ("veltrana_check_" + name)).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    return path;
}

}  // namespace

TEST(Crc32, GivesThePublishedCheckValues) {
    EXPECT_EQ(crcOf("123456789"), 0xCBF43926u);
    EXPECT_EQ(crcOf("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
    EXPECT_EQ(crcOf(""), 0u);
}

TEST(FirmwareFileCheck, SizeAndCrcCoverTheWholeFileWhileTheImageStopsAt32768) {
    // 70000 bytes: more than one read piece (summed on from the one before), and more than the
    // transfer takes.
    Bytes content;
    const std::string path = writeSample("long.bin", 70000, content);
    const CheckedFirmwareFile file = checkFirmwareFile(path);
    std::remove(path.c_str());
    ASSERT_EQ(file.verdict, FirmwareFileVerdict::TooLong);
    EXPECT_EQ(file.size, 70000u);
    EXPECT_EQ(file.crc, crc32(content.data(), content.size()));
    EXPECT_EQ(file.image, Bytes(content.begin(), content.begin() + 32768));

    const std::string warning = firmwareTooLongWarning(file);
    for (const std::string& part : {path, std::string("70000 bytes"), std::string("32768")})
        EXPECT_NE(warning.find(part), std::string::npos) << part;
    EXPECT_EQ(summarizeFirmwareFile(file).size, "Size: 70000 bytes (the first 32768 are sent)");
}

TEST(FirmwareFileCheck, SummaryNamesTheFileWithoutItsFolderAndShowsTheCrcInHex) {
    CheckedFirmwareFile file;
    file.size = 200;
    file.crc = 0x0A1B2C3D;
    for (const char* path : {"C:\\firmware\\v2\\UPDATE.BIN", "Z:/tmp/UPDATE.BIN", "UPDATE.BIN"}) {
        file.path = path;
        const FirmwareFileSummary summary = summarizeFirmwareFile(file);
        EXPECT_EQ(summary.name, "File: UPDATE.BIN") << "case " << path;
        EXPECT_EQ(summary.size, "Size: 200 bytes") << "case " << path;
        EXPECT_EQ(summary.crc, "CRC-32: 0A1B2C3D") << "case " << path;
    }
}
