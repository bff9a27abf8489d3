#pragma once
// The C library's side of decimal_chars.h: the same conversions through printf and strtod, whose
// conversions are exact (round to nearest). decimal_chars.cpp uses them where the standard
// library lacks the floating-point <charconv>; the unit tests hold them against it.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/decimal_read.h"

namespace c_library_decimal {

inline std::string printed(const char* format, int precision, double value) {
    std::string buffer(320 + static_cast<std::size_t>(precision < 0 ? 0 : precision), '\0');
    const int length = std::snprintf(buffer.data(), buffer.size(), format, precision, value);
    buffer.resize(length > 0 && static_cast<std::size_t>(length) < buffer.size() ? static_cast<std::size_t>(length) : 0);
    return buffer;
}

inline std::string fixedDecimalText(double value, int precision) {
    return printed("%.*f", precision, value);
}

inline std::string scientificDecimalText(double value, int precision) { return printed("%.*e", precision, value); }

inline std::string shortestDecimalText(float value) {
    // The fewest significant digits that read back as the value; printf rounds to the nearest,
    // which is the closest such text.
    std::string scientific;
    for (int precision = 0; precision < 9; ++precision) {
        scientific = printed("%.*e", precision, value);
        if (std::strtof(scientific.c_str(), nullptr) == value) break;
    }
    // The digits and the exponent, for the fixed form.
    const std::size_t e = scientific.find('e');
    const bool negative = scientific[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (scientific[i] != '.') digits += scientific[i];
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    if (value == 0) return negative ? "-0" : "0";
    std::string fixed;
    const int count = static_cast<int>(digits.size());
    if (exponent >= 0) {
        if (count <= exponent + 1) {
            // A whole number: its exact digits, as wide as the shortest ones padded with zeros.
            fixed = printed("%.*f", 0, std::fabs(static_cast<double>(value)));
        } else {
            fixed = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                    digits.substr(static_cast<std::size_t>(exponent + 1));
        }
    } else {
        fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    if (negative) fixed.insert(0, "-");
    return fixed.size() <= scientific.size() ? fixed : scientific;
}

inline DecimalRead readDecimalChars(const std::string& text, double& value) {
    if (text.empty()) return DecimalRead::invalid;
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return DecimalRead::invalid;
    // strtod also reports a result below the smallest normal number; only zero and infinity are
    // out of range.
    if (errno == ERANGE && (value == 0 || std::isinf(value))) return DecimalRead::outOfRange;
    return DecimalRead::ok;
}

}  // namespace c_library_decimal
