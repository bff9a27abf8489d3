#include "settings/filled_curve_points.h"

#include <cmath>

#include "settings/curve_point_text.h"
#include "settings/number_text.h"

void rememberFill(FilledCurvePoint& point, const std::string& text, float value, const std::string& exportText) {
    point.filled = true;
    point.text = text;
    point.value = value;
    // A value that is not finite has no text that reads back as it: none to export.
    point.exportText = !exportText.empty() ? exportText : std::isfinite(value) ? shortestNumber(value) : std::string();
}

bool keepsFilledValue(const FilledCurvePoint& point, const std::string& shown) {
    return point.filled && shown == point.text;
}

float keptOrTypedValue(const FilledCurvePoint& point, const std::string& shown) {
    return keepsFilledValue(point, shown) ? point.value : readCurvePoint(shown).value;
}
