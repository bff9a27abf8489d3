#include "report/png_deflate.h"

#include <zlib.h>

#include <algorithm>
#include <new>

#include "report/png_writer.h"

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

