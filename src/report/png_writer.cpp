#include "report/png_writer.h"
#include "layout/crc32.h"
#include "platform/file_path.h"

#include <zlib.h>

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

// The zlib stream (header, deflate data, Adler-32) of `raw` with the pinned settings. zlib counts
// in 32-bit numbers, so the output is taken in pieces and an input above 1 GiB would be handed
// over in pieces too (the largest picture the programs make, render at scale 16, is 15.7 MB).
std::vector<std::uint8_t> deflated(const std::vector<std::uint8_t>& raw) {
    // The stream's memory is given back however this ends (deflateEnd refuses a stream that
    // never started).
    struct Stream {
        z_stream z{};
        ~Stream() { deflateEnd(&z); }
    } stream;
    z_stream& z = stream.z;
    if (deflateInit2(&z, kPngDeflateLevel, Z_DEFLATED, kPngDeflateWindowBits, kPngDeflateMemoryLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();  // zlib's only failure with valid settings: no memory
    constexpr std::size_t kPiece = std::size_t{1} << 30;
    std::vector<std::uint8_t> out;
    std::uint8_t buffer[1 << 16];
    std::size_t at = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (z.avail_in == 0 && at < raw.size()) {
            const std::size_t n = std::min(kPiece, raw.size() - at);
            z.next_in = const_cast<Bytef*>(raw.data() + at);  // zlib's interface predates const
            z.avail_in = static_cast<uInt>(n);
            at += n;
        }
        z.next_out = buffer;
        z.avail_out = sizeof buffer;
        status = deflate(&z, at == raw.size() ? Z_FINISH : Z_NO_FLUSH);
        // Z_BUF_ERROR only says that a call made no progress; the next one does.
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) throw std::bad_alloc();
        out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
    }
    return out;
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
