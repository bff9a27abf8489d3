#include "app/configuration_check_win.h"

#include <memory>
#include <string>
#include <vector>

#include "app/settings_dialogs_win.h"
#include "document/configuration_check.h"
#include "platform/dialog_fit_win.h"
#include "platform/modeless_dialog_win.h"
#include "platform/text_win.h"
#include "resource_ids.h"
#include "settings/vehicle_panel_win.h"
#include "settings/warning_setup.h"
#include "settings/warning_table.h"

namespace {

// The open window's state: the findings its lines stand for, in the same order.
struct CheckWindow {
    AppState* app = nullptr;
    std::vector<CheckFinding> findings;
};

ModelessSlot checkDialog;  // the one open window

void listFindings(HWND dialog, CheckWindow& checkWindow) {
    HWND list = GetDlgItem(dialog, IDC_CHECK_FINDINGS);
    checkWindow.findings =
        checkConfiguration(checkWindow.app->config, typedVehiclePanelTexts(checkWindow.app->vehiclePanel));
    std::vector<std::string> lines;
    for (const CheckFinding& finding : checkWindow.findings) lines.push_back(checkFindingLine(finding));
    fillListBoxUtf8(list, lines);
    SetDlgItemTextA(dialog, IDC_CHECK_SUMMARY, checkSummaryText(checkWindow.findings).c_str());
}

void focusControl(HWND window, int controlId) {
    HWND control = GetDlgItem(window, controlId);
    if (!control) return;
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);  // lists ignore it
}

// Opens the dialog that holds the finding's place, or selects its panel field. A gauge has no
// dialog: its place is in the list's words.
void goToPlace(AppState& app, const CheckPlace& place) {
    switch (place.kind) {
    case CheckPlaceKind::VehicleField:
        SetForegroundWindow(app.mainWindow);  // its activation restores the old focus first
        focusControl(app.vehiclePanel, place.controlId);
        break;
    case CheckPlaceKind::CurvePoint:
        if (HWND dialog = openCustomSensorFor(app, place.sensor); dialog && place.point >= 0)
            focusControl(dialog, IDC_CURVE_POINT_FIRST + place.point);
        break;
    case CheckPlaceKind::Warning:
        if (HWND dialog = openWarningsFor(app))
            focusControl(dialog, warningRowControls(warningRowIndex(place.warning, place.row)).parameterList);
        break;
    case CheckPlaceKind::Gauge:
        break;
    }
}

INT_PTR CALLBACK checkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handleDialogScroll(dialog, message, wParam, lParam)) return TRUE;
    CheckWindow* checkWindow = modelessDialogState<CheckWindow>(dialog);
    if (checkWindow == nullptr) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        fitDialogIntoWorkArea(dialog);
        return TRUE;
    case WM_ACTIVATE:
        // Typing in the vehicle panel becomes a step only when the field is left; coming back to
        // the list shows what was typed so far, too.
        if (LOWORD(wParam) != WA_INACTIVE) listFindings(dialog, *checkWindow);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            destroyModelessDialog(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDC_CHECK_FINDINGS && HIWORD(wParam) == LBN_DBLCLK) {
            const int index = static_cast<int>(SendDlgItemMessageA(dialog, IDC_CHECK_FINDINGS, LB_GETCURSEL, 0, 0));
            if (index >= 0 && index < static_cast<int>(checkWindow->findings.size())) {
                const CheckPlace place = checkWindow->findings[static_cast<std::size_t>(index)].place;
                goToPlace(*checkWindow->app, place);
            }
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void openConfigurationCheck(AppState& app) {
    if (checkDialog.bringForward()) return;
    auto state = std::make_unique<CheckWindow>();
    state->app = &app;
    HWND dialog = createModelessDialog(app.instance, IDD_CONFIGURATION_CHECK, app.mainWindow, checkDialogProc,
                                       std::move(state), &checkDialog);
    if (!dialog) return;
    listFindings(dialog, *modelessDialogState<CheckWindow>(dialog));
    ShowWindow(dialog, SW_SHOW);
}

void configurationCheckFollows(AppState&) {
    const HWND dialog = checkDialog.handle();
    if (CheckWindow* checkWindow = modelessDialogState<CheckWindow>(dialog)) listFindings(dialog, *checkWindow);
}
