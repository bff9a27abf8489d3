#pragma once
// A custom sensor curve's points as texts: what the dialog's 33 edits show and what a CSV curve
// file holds, and how OK reads one of them back.
#include <array>
#include <string>

#include "settings/custom_sensor_curves.h"

// The 33 points' texts, point 0 (0 V) first.
using CurvePointTexts = std::array<std::string, kCurvePointCount>;

// One point's text as OK reads it: the value stored (its first 9 characters as a decimal, as
// float32), and whether that value is what the whole text says. It is not for an empty text,
// a typo ("1..5", "2,5"), trailing characters, a number that the 9-character limit changes,
// or a number too large for float32.
struct CurvePointReading {
    float value = 0;
    bool asTyped = false;
};
CurvePointReading readCurvePoint(const std::string& text);
