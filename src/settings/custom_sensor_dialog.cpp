#include "settings/custom_sensor_dialog.h"

#include "platform/form_controls.h"
#include "settings/custom_sensor_ids.h"
#include "settings/curve_csv.h"
#include "settings/filling_controls.h"
#include "settings/number_text.h"

namespace {

// The dialog manager's ids of the OK and Cancel buttons (IDOK, IDCANCEL); the caption's
// close box arrives as Cancel.
constexpr int kOkCommand = 1;
constexpr int kCancelCommand = 2;

bool isSensor(int index) { return index >= 0 && index < kCustomSensorCount; }

int pointEditId(int point) { return IDC_CURVE_POINT_FIRST + point; }

// Enough to see that a text runs past the characters OK reads.
constexpr std::size_t kWholeTextLimit = 64;

}  // namespace

void fillCustomSensorDialog(FormControls& form, const CustomSensorCurves& curves, int selectedSensor) {
    if (!isSensor(selectedSensor)) return;
    FillingControls filling;
    for (int k = 0; k < kCurvePointCount; ++k)
        form.setText(pointEditId(k), formatFixed(curves.points[selectedSensor][k], 5, 2));
}

void readCustomSensorDialog(FormControls& form, CustomSensorCurves& curves, int selectedSensor) {
    if (!isSensor(selectedSensor)) return;
    for (int k = 0; k < kCurvePointCount; ++k) {
        const std::string text = form.getText(pointEditId(k), kFormTextLimit);
        curves.points[selectedSensor][k] = static_cast<float>(readDecimal(text));
    }
}

void fillCurveLine(FormControls& form, const std::string& at0V, const std::string& at5V) {
    const double low = readCurvePoint(at0V).value;
    const double high = readCurvePoint(at5V).value;
    const int last = kCurvePointCount - 1;
    FillingControls filling;
    for (int k = 0; k < kCurvePointCount; ++k) {
        // Both ends exactly as given; between them, each point rounded once to float.
        const double value = k == last ? high : low + (high - low) * k / last;
        form.setText(pointEditId(k), formatFixed(static_cast<float>(value), 5, 2));
    }
}

bool customSensorCommand(FormControls& form, CustomSensorCurves& curves, int selectedSensor, int commandId) {
    switch (commandId) {
    case kOkCommand:
        if (!fillingControls) readCustomSensorDialog(form, curves, selectedSensor);
        return true;
    case kCancelCommand:
        return true;
    default:
        return false;
    }
}

CurvePointTexts curvePointTexts(FormControls& form) {
    CurvePointTexts texts;
    for (int k = 0; k < kCurvePointCount; ++k) texts[k] = form.getText(pointEditId(k), kWholeTextLimit);
    return texts;
}

std::string importCurveFile(FormControls& form, const std::string& path) {
    const CurveCsvResult result = readCurveCsvFile(path);
    if (!result.accepted) return curveImportMessage(path, result);
    FillingControls filling;
    for (int k = 0; k < kCurvePointCount; ++k) form.setText(pointEditId(k), result.texts[k]);
    return {};
}

std::string exportCurveFile(FormControls& form, const std::string& path) {
    return writeCurveCsvFile(path, curvePointTexts(form));
}
