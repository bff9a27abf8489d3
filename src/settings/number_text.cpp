#include "settings/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "platform/decimal_chars.h"

namespace {

bool isFormSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string padLeft(std::string text, int width) {
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

}  // namespace

std::string formatFixed(double value, int width, int precision) {
    if (precision < 0) precision = 0;
    std::string text;
    if (std::isnan(value)) {
        text = std::signbit(value) ? "-nan" : "nan";
    } else if (std::isinf(value)) {
        text = value < 0 ? "-inf" : "inf";
    } else {
        text = fixedDecimalText(value, precision);
    }
    return padLeft(text, width);
}

std::string formatInt(std::int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

// The decimal reading proper; `end` receives how many characters of `text` it used (0 when
// there is no number).
double scanDecimal(const std::string& text, std::size_t& end) {
    end = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isFormSpace(text[i])) ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // The number proper, copied without its sign for the conversion below.
    std::string number;
    std::size_t digits = 0;
    // Where the first significant digit stands: the count of integer digits from the first
    // non-zero one on, or minus the count of zeros after the point when there are none.
    long magnitude = 0;
    bool significant = false;
    while (i < n && isDigit(text[i])) {
        if (significant || text[i] != '0') {
            significant = true;
            ++magnitude;
        }
        number += text[i++];
        ++digits;
    }
    if (i < n && text[i] == '.') {
        number += text[i++];
        while (i < n && isDigit(text[i])) {
            if (!significant && text[i] == '0') --magnitude;
            if (text[i] != '0') significant = true;
            number += text[i++];
            ++digits;
        }
    }
    if (digits == 0) return 0.0;

    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) exponentNegative = text[j++] == '-';
        if (j < n && isDigit(text[j])) {
            number += 'e';
            if (exponentNegative) number += '-';
            while (j < n && isDigit(text[j])) {
                if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
                number += text[j++];
            }
            if (exponentNegative) exponent = -exponent;
            i = j;
        }
    }
    end = i;

    double value = 0.0;
    const DecimalRead read = readDecimalChars(number, value);
    if (read == DecimalRead::outOfRange) {
        // Too large gives infinity, too small gives zero, as the C library's conversion does.
        const bool tooLarge = magnitude + exponent > 0;
        value = tooLarge ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (read != DecimalRead::ok) {
        value = 0.0;
    }
    return negative ? -value : value;
}

}  // namespace

double readDecimal(const std::string& text) {
    std::size_t end = 0;
    return scanDecimal(text, end);
}

bool isWholeDecimal(const std::string& text) {
    std::size_t end = 0;
    scanDecimal(text, end);
    if (end == 0) return false;
    while (end < text.size() && isFormSpace(text[end])) ++end;
    return end == text.size();
}

std::int32_t readInteger(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isFormSpace(text[i])) ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // Accumulated as a negative number, whose range reaches one further than the positive one.
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    while (i < n && isDigit(text[i])) {
        value = value * 10 - (text[i++] - '0');
        if (value < kMin) value = kMin - 1;  // saturated; stays below the range
    }
    if (negative) return value < kMin ? std::numeric_limits<std::int32_t>::min()
                                      : static_cast<std::int32_t>(value);
    const std::int64_t positive = -value;
    return positive > std::numeric_limits<std::int32_t>::max()
               ? std::numeric_limits<std::int32_t>::max()
               : static_cast<std::int32_t>(positive);
}

std::string shortestNumber(float value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    return shortestDecimalText(value);
}
