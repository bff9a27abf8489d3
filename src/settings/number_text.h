#pragma once
// The texts in which forms show numbers and the way they read them back. Both directions live
// here so that Windows and Linux give the same texts and the same values: the C runtimes differ
// (one reads "inf" and "0x10" as numbers, the other does not; their rounding of ties differs).
#include <cstddef>
#include <cstdint>
#include <string>

// Forms read back at most this many characters of an edit.
constexpr std::size_t kFormTextLimit = 9;

// The text printf gives for "%<width>.<precision>f": the exact binary value rounded to
// `precision` decimals (ties to even), a sign for negative values including -0, right-aligned
// with spaces to at least `width` characters; "inf", "-inf", "nan", "-nan" for non-finite values.
std::string formatFixed(double value, int width, int precision);
// The shortest decimal text that reads back as exactly `value` ("0.15625", "1e+30"); "nan", "inf",
// "-inf" for a value that is not finite.
std::string shortestNumber(float value);

// The text printf gives for "%d".
std::string formatInt(std::int32_t value);

// Leading white space, an optional sign, digits with an optional fraction, an optional exponent.
// Reading stops at the first character that does not fit; a text without a number gives 0.
// "inf", "nan" and hexadecimal are not numbers here ("0x10" reads 0). Out of range: +-infinity
// for too large, +-0 for too small.
double readDecimal(const std::string& text);

// True when the text is one number in that grammar and nothing else but white space around it:
// what readDecimal gives for it is what the text says.
bool isWholeDecimal(const std::string& text);

// Leading white space, an optional sign, digits; stops at the first misfit; no number gives 0.
// A value beyond the 32-bit range saturates at its end.
std::int32_t readInteger(const std::string& text);
