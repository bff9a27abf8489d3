#include "settings/warning_setup_win.h"

#include "platform/form_controls_win.h"
#include "settings/warning_setup_ids.h"
#include "settings/warning_setup.h"

namespace {

// What one open dialog works on; it lives in the dialog's DWLP_USER until WM_NCDESTROY.
struct WarningDialogState {
    WarningSetupContext context;
    std::function<void()> closed;
};

WarningDialogState* stateOf(HWND dialog) {
    return reinterpret_cast<WarningDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR CALLBACK warningSetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == showRecordAgainMessage()) {
        if (WarningDialogState* state = stateOf(dialog)) {
            Win32FormControls form(dialog);
            fillWarningSetup(form, state->context.table, state->context.unitProfile);
            refreshWarningPages(form, state->context);
        }
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;  // default focus
    case WM_COMMAND: {
        WarningDialogState* state = stateOf(dialog);
        if (state == nullptr) return TRUE;
        Win32FormControls form(dialog);
        if (warningSetupCommand(form, state->context, LOWORD(wParam), HIWORD(wParam))) {
            const std::function<void()> closed = state->closed;
            DestroyWindow(dialog);
            if (closed) closed();
        }
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

HWND openWarningSetup(HINSTANCE instance, HWND owner, WarningTable& table, const PageLayout& layout,
                      const PageDirectory& directory, const EngineUnitProfile& unitProfile,
                      std::function<void()> closed) {
    auto* state = new WarningDialogState{{table, layout, directory, unitProfile}, std::move(closed)};
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_WARNING_SETUP), owner,
                                     warningSetupDialogProc, reinterpret_cast<LPARAM>(state));
    if (dialog == nullptr) {
        delete state;
        return nullptr;
    }
    Win32FormControls form(dialog);
    openWarningSetupForm(form, state->context);
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}
