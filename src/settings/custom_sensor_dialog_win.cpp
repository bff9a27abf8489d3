#include "settings/custom_sensor_dialog_win.h"

#include <algorithm>
#include <string>

#include "platform/dialog_fit_win.h"
#include "platform/file_chooser_win.h"
#include "platform/form_controls_win.h"
#include "platform/modeless_dialog_win.h"
#include "platform/text_win.h"
#include "settings/custom_sensor_ids.h"
#include "settings/custom_sensor_curves.h"
#include "settings/custom_sensor_dialog.h"
#include "settings/curve_plot.h"

namespace {

// What one open dialog edits; the dialog owns it.
struct CustomSensorDialogState {
    CustomSensorCurves* curves;
    int selectedSensor;
    const std::string* documentName;  // the open configuration's file, which Export never replaces
    std::function<void()> closed;
    FilledCurvePoints filled;  // what the program wrote into the edits, and for which values
};

CustomSensorDialogState* stateOf(HWND dialog) { return modelessDialogState<CustomSensorDialogState>(dialog); }

// The curve file chooser: a chosen path has at most 259 characters. An export gets ".csv" unless
// its name ends in it, and replaces a file only after asking, never a configuration file.
bool chooseCurveFile(HWND dialog, bool save, std::string& path) {
    FileChooserRequest request{"Curve (CSV)\0*.csv\0ALL\0*.*\0", "*.csv", save,
                               static_cast<DWORD>(OFN_PATHMUSTEXIST | (save ? 0 : OFN_FILEMUSTEXIST)),
                               MAX_PATH, "Curve"};
    request.title = save ? "Export Curve" : "Import Curve";
    if (!save) {
        request.defaultExtension = "csv";
        return runFileChooser(dialog, request, path);
    }
    const CustomSensorDialogState* state = stateOf(dialog);
    return chooseExportFile(dialog, request, ".csv", state && state->documentName ? *state->documentName : std::string(),
                            path);
}

void exchangeCurveFile(HWND dialog, bool save) {
    std::string path;
    if (!chooseCurveFile(dialog, save, path)) return;
    CustomSensorDialogState* state = stateOf(dialog);
    if (state == nullptr) return;
    Win32FormControls form(dialog);
    const std::string failure =
        save ? exportCurveFile(form, state->filled, path) : importCurveFile(form, state->filled, path);
    if (!failure.empty())
        messageBoxUtf8(dialog, failure, save ? "Export Curve" : "Import Curve", MB_OK | MB_ICONEXCLAMATION);
}

// "Straight Line": starts from what the edits show at 0 V and 5 V; OK fills the column.
INT_PTR CALLBACK curveLineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND sensorDialog = GetParent(dialog);
    if (message == WM_INITDIALOG) {
        Win32FormControls edits(sensorDialog);
        Win32FormControls form(dialog);
        form.setText(IDC_LINE_AT_0V, edits.getText(IDC_CURVE_POINT_FIRST, 64));
        form.setText(IDC_LINE_AT_5V, edits.getText(IDC_CURVE_POINT_LAST, 64));
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK) {
        CustomSensorDialogState* state = stateOf(sensorDialog);
        if (state == nullptr) return FALSE;
        Win32FormControls form(dialog);
        Win32FormControls edits(sensorDialog);
        fillCurveLine(edits, state->filled, form.getText(IDC_LINE_AT_0V, 64), form.getText(IDC_LINE_AT_5V, 64));
        EndDialog(dialog, IDOK);
    } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    }
    (void)lParam;
    return TRUE;
}

// "Copy Curve From": the four sensors, the next one after this dialog's first; OK fills the
// column with the chosen sensor's stored curve.
INT_PTR CALLBACK curveCopyFromProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    HWND sensorDialog = GetParent(dialog);
    CustomSensorDialogState* state = stateOf(sensorDialog);
    if (state == nullptr) return FALSE;
    Win32FormControls form(dialog);
    if (message == WM_INITDIALOG) {
        for (int sensor = 0; sensor < kCustomSensorCount; ++sensor)
            form.addListItem(IDC_COPY_FROM_SENSOR, "Custom Sensor " + std::to_string(sensor + 1));
        form.selectListItem(IDC_COPY_FROM_SENSOR, (state->selectedSensor + 1) % kCustomSensorCount);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK) {
        Win32FormControls edits(sensorDialog);
        fillCustomSensorDialog(edits, state->filled, *state->curves, form.selectedListItem(IDC_COPY_FROM_SENSOR));
        EndDialog(dialog, IDOK);
    } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    }
    return TRUE;
}

