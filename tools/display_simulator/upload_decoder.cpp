#include "upload_decoder.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "display_rules.h"
#include "pause_check.h"

namespace {

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* fmt, ...) {
    char text[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    return text;
}

class Decoder {
public:
    Decoder(const std::vector<ReceivedByte>& in, DecodedUpload& out) : in_(in), out_(out) {}

    bool have(std::size_t n, const char* section) {
        if (at_ + n <= in_.size()) return true;
        out_.errors.push_back(format("the stream ended in the %s: %zu bytes received, %zu needed", section,
                                     in_.size(), at_ + n));
        return false;
    }
    std::uint8_t byte(std::size_t offset) const { return in_[offset].value; }

    std::vector<std::uint8_t> take(std::size_t n) {
        std::vector<std::uint8_t> b;
        for (std::size_t i = 0; i < n; ++i) b.push_back(in_[at_ + i].value);
        at_ += n;
        return b;
    }

    bool single(std::uint8_t expected, const char* what) {
        if (!have(1, what)) return false;
        if (byte(at_) != expected)
            out_.errors.push_back(format("byte %zu: %s is 0x%02X, expected 0x%02X", at_, what, byte(at_), expected));
        ++at_;
        return true;
    }

    bool fixed(std::size_t n, std::size_t groupBytes, double pauseMs, const char* what) {
        if (!have(n, what)) return false;
        for (std::size_t g = 0; g < n; g += groupBytes) groups_.push_back({at_ + g, groupBytes, pauseMs, what});
        return true;
    }

    bool paced(std::size_t n, const char* what) {
        if (!have(n, what)) return false;
        for (std::size_t c = 0; c < n; c += 16) {
            const std::size_t len = std::min<std::size_t>(16, n - c);
            groups_.push_back({at_ + c, len, 4.0 * static_cast<double>(len), what});
        }
        return true;
    }

    void run() {
        if (!single(0xB1, "start byte")) return;
        if (!fixed(7680, 30, 30.0, "page image")) return;
        out_.pageImage = take(7680);
        if (!fixed(2048, 8, 10.0, "font image")) return;
        out_.fontImage = take(2048);
        if (!single(0x04, "separator")) return;
        static const std::size_t pieces[] = {76, 6, 432, 231};
        for (int p = 1; p <= 4; ++p) {
            std::string ids;
            for (std::size_t piece : pieces) {
                if (!paced(piece, "engine unit profiles")) return;
                const std::vector<std::uint8_t> b = take(piece);
                if (piece == 76)
                    for (int k = 0; k < 4; ++k) {
                        const std::string id(b.begin() + 19 * k, b.begin() + 19 * k + 13);
                        if (id[0]) ids += (ids.empty() ? "" : ", ") + std::string(id.c_str());
                    }
            }
            out_.notes.push_back(format("profile %d: firmware %s", p, ids.empty() ? "(none)" : ids.c_str()));
        }
        for (int page = 0; page < 4; ++page) {
            const std::string name = format("page %d section", page + 1);
            if (!have(1, name.c_str())) return;
            const int count = byte(at_);
            ++at_;
            if (count > 128) out_.errors.push_back(format("page %d: count byte %d is more than 128", page + 1, count));
            out_.gaugeCounts[page] = count;
            std::uint16_t check = 0;
            for (int g = 0; g < count; ++g) {
                if (!paced(14, "gauge records")) return;
                const std::vector<std::uint8_t> r = take(14);
                check = checkValue(r.data(), r.size(), check);
                out_.gauges.push_back(DecodedGauge{page, static_cast<unsigned>(r[0] | r[1] << 8), r[12], r[13]});
                out_.notes.push_back(format("page %d gauge %d: id 0x%04X channel %d/%d range %g..%g at column %d row %d",
                                            page + 1, g + 1, r[0] | r[1] << 8, r[2], r[3], readDisplayFloat(&r[4]),
                                            readDisplayFloat(&r[8]), r[12], r[13]));
                if (r[12] >= 240 || r[13] >= 64)
                    out_.errors.push_back(format("page %d gauge %d: position %d,%d is off the page", page + 1, g + 1, r[12], r[13]));
            }
            if (!paced(2, "page check value")) return;
            const std::size_t where = at_;
            const std::vector<std::uint8_t> c = take(2);
            const int got = c[0] | c[1] << 8;
            if (got != check)
                out_.errors.push_back(format("byte %zu: page %d check value 0x%04X, the records give 0x%04X", where,
                                             page + 1, got, check));
        }
        if (!paced(44, "vehicle record")) return;
        const std::vector<std::uint8_t> v = take(44);
        out_.notes.push_back(format("vehicle: rev meter %d..%d, fuel factor %g, tyre %g ft, weight %g, drag %g",
                                    v[0] | v[1] << 8, v[2] | v[3] << 8, readDisplayFloat(&v[4]),
                                    readDisplayFloat(&v[32]), readDisplayFloat(&v[36]), readDisplayFloat(&v[40])));
        if (!paced(528, "custom sensor section")) return;
        take(528);
        if (!paced(4, "warning page masks")) return;
        const std::vector<std::uint8_t> m = take(4);
        out_.notes.push_back(format("warning masks: %02X %02X %02X %02X", m[0], m[1], m[2], m[3]));
        for (int w = 0; w < 8; ++w) {
            if (!paced(24, "warning records")) return;
            take(24);
        }
        if (at_ != in_.size())
            out_.errors.push_back(format("%zu bytes arrived after the last warning record", in_.size() - at_));
    }

    void checkPauses(double toleranceMs) {
        const std::vector<std::size_t> found = shortPauses(in_, groups_, toleranceMs);
        for (std::size_t i = 0; i < found.size() && i < 10; ++i) {
            const PacedGroup& g = groups_[found[i]];
            out_.errors.push_back(format("byte %zu (%s): came at most %.3f ms after byte %zu, the minimum is %.0f ms",
                                         g.first + g.length, g.what, longestPauseMs(in_, g), g.first, g.minimumMs));
        }
        if (found.size() > 10) out_.errors.push_back(format("%zu pauses short in all", found.size()));
        // How close the sender came: the least that the longest reading of a pause exceeds its
        // minimum by (negative when short).
        double closest = 1e9;
        std::size_t at = 0;
        for (const PacedGroup& g : groups_) {
            if (g.first + g.length >= in_.size()) continue;
            const double over = longestPauseMs(in_, g) - g.minimumMs;
            if (over < closest) closest = over, at = g.first + g.length;
        }
        if (closest < 1e9) out_.notes.push_back(format("closest pause: %+.3f ms against its minimum, before byte %zu", closest, at));
    }

private:
    const std::vector<ReceivedByte>& in_;
    DecodedUpload& out_;
    std::size_t at_ = 0;
    std::vector<PacedGroup> groups_;
};

}  // namespace

DecodedUpload decodeUpload(const std::vector<ReceivedByte>& bytes, bool checkTiming, double toleranceMs) {
    DecodedUpload out;
    Decoder d(bytes, out);
    d.run();  // a section that runs short is named in errors and ends the decoding
    if (checkTiming) d.checkPauses(toleranceMs);
    return out;
}
