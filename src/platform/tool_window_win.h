#pragma once
// The program's own window kinds beside its dialogs (the display preview, the compare window, the
// About window, the carry outline): a kind's class is registered once, at most one window of a kind
// is open, and that window owns the state it works on from WM_NCCREATE until WM_NCDESTROY frees it.
#include <windows.h>

#include <memory>

// What a kind's windows look like, and the procedure that handles their messages. The procedure
// sees every message from WM_NCCREATE on (earlier ones get the default handling) and passes what
// it does not handle to DefWindowProcA.
struct ToolWindowKind {
    const char* className;
    WNDPROC procedure;
    UINT classStyle = 0;
    HBRUSH background = nullptr;  // null: the window paints all of its area itself
    LPCSTR cursor = IDC_ARROW;    // a system cursor; null for none
};

// Where and how a window of a kind is created.
struct ToolWindowFrame {
    DWORD exStyle = 0;
    const char* caption = nullptr;
    DWORD style = 0;
    int width = 0;  // the outer size; outerSizeForClient gives it for a wanted client area
    int height = 0;
    HWND owner = nullptr;
};

// The outer size of a window of `style` (no menu) whose client area is `width` x `height`.
SIZE outerSizeForClient(DWORD style, DWORD exStyle, int width, int height);

// The untyped forms that the typed ones below go through.
HWND createToolWindowOwning(HINSTANCE instance, const ToolWindowKind& kind, const ToolWindowFrame& frame, void* state,
                            void (*freeState)(void*));
void* toolWindowStateOf(HWND window);

// Creates the window of `kind` with its state, not yet shown; null when it cannot be created (the
// state is then freed at once) or when one of the kind is open already (see openToolWindow).
template <typename State>
HWND createToolWindow(HINSTANCE instance, const ToolWindowKind& kind, const ToolWindowFrame& frame,
                      std::unique_ptr<State> state) {
    return createToolWindowOwning(instance, kind, frame, state.release(),
                                  [](void* s) { delete static_cast<State*>(s); });
}

// The open window of `kind`, or null.
HWND openToolWindow(const ToolWindowKind& kind);

// Restores the open window of `kind` from the task bar and activates it; false when none is open.
bool bringToolWindowForward(const ToolWindowKind& kind);

// The state of a window made by createToolWindow; null for null, before WM_NCCREATE and after
// WM_NCDESTROY.
template <typename State>
State* toolWindowState(HWND window) {
    return static_cast<State*>(toolWindowStateOf(window));
}
