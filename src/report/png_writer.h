#pragma once
// A minimal PNG encoder for 8-bit grey pictures: stored (uncompressed) deflate blocks with their
// zlib Adler-32 and the chunk CRC-32, no library needed. Every picture the programs write goes
// through it, so the editor's exported display picture and the command line's render of the same
// configuration are the same bytes.
#include <cstdint>
#include <string>
#include <vector>

// `grey` holds width x height bytes, top row first.
std::vector<std::uint8_t> encodeStoredGreyPng(int width, int height, const std::vector<std::uint8_t>& grey);
bool writeGreyPng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& grey);
