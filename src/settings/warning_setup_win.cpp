#include "settings/warning_setup_win.h"

#include "platform/form_controls_win.h"
#include "resource_ids.h"
#include "settings/warning_setup.h"

namespace {

// What one open dialog works on; it lives in the dialog's DWLP_USER until WM_NCDESTROY.
WarningSetupContext* contextOf(HWND dialog) {
    return reinterpret_cast<WarningSetupContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR CALLBACK warningSetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        return TRUE;  // default focus
    case WM_COMMAND: {
        WarningSetupContext* context = contextOf(dialog);
        if (context == nullptr) return TRUE;
        Win32FormControls form(dialog);
        if (warningSetupCommand(form, *context, LOWORD(wParam), HIWORD(wParam))) DestroyWindow(dialog);
        return TRUE;
    }
    case WM_NCDESTROY:
        delete contextOf(dialog);
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

HWND openWarningSetup(HINSTANCE instance, HWND owner, WarningTable& table, const PageLayout& layout,
                      const PageDirectory& directory, const EngineUnitProfile& unitProfile) {
    auto* context = new WarningSetupContext{table, layout, directory, unitProfile};
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_WARNING_SETUP), owner,
                                     warningSetupDialogProc, reinterpret_cast<LPARAM>(context));
    if (dialog == nullptr) {
        delete context;
        return nullptr;
    }
    Win32FormControls form(dialog);
    openWarningSetupForm(form, *context);
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}
