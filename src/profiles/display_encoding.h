#pragma once
// The display's wire forms: its 4-byte float layout and the 16-bit check value that ends each
// page's gauge records.
#include <array>
#include <cstddef>
#include <cstdint>

// Rearranges the bits of an IEEE single: exponent byte first, then the sign with fraction bits
// 22..16, then fraction bits 15..8 and 7..0. Infinities and NaNs are rearranged like any value.
std::array<std::uint8_t, 4> toDisplayFloat(float value);

// The IEEE single whose bits are `bits`: the display's constants are given by the exact bits they
// have always had, never by a decimal text that might round to a neighbour.
float singleFromBits(std::uint32_t bits);

// One check-value step over `length` bytes: a reflected CRC-16 (polynomial 0x1021, register seeded
// with the low 16 bits of `running`) whose result is complemented. The complemented result of one
// record seeds the next record as it is, so records chain without a second complement.
std::uint16_t displayCrc(const std::uint8_t* bytes, std::size_t length, std::uint32_t running);
