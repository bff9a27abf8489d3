#pragma once
// The PNG encoder for 8-bit grey pictures, deflated by zlib: a row that repeats the one above
// goes with filter type 2 (up: all zeros), any other row with filter type 0 (none). Every picture
// the programs write goes through it, so the editor's exported display picture and the command
// line's render of the same configuration are the same bytes (both link the same zlib release:
// Debian's native one and its MinGW-w64 build).
#include <cstdint>
#include <string>
#include <vector>

// zlib's settings for the picture data, pinned rather than left to the library's defaults, since
// the editor and the command line must give the same bytes: the best compression (the largest
// render, 15.7 MB of pixels, packs into some 30 KB), the whole 32 KB window, the default memory
// level and strategy.
constexpr int kPngDeflateLevel = 9;
constexpr int kPngDeflateWindowBits = 15;
constexpr int kPngDeflateMemoryLevel = 8;

// `grey` holds width x height bytes, top row first.
std::vector<std::uint8_t> encodeGreyPng(int width, int height, const std::vector<std::uint8_t>& grey);
bool writeGreyPng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& grey);
