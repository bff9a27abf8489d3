#include "settings/vehicle_panel_win.h"

#include "platform/form_controls_win.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/vehicle_panel.h"

namespace {

// What the dialog procedure needs, kept in the panel's user data for the panel's life.
struct VehiclePanelContext {
    VehicleSettings& settings;
    EngineUnitProfiles& profiles;
    std::function<void()> fieldLeft;
};

constexpr WORD kListSelectionChanged = 1;  // CBN_SELCHANGE
constexpr WORD kEditFocusLost = 0x200;     // EN_KILLFOCUS
constexpr WORD kListOpening = 7;           // CBN_DROPDOWN

VehiclePanelContext* contextOf(HWND panel) {
    return reinterpret_cast<VehiclePanelContext*>(GetWindowLongPtrA(panel, GWLP_USERDATA));
}

INT_PTR CALLBACK vehiclePanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(panel, GWLP_USERDATA, lParam);
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
    case WM_NCDESTROY:
        delete contextOf(panel);
        SetWindowLongPtrA(panel, GWLP_USERDATA, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

HWND createVehiclePanel(HINSTANCE instance, HWND mainWindow, VehicleSettings& settings,
                        EngineUnitProfiles& profiles, std::function<void()> fieldLeft) {
    auto* context = new VehiclePanelContext{settings, profiles, std::move(fieldLeft)};
    HWND panel = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_VEHICLE_PANEL), mainWindow,
                                    vehiclePanelProc, reinterpret_cast<LPARAM>(context));
    if (panel == nullptr) {
        delete context;
        return nullptr;
    }
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
