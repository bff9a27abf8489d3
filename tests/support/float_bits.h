#pragma once
// A single-precision value's bits and back, by copying them: the tests' own conversion, so that
// the product's conversions are checked against something they do not share.
#include <cstdint>
#include <cstring>

inline std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float fromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
