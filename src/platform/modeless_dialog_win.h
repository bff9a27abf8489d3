#pragma once
// The life of the program's modeless dialogs and windows: a dialog is created from its template
// with the state it works on, which it owns until it is gone; its keys (Tab, Enter, Escape) reach
// it through the message loop; a dialog or window of which only one is open has its handle
// remembered until it is destroyed, so that opening it again brings it forward.
#include <windows.h>

#include <functional>
#include <memory>

// Restores `window` from the task bar and activates it; false for null.
bool bringWindowForward(HWND window);

// The one open window of a kind, or none.
class ModelessSlot {
public:
    // The open window; null when none was remembered or it is destroyed.
    HWND handle() const { return window_ != nullptr && IsWindow(window_) ? window_ : nullptr; }
    void remember(HWND window) { window_ = window; }
    // From the window's WM_DESTROY; the slot may have moved on to another window by then.
    void forget(HWND window) {
        if (window_ == window) window_ = nullptr;
    }
    // Restores the open window from the task bar and activates it; false when none is open.
    bool bringForward() const { return bringWindowForward(handle()); }

private:
    HWND window_ = nullptr;
};

// The untyped forms that the typed ones below go through.
HWND createModelessDialogOwning(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure, void* state,
                                void (*freeState)(void*), ModelessSlot* slot);
void* modelessDialogStateOf(HWND dialog);

// Creates dialog `templateId` owned by `owner`, not yet shown (the caller fills it, then shows
// it). `procedure` sees every message from WM_INITDIALOG on, with the state as WM_INITDIALOG's
// lParam; the state is freed after WM_NCDESTROY, or at once when the dialog cannot be created.
// A `slot` remembers the dialog until it is destroyed. Null when the dialog cannot be created.
template <typename State>
HWND createModelessDialog(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure,
                          std::unique_ptr<State> state, ModelessSlot* slot = nullptr) {
    return createModelessDialogOwning(instance, templateId, owner, procedure, state.release(),
                                      [](void* s) { delete static_cast<State*>(s); }, slot);
}

inline HWND createModelessDialog(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure,
                                 ModelessSlot* slot = nullptr) {
    return createModelessDialogOwning(instance, templateId, owner, procedure, nullptr, nullptr, slot);
}

// The state the dialog was created with; null before WM_INITDIALOG and after WM_NCDESTROY.
template <typename State>
State* modelessDialogState(HWND dialog) {
    return static_cast<State*>(modelessDialogStateOf(dialog));
}

// Closes a modeless dialog: destroys it, which frees its state, then runs `closed` (taken by value,
// as the state that held it is gone by then).
void destroyModelessDialog(HWND dialog, std::function<void()> closed = {});

// Gives a message for a control of an open modeless dialog to that dialog's keyboard handling.
// True when the dialog handled it: the message loop then neither translates nor dispatches it.
bool routeToModelessDialog(MSG& message);
