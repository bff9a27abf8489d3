#pragma once
// Checks of an upload against what the scenario placed and against the committed bitmaps.
#include <string>
#include <vector>

#include "upload_decoder.h"

// The page image must be the received gauge records' bitmaps (read from the committed bitmap
// files in `bitmapDir`, named "<id>_<name>.bmp") at the records' places, and the font image the
// character set picture's glyphs. One text per fault.
std::vector<std::string> checkImagesAgainstBitmaps(const DecodedUpload& upload, const std::string& bitmapDir);

// `expected` lists the gauge records in the order they must arrive, separated by "/", each
// PAGE:ID@COLUMN,ROW with the page 1 to 4 and the id in hexadecimal ("1:3109@0,0/2:1003@8,0");
// "none" means no gauge at all. One text per fault.
std::vector<std::string> checkGaugeRecords(const DecodedUpload& upload, const std::string& expected);
