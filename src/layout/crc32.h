#pragma once
// The CRC-32 that file tools and firmware makers publish (IEEE 802.3: reflected polynomial
// 0xEDB88320, register seeded with all ones, result complemented). "123456789" gives CBF43926.
#include <cstddef>
#include <cstdint>

// Continues a CRC over `length` more bytes: pass 0 for the first piece, then the previous result,
// so a file can be summed piece by piece.
std::uint32_t crc32(const std::uint8_t* bytes, std::size_t length, std::uint32_t previous = 0);
