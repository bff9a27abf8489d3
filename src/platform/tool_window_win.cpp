#include "platform/tool_window_win.h"

#include <algorithm>
#include <vector>

#include "platform/modeless_dialog_win.h"

namespace {

// What one open window needs, in its GWLP_USERDATA from WM_NCCREATE to WM_NCDESTROY.
struct ToolWindowLife {
    const ToolWindowKind* kind;
    void* state;
    void (*freeState)(void*);
    HWND window = nullptr;
    bool* adopted;  // set at WM_NCCREATE, while the window is being created: the window frees the life
};

std::vector<ToolWindowLife*>& openWindows() {
    static std::vector<ToolWindowLife*> windows;
    return windows;
}

void endLife(ToolWindowLife* life) {
    if (life->freeState) life->freeState(life->state);
    delete life;
}

LRESULT CALLBACK toolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* life = static_cast<ToolWindowLife*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        *life->adopted = true;
        life->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(life));
        openWindows().push_back(life);
    }
    auto* life = reinterpret_cast<ToolWindowLife*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (life == nullptr) return DefWindowProcA(window, message, wParam, lParam);  // before WM_NCCREATE
    const LRESULT result = life->kind->procedure(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        std::vector<ToolWindowLife*>& open = openWindows();
        open.erase(std::remove(open.begin(), open.end(), life), open.end());
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        endLife(life);
    }
    return result;
}

bool registerKind(HINSTANCE instance, const ToolWindowKind& kind) {
    WNDCLASSA windowClass{};
    if (GetClassInfoA(instance, kind.className, &windowClass)) return true;
    windowClass.style = kind.classStyle;
    windowClass.lpfnWndProc = toolWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = kind.cursor ? LoadCursorA(nullptr, kind.cursor) : nullptr;
    windowClass.hbrBackground = kind.background;
    windowClass.lpszClassName = kind.className;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

SIZE outerSizeForClient(DWORD style, DWORD exStyle, int width, int height) {
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

HWND createToolWindowOwning(HINSTANCE instance, const ToolWindowKind& kind, const ToolWindowFrame& frame, void* state,
                            void (*freeState)(void*)) {
    bool adopted = false;
    auto* life = new ToolWindowLife{&kind, state, freeState, nullptr, &adopted};
    if (openToolWindow(kind) != nullptr || !registerKind(instance, kind)) {
        endLife(life);
        return nullptr;
    }
    HWND window = CreateWindowExA(frame.exStyle, kind.className, frame.caption, frame.style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.width, frame.height, frame.owner, nullptr, instance, life);
    if (window == nullptr) {
        // A window that failed after WM_NCCREATE has freed its life with its window already.
        if (!adopted) endLife(life);
        return nullptr;
    }
    life->adopted = nullptr;
    return window;
}

HWND openToolWindow(const ToolWindowKind& kind) {
    for (const ToolWindowLife* life : openWindows())
        if (life->kind == &kind) return life->window;
    return nullptr;
}

bool bringToolWindowForward(const ToolWindowKind& kind) { return bringWindowForward(openToolWindow(kind)); }

void* toolWindowStateOf(HWND window) {
    if (window == nullptr) return nullptr;
    auto* life = reinterpret_cast<ToolWindowLife*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return life ? life->state : nullptr;
}
