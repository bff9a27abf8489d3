#include "platform/decimal_chars.h"

#include <charconv>
#include <system_error>

#if !defined(__cpp_lib_to_chars)
#include "platform/decimal_chars_c_library.h"
#endif

#if defined(__cpp_lib_to_chars)

namespace {

// The largest double has 309 integer digits; room for those, a sign, the point and the decimals.
std::size_t roomFor(int precision) { return 320 + static_cast<std::size_t>(precision < 0 ? 0 : precision); }

template <typename... Format>
std::string toChars(double value, std::size_t room, Format... format) {
    std::string buffer(room, '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format...);
    buffer.resize(result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - buffer.data()) : 0);
    return buffer;
}

}  // namespace

std::string fixedDecimalText(double value, int precision) {
    return toChars(value, roomFor(precision), std::chars_format::fixed, precision);
}

std::string scientificDecimalText(double value, int precision) {
    return toChars(value, roomFor(precision), std::chars_format::scientific, precision);
}

std::string shortestDecimalText(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

DecimalRead readDecimalChars(const std::string& text, double& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) return DecimalRead::outOfRange;
    return result.ec == std::errc() ? DecimalRead::ok : DecimalRead::invalid;
}

#else

std::string fixedDecimalText(double value, int precision) { return c_library_decimal::fixedDecimalText(value, precision); }
std::string scientificDecimalText(double value, int precision) {
    return c_library_decimal::scientificDecimalText(value, precision);
}
std::string shortestDecimalText(float value) { return c_library_decimal::shortestDecimalText(value); }
DecimalRead readDecimalChars(const std::string& text, double& value) {
    return c_library_decimal::readDecimalChars(text, value);
}

#endif
