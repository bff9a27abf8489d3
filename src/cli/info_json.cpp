#include <cmath>
#include <cstdio>

#include "cli/info_report.h"

namespace {

// The length of the well-formed UTF-8 sequence of more than one byte that starts at text[at], or
// 0 when the bytes there are none: a stray continuation byte, a cut or overlong sequence, a
// surrogate, a value above U+10FFFF.
std::size_t multiByteLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    }
    if (length == 0 || at + length > text.size() || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

// A JSON string of valid UTF-8, whatever the bytes of `text`: a file name may hold bytes of
// another encoding, and each byte that is not part of a UTF-8 character becomes U+FFFD.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c >= 0x80) {
            const std::size_t length = multiByteLength(text, at);
            out += length ? text.substr(at, length) : "\xEF\xBF\xBD";
            at += length ? length : 1;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
        ++at;
    }
    return out + "\"";
}

// JSON has no NaN or infinity: those are null.
std::string number(float value) { return std::isfinite(value) ? shortestNumber(value) : "null"; }

std::string hexId(std::uint32_t value, int digits) { return quoted(hexWord(value, digits)); }

template <typename T, typename F>
std::string array(const std::vector<T>& items, F item, const char* separator = ", ") {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? separator : "") + item(items[i]);
    return out + "]";
}

}  // namespace

std::string jsonString(const std::string& text) { return quoted(text); }

std::string formatInfoJson(const InfoReport& report) {
    std::string out = "{\n  \"file\": " + quoted(report.file) + ",\n  \"version\": " + hexId(report.version, 8) + ",\n";
    out += "  \"pages\": [\n";
    for (int page = 1; page <= 4; ++page) {
        std::vector<GaugeInfo> on;
        for (const GaugeInfo& g : report.gauges)
            if (g.page == page) on.push_back(g);
        out += "    {\"page\": " + std::to_string(page) + ", \"gauges\": " +
               array(on, [](const GaugeInfo& g) {
                   return "{\"slot\": " + std::to_string(g.slot) +
                          ", \"name\": " + (g.inCatalog ? quoted(g.name) : "null") + ", \"id\": " + hexId(g.gaugeId, 4) +
                          ", \"column\": " + std::to_string(g.column) + ", \"row\": " + std::to_string(g.row) +
                          ", \"width\": " + std::to_string(g.width) + ", \"height\": " + std::to_string(g.height) + "}";
               }, ",\n      ") +
               "}" + (page < 4 ? ",\n" : "\n");
    }
    out += "  ],\n  \"vehicle\": {";
    for (std::size_t i = 0; i < report.vehicle.size(); ++i)
        out += (i ? ",\n    " : "\n    ") + quoted(report.vehicle[i].label) + ": " + quoted(report.vehicle[i].text);
    out += "\n  },\n  \"curves\": [";
    for (int sensor = 0; sensor < kCustomSensorCount; ++sensor) {
        const std::vector<float> points(report.curves.points[sensor], report.curves.points[sensor] + kCurvePointCount);
        out += (sensor ? ",\n    " : "\n    ") + array(points, number);
    }
    out += "\n  ],\n  \"warnings\": " +
           array(report.warnings, [](const WarningInfo& w) {
               return "{\"warning\": " + std::to_string(w.warning) + ", \"conditions\": " +
                      array(w.conditions, [](const WarningConditionInfo& c) {
                          return "{\"parameter\": " + (c.parameterName.empty() ? std::to_string(c.parameter) : quoted(c.parameterName)) +
                                 ", \"condition\": " + quoted(c.condition) + ", \"value\": " + number(c.value) +
                                 ", \"unit\": " + quoted(c.unit == " " ? "" : c.unit) + "}";
                      }) +
                      ", \"pages\": " + array(w.pages, [](int p) { return std::to_string(p); }) + "}";
           }, ",\n    ") +
           "\n}\n";
    return out;
}
