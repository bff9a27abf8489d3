#pragma once
// How a decimal text read (decimal_chars.h): a number, one beyond the range of double (too large
// or too small), or none.
enum class DecimalRead { ok, outOfRange, invalid };
