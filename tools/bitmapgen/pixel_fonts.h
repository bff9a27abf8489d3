#pragma once
// Two small bitmap fonts for labels and numbers on the gauge pictures: a 3 x 5 font (capitals,
// digits, a few lower-case letters and signs; M, N and W are wider so they stay legible) and a
// 5 x 7 font (digits, signs and the letters of "RPM"). Glyphs are proportional; one empty
// column separates neighbours.
#include <string>

class Canvas;

struct PixelFont;
extern const PixelFont kFont3x5;
extern const PixelFont kFont5x7;

int fontHeight(const PixelFont& font);
// Width in pixels of the drawn text; throws std::invalid_argument for a character the font
// lacks, so that a typo in a label stops the generator instead of drawing a gap.
int textWidth(const PixelFont& font, const std::string& text);
// Draws the text with its top-left corner at (x, y).
void drawText(Canvas& canvas, const PixelFont& font, int x, int y, const std::string& text,
              unsigned char value);
// Draws the text centred on column cx (rounded to the left).
void drawTextCentred(Canvas& canvas, const PixelFont& font, int cx, int y, const std::string& text,
                     unsigned char value);
// Draws the text so that its last column is right - 1.
void drawTextRightAligned(Canvas& canvas, const PixelFont& font, int right, int y,
                          const std::string& text, unsigned char value);
