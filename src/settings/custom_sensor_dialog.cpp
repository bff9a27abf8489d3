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

// Enough to see that a text runs past the characters OK reads, and longer than any text the
// program fills in ("%5.2f" of the largest float32 has 42 characters).
constexpr std::size_t kWholeTextLimit = 64;

// Writes `value` into point k's edit as the edits show numbers, remembering it.
void fillPoint(FormControls& form, FilledCurvePoints& filled, int k, float value) {
    const std::string text = formatFixed(value, 5, 2);
    form.setText(pointEditId(k), text);
    rememberFill(filled[k], text, value);
}

}  // namespace

void fillCustomSensorDialog(FormControls& form, FilledCurvePoints& filled, const CustomSensorCurves& curves,
                            int selectedSensor) {
    if (!isSensor(selectedSensor)) return;
    FillingControls filling;
    for (int k = 0; k < kCurvePointCount; ++k) fillPoint(form, filled, k, curves.points[selectedSensor][k]);
}

void readCustomSensorDialog(FormControls& form, const FilledCurvePoints& filled, CustomSensorCurves& curves,
                            int selectedSensor) {
    if (!isSensor(selectedSensor)) return;
    for (int k = 0; k < kCurvePointCount; ++k)
        curves.points[selectedSensor][k] = keptOrTypedValue(filled[k], form.getText(pointEditId(k), kWholeTextLimit));
}

void fillCurveLine(FormControls& form, FilledCurvePoints& filled, const std::string& at0V, const std::string& at5V) {
    const int last = kCurvePointCount - 1;
    const double low = keptOrTypedValue(filled[0], at0V);
    const double high = keptOrTypedValue(filled[last], at5V);
    FillingControls filling;
    for (int k = 0; k < kCurvePointCount; ++k) {
        // Both ends exactly as given; between them, each point rounded once to float.
        const double value = k == last ? high : low + (high - low) * k / last;
        fillPoint(form, filled, k, static_cast<float>(value));
    }
}

bool customSensorCommand(FormControls& form, const FilledCurvePoints& filled, CustomSensorCurves& curves,
                         int selectedSensor, int commandId) {
    switch (commandId) {
    case kOkCommand:
        if (!fillingControls) readCustomSensorDialog(form, filled, curves, selectedSensor);
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

namespace {

std::string importCurve(FormControls& form, FilledCurvePoints& filled, const std::string& path,
                        const CurveCsvResult& result) {
    if (!result.accepted) return curveImportMessage(path, result);
    FillingControls filling;
    for (int k = 0; k < kCurvePointCount; ++k) {
        form.setText(pointEditId(k), result.texts[k]);
        rememberFill(filled[k], result.texts[k], result.values[k], result.cells[k]);
    }
    return {};
}

}  // namespace

std::string importCurveFile(FormControls& form, FilledCurvePoints& filled, const std::string& path) {
    return importCurve(form, filled, path, readCurveCsvFile(path));
}

std::string importCurveText(FormControls& form, FilledCurvePoints& filled, const std::string& name,
                            const std::string& content) {
    return importCurve(form, filled, name, parseCurveCsv(content));
}

CurvePointTexts exportedCurveTexts(FormControls& form, const FilledCurvePoints& filled, CurvePointsKept& kept) {
    CurvePointTexts texts = curvePointTexts(form);
    kept = CurvePointsKept{};
    for (int k = 0; k < kCurvePointCount; ++k) {
        if (!keepsFilledValue(filled[k], texts[k]) || filled[k].exportText.empty()) continue;
        texts[k] = filled[k].exportText;
        kept[k] = true;
    }
    return texts;
}

std::string exportCurveFile(FormControls& form, const FilledCurvePoints& filled, const std::string& path) {
    CurvePointsKept kept{};
    const CurvePointTexts texts = exportedCurveTexts(form, filled, kept);
    return writeCurveCsvFile(path, texts, kept);
}
