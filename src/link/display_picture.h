#pragma once
// The page image as a picture file: the four pages stacked, page 1 on top, one picture pixel per
// display pixel.
#include <cstdint>
#include <string>
#include <vector>

constexpr int kDisplayPictureWidth = 240;
constexpr int kDisplayPictureHeight = 256;

// 240 x 256 grey bytes, top row first: 0 (black) for a dark pixel, 255 (white) otherwise.
std::vector<std::uint8_t> displayPictureGrey(const std::vector<std::uint8_t>& pageImage);

// The path with ".png" appended when its file name (the part after the last folder separator)
// has no extension.
std::string withPictureExtension(const std::string& path);
// The same rule for any extension (with its point).
std::string withDefaultExtension(const std::string& path, const std::string& extension);

// The message box text for a picture that could not be written, naming the file and the reason.
std::string exportFailureMessage(const std::string& path, const std::string& reason);
