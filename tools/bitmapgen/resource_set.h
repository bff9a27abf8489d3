#pragma once
// Everything the generator writes, as paths relative to the resources folder and their bytes:
// the page background, the character set, one bitmap per gauge bitmap the catalog names,
// the resource script fragment that lists them, and the icon.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct GeneratedFile {
    std::string path;  // relative to the resources folder, '/' separated
    std::vector<std::uint8_t> bytes;
};

// Throws std::runtime_error when the catalog and the drawings disagree (a catalog bitmap
// without a drawing, a drawing no catalog entry uses, or a size the drawing cannot take).
std::vector<GeneratedFile> generateResources();

// Name of the resource script fragment inside the bitmaps folder.
constexpr const char* kBitmapScriptName = "bitmaps.rc";
