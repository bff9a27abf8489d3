#pragma once
// The display's character set as one 128 x 128 picture (bitmap 124): 16 x 16 cells of 8 x 8
// pixels, cell (column g mod 16, row g div 16) holding glyph code g. The upload scans it cell by
// cell, each cell row giving one byte with the leftmost pixel in the top bit.
#include "canvas.h"

Canvas drawCharacterSet();
