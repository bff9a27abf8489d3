#pragma once
// The page image as a picture file: the four pages stacked, page 1 on top, one picture pixel per
// display pixel.
#include <cstdint>
#include <vector>

constexpr int kDisplayPictureWidth = 240;
constexpr int kDisplayPictureHeight = 256;

// 240 x 256 grey bytes, top row first: 0 (black) for a dark pixel, 255 (white) otherwise.
std::vector<std::uint8_t> displayPictureGrey(const std::vector<std::uint8_t>& pageImage);
