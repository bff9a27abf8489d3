#include "profiles/display_encoding.h"

#include <cstring>

std::array<std::uint8_t, 4> toDisplayFloat(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const std::uint32_t sign = bits >> 31;
    const std::uint32_t exponent = (bits >> 23) & 0xFF;
    const std::uint32_t fraction = bits & 0x7FFFFF;
    return {static_cast<std::uint8_t>(exponent),
            static_cast<std::uint8_t>((sign << 7) | (fraction >> 16)),
            static_cast<std::uint8_t>(fraction >> 8), static_cast<std::uint8_t>(fraction)};
}

float singleFromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint16_t displayCrc(const std::uint8_t* bytes, std::size_t length, std::uint32_t running) {
    std::uint16_t reg = static_cast<std::uint16_t>(running);
    for (std::size_t i = 0; i < length; ++i) {
        std::uint8_t byte = bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            const bool differs = ((byte ^ reg) & 1) != 0;
            reg = static_cast<std::uint16_t>(reg >> 1);
            if (differs) reg ^= 0x8408;
            byte = static_cast<std::uint8_t>(byte >> 1);
        }
    }
    return static_cast<std::uint16_t>(~reg);
}
