#include "settings/vehicle_panel_win.h"

#include "platform/form_controls_win.h"
#include "platform/modeless_dialog_win.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/vehicle_panel.h"

namespace {

// What the dialog procedure needs, owned by the panel for its life.
struct VehiclePanelContext {
    VehicleSettings& settings;
    EngineUnitProfiles& profiles;
    std::function<void()> fieldLeft;
};

constexpr WORD kListSelectionChanged = 1;  // CBN_SELCHANGE
constexpr WORD kEditFocusLost = 0x200;     // EN_KILLFOCUS
constexpr WORD kListOpening = 7;           // CBN_DROPDOWN

VehiclePanelContext* contextOf(HWND panel) { return modelessDialogState<VehiclePanelContext>(panel); }

INT_PTR CALLBACK vehiclePanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;  // default focus
    case WM_COMMAND:
        if (VehiclePanelContext* context = contextOf(panel)) {
            Win32FormControls form(panel);
            // An adapter plugged in since the start shows up when the list is opened.
            if (LOWORD(wParam) == IDC_COM_PORT && HIWORD(wParam) == kListOpening)
                refreshComPortList(form, presentSerialPorts());
            onVehiclePanelCommand(form, LOWORD(wParam), context->settings, context->profiles);
            const WORD code = HIWORD(wParam);
            if ((code == kListSelectionChanged || code == kEditFocusLost) && context->fieldLeft)
                context->fieldLeft();
        }
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

HWND createVehiclePanel(HINSTANCE instance, HWND mainWindow, VehicleSettings& settings,
                        EngineUnitProfiles& profiles, std::function<void()> fieldLeft) {
    HWND panel = createModelessDialog(
        instance, IDD_VEHICLE_PANEL, mainWindow, vehiclePanelProc,
        std::make_unique<VehiclePanelContext>(VehiclePanelContext{settings, profiles, std::move(fieldLeft)}));
    if (panel == nullptr) return nullptr;
    Win32FormControls form(panel);
    setUpVehiclePanel(form, settings);
    ShowWindow(panel, SW_SHOW);
    return panel;
}

void fillVehiclePanel(HWND panel) {
    if (VehiclePanelContext* context = contextOf(panel)) {
        Win32FormControls form(panel);
        fillVehiclePanel(form, context->settings);
    }
}

void readVehiclePanel(HWND panel) {
    if (VehiclePanelContext* context = contextOf(panel)) {
        Win32FormControls form(panel);
        readVehiclePanel(form, context->settings, context->profiles);
    }
}

std::vector<PanelText> typedVehiclePanelTexts(HWND panel) {
    Win32FormControls form(panel);
    return typedVehiclePanelTexts(form);
}
