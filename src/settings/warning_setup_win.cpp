#include "settings/warning_setup_win.h"

#include "platform/dialog_fit_win.h"
#include "platform/form_controls_win.h"
#include "platform/modeless_dialog_win.h"
#include "settings/warning_setup_ids.h"
#include "settings/warning_setup.h"

namespace {

// What one open dialog works on; the dialog owns it.
struct WarningDialogState {
    WarningSetupContext context;
    std::function<void()> closed;
};

WarningDialogState* stateOf(HWND dialog) { return modelessDialogState<WarningDialogState>(dialog); }

INT_PTR CALLBACK warningSetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handleDialogScroll(dialog, message, wParam, lParam)) return TRUE;
    if (message == showRecordAgainMessage()) {
        if (WarningDialogState* state = stateOf(dialog)) {
            Win32FormControls form(dialog);
            refillWarningSetup(form, state->context);
        }
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        fitDialogIntoWorkArea(dialog);
        return TRUE;  // default focus
    case WM_COMMAND: {
        WarningDialogState* state = stateOf(dialog);
        if (state == nullptr) return TRUE;
        Win32FormControls form(dialog);
        if (warningSetupCommand(form, state->context, LOWORD(wParam), HIWORD(wParam))) {
            destroyModelessDialog(dialog, state->closed);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

HWND openWarningSetup(HINSTANCE instance, HWND owner, WarningTable& table, const PageLayout& layout,
                      const PageDirectory& directory, const EngineUnitProfile& unitProfile,
                      std::function<void()> closed) {
    auto owned = std::make_unique<WarningDialogState>(
        WarningDialogState{{table, layout, directory, unitProfile}, std::move(closed)});
    WarningDialogState* state = owned.get();
    HWND dialog = createModelessDialog(instance, IDD_WARNING_SETUP, owner, warningSetupDialogProc, std::move(owned));
    if (dialog == nullptr) return nullptr;
    Win32FormControls form(dialog);
    openWarningSetupForm(form, state->context);
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}
