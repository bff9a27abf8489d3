#include "platform/modeless_dialog_win.h"

#include <algorithm>
#include <vector>

namespace {

// What the program's procedure of one dialog needs, in the dialog's DWLP_USER from
// WM_INITDIALOG to WM_NCDESTROY.
struct DialogLife {
    DLGPROC procedure;
    void* state;
    void (*freeState)(void*);
    ModelessSlot* slot;
    bool* adopted;  // set while the dialog is being created: the window now frees the life
};

std::vector<HWND>& openDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

void endLife(DialogLife* life) {
    if (life->freeState) life->freeState(life->state);
    delete life;
}

INT_PTR CALLBACK modelessDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* life = reinterpret_cast<DialogLife*>(lParam);
        *life->adopted = true;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        openDialogs().push_back(dialog);
        return life->procedure(dialog, message, wParam, reinterpret_cast<LPARAM>(life->state));
    }
    auto* life = reinterpret_cast<DialogLife*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (life == nullptr) return FALSE;  // before WM_INITDIALOG (WM_SETFONT): the default handling
    // The procedure may destroy the dialog: `life` is read after it only for the two messages of
    // the destruction itself, which it outlives.
    const INT_PTR result = life->procedure(dialog, message, wParam, lParam);
    if (message == WM_DESTROY && life->slot) life->slot->forget(dialog);
    if (message == WM_NCDESTROY) {
        std::vector<HWND>& open = openDialogs();
        open.erase(std::remove(open.begin(), open.end(), dialog), open.end());
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        endLife(life);
    }
    return result;
}

}  // namespace

bool bringWindowForward(HWND window) {
    if (window == nullptr) return false;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    return true;
}

HWND createModelessDialogOwning(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure, void* state,
                                void (*freeState)(void*), ModelessSlot* slot) {
    bool adopted = false;
    auto* life = new DialogLife{procedure, state, freeState, slot, &adopted};
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), owner, modelessDialogProc,
                                     reinterpret_cast<LPARAM>(life));
    if (dialog == nullptr) {
        // A dialog that failed after WM_INITDIALOG has freed its life with its window already.
        if (!adopted) endLife(life);
        return nullptr;
    }
    life->adopted = nullptr;
    if (slot) slot->remember(dialog);
    return dialog;
}

void* modelessDialogStateOf(HWND dialog) {
    auto* life = reinterpret_cast<DialogLife*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return life ? life->state : nullptr;
}

void destroyModelessDialog(HWND dialog, std::function<void()> closed) {
    DestroyWindow(dialog);
    if (closed) closed();
}

bool routeToModelessDialog(MSG& message) {
    if (message.hwnd == nullptr) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const std::vector<HWND>& open = openDialogs();
    return root != nullptr && std::find(open.begin(), open.end(), root) != open.end() &&
           IsDialogMessageA(root, &message);
}
