#include "settings/filled_curve_points.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "settings/curve_point_text.h"

namespace {

// The shortest decimal that reads back as exactly `value` ("0.15625", "-23.206214", "1e+10");
// empty for a value that is not finite, which no text reads as.
std::string shortestDecimal(float value) {
    if (!std::isfinite(value)) return {};
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string();
}

}  // namespace

void rememberFill(FilledCurvePoint& point, const std::string& text, float value, const std::string& exportText) {
    point.filled = true;
    point.text = text;
    point.value = value;
    point.exportText = exportText.empty() ? shortestDecimal(value) : exportText;
}

bool keepsFilledValue(const FilledCurvePoint& point, const std::string& shown) {
    return point.filled && shown == point.text;
}

float keptOrTypedValue(const FilledCurvePoint& point, const std::string& shown) {
    return keepsFilledValue(point, shown) ? point.value : readCurvePoint(shown).value;
}
