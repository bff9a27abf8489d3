#pragma once
// The program icon (resource 103): the display unit seen from the front, its green-grey screen
// showing a dial, 32 x 32 pixels in 16 colours.
#include <cstdint>
#include <vector>

std::vector<std::uint8_t> encodeAppIcon();
