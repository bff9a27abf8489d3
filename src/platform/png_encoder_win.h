#pragma once
// PNG files through the Windows Imaging Component, the platform's own encoder.
#include <cstdint>
#include <string>
#include <vector>

// Encodes width x height grey bytes (top row first, 0 black, 255 white) as an 8-bit grey PNG in
// memory. False with the reason in plain words when the platform cannot do it.
bool encodeGreyPngThroughWic(int width, int height, const std::vector<std::uint8_t>& grey,
                             std::vector<std::uint8_t>& png, std::string& reason);
