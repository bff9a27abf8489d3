#include "settings/curve_point_text.h"

#include <cmath>

#include "settings/number_text.h"

CurvePointReading readCurvePoint(const std::string& text) {
    CurvePointReading reading;
    reading.value = static_cast<float>(readDecimal(text.substr(0, kFormTextLimit)));
    // A cut that only drops trailing zeros ("1234567.50" is read as "1234567.5") changes nothing.
    const bool cutChangesIt = static_cast<float>(readDecimal(text)) != reading.value;
    reading.asTyped = isWholeDecimal(text) && !cutChangesIt && std::isfinite(reading.value);
    return reading;
}
