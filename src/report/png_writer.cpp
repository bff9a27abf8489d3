#include "report/png_writer.h"
#include "layout/crc32.h"
#include "platform/file_path.h"
#include "report/png_deflate.h"

#include <algorithm>
#include <fstream>
#include <new>

namespace {

void putBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void putChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    putBE32(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBE32(out, crc32(typed.data(), typed.size()));
}

}  // namespace

std::vector<std::uint8_t> encodeGreyPng(int width, int height, const std::vector<std::uint8_t>& grey) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBE32(header, static_cast<std::uint32_t>(width));
    putBE32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit grey, deflate, adaptive filtering, no interlace
    putChunk(png, "IHDR", header);

    // Each row behind its filter type: 2 (up, the difference from the row above: all zeros) for a
    // row that repeats the one above, as every row of an enlarged picture but the first of each
    // display pixel does, else 0 (none). Runs of zeros pack best.
    const std::size_t rowBytes = static_cast<std::size_t>(width);
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto row = grey.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
        const bool repeated = y > 0 && std::equal(row, row + static_cast<std::ptrdiff_t>(rowBytes),
                                                  row - static_cast<std::ptrdiff_t>(rowBytes));
        raw.push_back(repeated ? 2 : 0);
        if (repeated) raw.insert(raw.end(), rowBytes, 0);
        else raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    putChunk(png, "IDAT", deflated(raw));
    putChunk(png, "IEND", {});
    return png;
}

bool writeGreyPng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& grey) {
    const std::vector<std::uint8_t> png = encodeGreyPng(width, height, grey);
    std::ofstream f(filePath(path), std::ios::binary);
    f.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(f);
}
