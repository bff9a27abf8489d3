#include "report/png_writer.h"
#include "layout/crc32.h"
#include "platform/file_path.h"

#include <algorithm>
#include <fstream>

namespace {

// The zlib stream's check value over the uncompressed bytes.
std::uint32_t adler32Of(const std::uint8_t* data, std::size_t length) {
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < length; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

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

std::vector<std::uint8_t> encodeStoredGreyPng(int width, int height, const std::vector<std::uint8_t>& grey) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBE32(header, static_cast<std::uint32_t>(width));
    putBE32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit grey, deflate, no filter choice, no interlace
    putChunk(png, "IHDR", header);

    std::vector<std::uint8_t> raw;  // every row with filter type 0
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), grey.begin() + static_cast<std::ptrdiff_t>(y) * width,
                   grey.begin() + static_cast<std::ptrdiff_t>(y + 1) * width);
    }
    std::vector<std::uint8_t> z = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        const bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    putBE32(z, adler32Of(raw.data(), raw.size()));
    putChunk(png, "IDAT", z);
    putChunk(png, "IEND", {});
    return png;
}

bool writeGreyPng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& grey) {
    const std::vector<std::uint8_t> png = encodeStoredGreyPng(width, height, grey);
    std::ofstream f(filePath(path), std::ios::binary);
    f.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(f);
}