void drawText(HDC dc, int x, int y, const std::string& text) {
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

SIZE textSize(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// The curve as the edits hold it now: axes with the value range at the left and 0 V and 5 V
// below, the points joined, a red cross on each point whose text is not the number it sends.
void drawCurvePlot(HWND dialog, const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT box = item.rcItem;
    Win32FormControls form(dialog);
    const CurvePlot plot = plotCurve(curvePointTexts(form));

    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));

    const SIZE high = textSize(dc, plot.highestLabel);
    const SIZE low = textSize(dc, plot.lowestLabel);
    const SIZE fiveVolts = textSize(dc, "5 V");
    const int margin = 6;
    PlotArea area;
    area.left = box.left + margin + std::max(high.cx, low.cx) + margin;
    area.top = box.top + margin + high.cy / 2;
    area.right = box.right - margin - fiveVolts.cx / 2;
    area.bottom = box.bottom - margin - fiveVolts.cy - margin;

    // Axes just outside the area, so points on its edges stay clear of them.
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, area.left - 3, area.top, nullptr);
    LineTo(dc, area.left - 3, area.bottom + 3);
    LineTo(dc, area.right + 1, area.bottom + 3);
    drawText(dc, area.left - 5 - high.cx, area.top - high.cy / 2, plot.highestLabel);
    drawText(dc, area.left - 5 - low.cx, area.bottom - low.cy / 2, plot.lowestLabel);
    drawText(dc, area.left - 3, area.bottom + 5, "0 V");
    drawText(dc, area.right - fiveVolts.cx / 2, area.bottom + 5, "5 V");

    const auto pixels = placeCurvePoints(plot, area);
    HPEN linePen = CreatePen(PS_SOLID, 1, RGB(0, 0, 160));
    SelectObject(dc, linePen);
    MoveToEx(dc, pixels[0].x, pixels[0].y, nullptr);
    for (const PlotPixel& p : pixels) LineTo(dc, p.x, p.y);

    HPEN crossPen = CreatePen(PS_SOLID, 2, RGB(220, 0, 0));
    SelectObject(dc, crossPen);
    const int arm = 4;
    for (int k = 0; k < kCurvePointCount; ++k) {
        if (plot.points[k].asTyped) continue;
        const PlotPixel p = pixels[k];
        MoveToEx(dc, p.x - arm, p.y - arm, nullptr);
        LineTo(dc, p.x + arm + 1, p.y + arm + 1);
        MoveToEx(dc, p.x - arm, p.y + arm, nullptr);
        LineTo(dc, p.x + arm + 1, p.y - arm - 1);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    DeleteObject(linePen);
    DeleteObject(crossPen);
}

bool isPointEdit(int id) { return id >= IDC_CURVE_POINT_FIRST && id <= IDC_CURVE_POINT_LAST; }

INT_PTR CALLBACK customSensorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handleDialogScroll(dialog, message, wParam, lParam)) return TRUE;
    if (message == showRecordAgainMessage()) {
        if (CustomSensorDialogState* state = stateOf(dialog)) {
            Win32FormControls form(dialog);
            fillCustomSensorDialog(form, state->filled, *state->curves, state->selectedSensor);
        }
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        fitDialogIntoWorkArea(dialog);
        return TRUE;  // default focus
    case WM_DRAWITEM:
        if (wParam != IDC_CURVE_PLOT) return FALSE;
        drawCurvePlot(dialog, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND: {
        CustomSensorDialogState* state = stateOf(dialog);
        if (state == nullptr) return TRUE;
        const int id = LOWORD(wParam);
        // Every change of a point, typed or imported, redraws the picture.
        if (isPointEdit(id) && HIWORD(wParam) == EN_CHANGE) {
            InvalidateRect(GetDlgItem(dialog, IDC_CURVE_PLOT), nullptr, FALSE);
            return TRUE;
        }
        if (id == IDC_CURVE_LINE || id == IDC_CURVE_COPY_FROM) {
            HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
            DialogBoxParamA(instance, MAKEINTRESOURCEA(id == IDC_CURVE_LINE ? IDD_CURVE_LINE : IDD_CURVE_COPY_FROM),
                            dialog, id == IDC_CURVE_LINE ? curveLineProc : curveCopyFromProc, 0);
            return TRUE;
        }
        if (id == IDC_CURVE_IMPORT || id == IDC_CURVE_EXPORT) {
            exchangeCurveFile(dialog, id == IDC_CURVE_EXPORT);
            return TRUE;
        }
        Win32FormControls form(dialog);
        if (customSensorCommand(form, state->filled, *state->curves, state->selectedSensor, id)) {
            destroyModelessDialog(dialog, state->closed);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

HWND openCustomSensorDialog(HINSTANCE instance, HWND owner, CustomSensorCurves& curves, int sensorIndex,
                            const std::string& documentName, std::function<void()> closed) {
    auto owned = std::make_unique<CustomSensorDialogState>(
        CustomSensorDialogState{&curves, sensorIndex, &documentName, std::move(closed), {}});
    CustomSensorDialogState* state = owned.get();
    HWND dialog = createModelessDialog(instance, IDD_CUSTOM_SENSOR, owner, customSensorDialogProc, std::move(owned));
    if (dialog == nullptr) return nullptr;
    Win32FormControls form(dialog);
    fillCustomSensorDialog(form, state->filled, curves, sensorIndex);
    // The first point gets the focus with its text marked, as Tab gives it, so typing replaces it.
    SendMessageA(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_CURVE_POINT_FIRST)), TRUE);
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}
