#include "settings/custom_sensor_dialog_win.h"

#include "platform/form_controls_win.h"
#include "resource_ids.h"
#include "settings/custom_sensor_curves.h"
#include "settings/custom_sensor_dialog.h"

namespace {

// What one open dialog edits; it lives in the dialog's DWLP_USER until WM_NCDESTROY.
struct CustomSensorDialogState {
    CustomSensorCurves* curves;
    int selectedSensor;
};

CustomSensorDialogState* stateOf(HWND dialog) {
    return reinterpret_cast<CustomSensorDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR CALLBACK customSensorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;  // default focus
    case WM_COMMAND: {
        CustomSensorDialogState* state = stateOf(dialog);
        if (state == nullptr) return TRUE;
        Win32FormControls form(dialog);
        if (customSensorCommand(form, *state->curves, state->selectedSensor, LOWORD(wParam)))
            DestroyWindow(dialog);
        return TRUE;
    }
    case WM_NCDESTROY:
        delete stateOf(dialog);
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

HWND openCustomSensorDialog(HINSTANCE instance, HWND owner, CustomSensorCurves& curves, int sensorIndex) {
    auto* state = new CustomSensorDialogState{&curves, sensorIndex};
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_CUSTOM_SENSOR), owner,
                                     customSensorDialogProc, reinterpret_cast<LPARAM>(state));
    if (dialog == nullptr) {
        delete state;
        return nullptr;
    }
    Win32FormControls form(dialog);
    fillCustomSensorDialog(form, curves, sensorIndex);
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}
