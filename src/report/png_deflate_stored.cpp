#include "report/png_deflate.h"

#include <algorithm>

namespace {

// The zlib stream's check value over the uncompressed bytes.
std::uint32_t adler32Of(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

}  // namespace

// Stored blocks of at most 65535 bytes each, behind the zlib header of the fastest level.
std::vector<std::uint8_t> deflated(const std::vector<std::uint8_t>& raw) {
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
    const std::uint32_t check = adler32Of(raw);
    for (int shift = 24; shift >= 0; shift -= 8) z.push_back(static_cast<std::uint8_t>(check >> shift));
    return z;
}
