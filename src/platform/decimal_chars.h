#pragma once
// Numbers to decimal text and back as <charconv> does for floating point: exact conversions with
// round-to-nearest, independent of the C library and its locale. Where the standard library lacks
// the floating-point forms (an older libc++, as emscripten's), the C library's printf and strtod
// stand in: their conversions are exact too, so the texts and values are the same.
#include <string>

#include "platform/decimal_read.h"

// printf's "%.<precision>f" of a finite value.
std::string fixedDecimalText(double value, int precision);
// printf's "%.<precision>e" of a finite value ("1.25e-05").
std::string scientificDecimalText(double value, int precision);
// The shortest text that reads back as `value` (finite), fixed or with an exponent, whichever is
// shorter, fixed on a tie: what std::to_chars(first, last, value) writes.
std::string shortestDecimalText(float value);

// Reads a whole text of digits with an optional point and exponent and no sign, as
// std::from_chars with chars_format::general does.
DecimalRead readDecimalChars(const std::string& text, double& value);
