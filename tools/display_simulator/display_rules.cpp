#include "display_rules.h"

#include <cstring>

#include "layout/gauge_catalog.h"

void appendDisplayFloat(std::vector<std::uint8_t>& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    out.push_back(static_cast<std::uint8_t>(bits >> 23));  // exponent
    out.push_back(static_cast<std::uint8_t>(((bits >> 24) & 0x80) | ((bits >> 16) & 0x7F)));
    out.push_back(static_cast<std::uint8_t>(bits >> 8));
    out.push_back(static_cast<std::uint8_t>(bits));
}

float readDisplayFloat(const std::uint8_t* b) {
    const std::uint32_t bits = (static_cast<std::uint32_t>(b[1] & 0x80) << 24) |
                               (static_cast<std::uint32_t>(b[0]) << 23) |
                               (static_cast<std::uint32_t>(b[1] & 0x7F) << 16) |
                               (static_cast<std::uint32_t>(b[2]) << 8) | b[3];
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

std::uint16_t checkValue(const std::uint8_t* bytes, std::size_t length, std::uint16_t running) {
    std::uint16_t reg = running;
    for (std::size_t i = 0; i < length; ++i)
        for (int bit = 0; bit < 8; ++bit) {
            const bool differs = ((bytes[i] >> bit) & 1) != (reg & 1);
            reg = static_cast<std::uint16_t>(reg >> 1);
            if (differs) reg ^= 0x8408;
        }
    return static_cast<std::uint16_t>(~reg);
}

// The catalog's constant table is the data; the scan is ours.
const GaugeDefinition* lookUpGauge(std::uint32_t gaugeId) {
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int position = 0; position < definitionCount(kind); ++position) {
            const GaugeDefinition* d = gaugeDefinition(kind, position);
            if (d && d->gaugeId == gaugeId) return d;
        }
    return nullptr;
}
