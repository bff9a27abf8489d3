#include <cmath>
#include <cstdio>

#include "cli/info_report.h"
#include "platform/utf8_text.h"

namespace {

// A JSON string of valid UTF-8, whatever the bytes of `text`: a file name may hold bytes of
// another encoding, and each byte that is not part of a UTF-8 character becomes U+FFFD.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char ch : validUtf8(text)) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += ch;
        }
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
