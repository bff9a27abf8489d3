#pragma once
// The whole upload that a saved configuration must produce, section by section, derived by the
// display's own rules from the file, the committed bitmaps and the profiles' constant table.
#include <cstdint>
#include <string>
#include <vector>

#include "saved_configuration.h"

class BitmapFolder;

struct ExpectedSection {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

std::vector<ExpectedSection> expectedUpload(const SavedConfiguration& config, BitmapFolder& bitmaps,
                                            std::vector<std::string>& errors);

// The first byte where `received` differs from the sections, named by section and offset in it
// and in the stream, or a length that differs; "" when they are the same.
std::string firstDifference(const std::vector<ExpectedSection>& expected, const std::vector<std::uint8_t>& received);
