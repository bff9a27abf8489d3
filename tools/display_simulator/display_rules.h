#pragma once
// The display's own reading of the wire forms, written from their definitions and kept apart from
// the editor's encoders, so that a fault there cannot hide itself here: the 4-byte float layout,
// the 16-bit check value, and the gauge catalog looked up by identifier.
#include <cstddef>
#include <cstdint>
#include <vector>

struct GaugeDefinition;

// Appends the display float of `value`: exponent byte, sign with fraction bits 22..16, then
// fraction bits 15..8 and 7..0.
void appendDisplayFloat(std::vector<std::uint8_t>& out, float value);
float readDisplayFloat(const std::uint8_t* bytes);

// The check value over `length` bytes, continuing from `running` (0 for a page's first record):
// the reflected register algorithm with 0x8408, complemented at the end.
std::uint16_t checkValue(const std::uint8_t* bytes, std::size_t length, std::uint16_t running);

// The first catalog entry with this identifier, kinds and positions in order; nullptr for none.
const GaugeDefinition* lookUpGauge(std::uint32_t gaugeId);
