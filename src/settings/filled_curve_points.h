#pragma once
// What the program last wrote into each of a curve dialog's 33 point fields, and the value it
// wrote there. A field shows a value rounded ("%5.2f" shows 0.15625 as " 0.16"), so OK and
// Export take the value a field was filled from as long as its text is the one filled in, and
// read the text only once the user has changed it: opening and closing the dialog, or exporting
// what it shows, leaves a curve bit for bit.
#include <array>
#include <string>

#include "settings/custom_sensor_curves.h"

struct FilledCurvePoint {
    bool filled = false;
    std::string text;        // the text written into the field
    float value = 0;         // the value it stands for
    std::string exportText;  // how Export writes that value: a text that reads as exactly it
};

using FilledCurvePoints = std::array<FilledCurvePoint, kCurvePointCount>;

// The field was written `text` for `value`; Export writes `exportText` for it while it shows
// `text`. An empty `exportText` stands for the shortest decimal that reads back as `value`.
void rememberFill(FilledCurvePoint& point, const std::string& text, float value, const std::string& exportText = {});

// True while the field still shows the text it was filled with.
bool keepsFilledValue(const FilledCurvePoint& point, const std::string& shown);

// The value OK stores for a field showing `shown`: the filled value while the text is unchanged,
// else the text as OK reads it (its first 9 characters).
float keptOrTypedValue(const FilledCurvePoint& point, const std::string& shown);
