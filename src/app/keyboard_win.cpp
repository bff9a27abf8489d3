#include "app/keyboard_win.h"

#include <optional>

#include "app/commands_win.h"
#include "app/document_shell_win.h"
#include "app/page_arranging_win.h"
#include "resource_ids.h"
#include "document/document_commands.h"
#include "layout/page_editing.h"
#include "platform/modeless_dialog_win.h"

namespace {

std::optional<PageKey> pageKeyOf(WPARAM key) {
    switch (key) {
    case VK_LEFT: return PageKey::left;
    case VK_RIGHT: return PageKey::right;
    case VK_UP: return PageKey::up;
    case VK_DOWN: return PageKey::down;
    case VK_RETURN: return PageKey::place;
    case VK_DELETE: return PageKey::remove;
    default: return std::nullopt;
    }
}

bool inPanel(const AppState& app, HWND window) {
    return app.vehiclePanel != nullptr && (window == app.vehiclePanel || IsChild(app.vehiclePanel, window));
}

bool mouseOnPages(const AppState& app) {
    POINT cursor{};
    if (!GetCursorPos(&cursor) || !ScreenToClient(app.mainWindow, &cursor)) return false;
    return isOnPages(app.config.directory, app.scale.previewX(cursor.x), app.scale.previewY(cursor.y));
}

// Ctrl+X, Ctrl+C and Ctrl+V on the pages: the gauge under the ghost.
std::uint32_t clipboardCommandOf(WPARAM key) {
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0) return 0;
    switch (key) {
    case 'X': return IDM_CUT_GAUGE;
    case 'C': return IDM_COPY_GAUGE;
    case 'V': return IDM_PASTE_GAUGE;
    default: return 0;
    }
}

// The page keys act after a click on the pages (the main window has the focus), or while the
// mouse is over them and the focus is not in the vehicle panel, whose fields need these keys.
bool pressPageKeyIfMeant(AppState& app, const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    // Esc puts a carried gauge back wherever the focus is.
    if (message.wParam == VK_ESCAPE && cancelGaugeCarry(app)) return true;
    const std::optional<PageKey> key = pageKeyOf(message.wParam);
    const std::uint32_t command = clipboardCommandOf(message.wParam);
    if (!key && command == 0) return false;
    const HWND focus = GetFocus();
    if (focus != app.mainWindow && (inPanel(app, focus) || !mouseOnPages(app))) return false;
    if (command != 0) {
        executeCommand(app, command);
    } else if (*key == PageKey::place) {
        pressEnterToCarry(app);  // picks up, puts down or places
    } else if (*key == PageKey::remove) {
        if (isCarryingGauge(app)) return true;  // the carried gauge is put down or back first
        pressPageKey(app.editing, app.config.layout, app.config.directory, app.catalog, *app.views, *key);
        recordEdit(documentOf(app));
    } else {
        pressPageKey(app.editing, app.config.layout, app.config.directory, app.catalog, *app.views, *key);
        showCarryOutline(app);
    }
    return true;
}

// Tab outside the panel (on the pages or a selector) enters it at its first field, Shift+Tab
// at its last, with the field's text marked as Tab marks it inside the panel.
bool enterPanel(AppState& app, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (app.vehiclePanel == nullptr || inPanel(app, GetFocus())) return false;
    HWND field = GetNextDlgTabItem(app.vehiclePanel, nullptr, FALSE);
    if (field == nullptr) return false;
    // Backwards from the first field wraps round to the last.
    if (GetKeyState(VK_SHIFT) < 0) field = GetNextDlgTabItem(app.vehiclePanel, field, TRUE);
    SetFocus(field);
    if (SendMessageA(field, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(field, EM_SETSEL, 0, -1);
    return true;
}

}  // namespace

bool routeKeyboardMessage(AppState& app, MSG& message) {
    if (message.hwnd == nullptr || app.mainWindow == nullptr) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root == app.mainWindow) {
        if (app.accelerators && TranslateAcceleratorA(app.mainWindow, app.accelerators, &message))
            return true;
        if (pressPageKeyIfMeant(app, message) || enterPanel(app, message)) return true;
        // The panel is a child dialog: only its own controls' messages go through its keys, so
        // the main window keeps its mouse and keyboard messages.
        return inPanel(app, message.hwnd) && IsDialogMessageA(app.vehiclePanel, &message);
    }
    return routeToModelessDialog(message);
}
