#pragma once
// The zlib stream (header, deflate data, Adler-32) of a PNG's filtered rows. Where zlib is at hand
// (the editor, the command line) it deflates at pinned settings, so that every program gives the
// same bytes; the web module, which has no zlib, stores the rows uncompressed in the same format.
#include <cstdint>
#include <vector>

std::vector<std::uint8_t> deflated(const std::vector<std::uint8_t>& raw);
