#include "app/main_window_win.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "app/commands_win.h"
#include "app/document_shell_win.h"
#include "app/main_window_layout_win.h"
#include "app/page_arranging_win.h"
#include "app/start_and_recent_win.h"
#include "document/document_commands.h"
#include "document/document_name.h"
#include "platform/busy_window_win.h"
#include "platform/dialog_fit_win.h"
#include "platform/form_controls_win.h"
#include "resource_ids.h"
#include "settings/vehicle_panel_win.h"
#include "platform/text_win.h"

namespace {

// Names kept for compatibility: the class the main window has always been registered under; the
// end-to-end driver, and any program that looks for the editor's window, finds it by this name.
// Never rename it.
const wchar_t* const kMainWindowClass = L"RARADAZ";
constexpr WORD kSelectionChanged = 1;  // CBN_SELCHANGE
constexpr WORD kFromAccelerator = 1;   // WM_COMMAND's high word for a key of the accelerator table

// The selectors' row is laid out for 96 DPI and grows with the screen's.
HWND createLabel(AppState& app, const char* text, int x, int y, int width, int height) {
    const ScreenScale& s = app.scale;
    return CreateWindowExA(0, "Static", text, WS_CHILD | WS_VISIBLE, s.controls(x), s.controls(y),
                           s.controls(width), s.controls(height), app.mainWindow, nullptr,
                           app.instance, nullptr);
}

HWND createSelector(AppState& app, int id, int x, int y, int width, int height) {
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_DISABLENOSCROLL;
    const ScreenScale& s = app.scale;
    return CreateWindowExA(WS_EX_STATICEDGE, "ComboBox", nullptr, style, s.controls(x),
                           s.controls(y), s.controls(width), s.controls(height), app.mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           app.instance, nullptr);
}

void createPagePreviews(AppState& app) {
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& frame = app.config.directory.pages[page];
        // Clipping siblings keeps a preview from painting over the gauges that lie on it.
        HWND preview = CreateWindowExA(0, "Static", nullptr,
                                       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_BITMAP,
                                       app.scale.clientX(frame.x), app.scale.clientY(frame.y),
                                       app.scale.previewLength(frame.width),
                                       app.scale.previewLength(frame.height),
                                       app.mainWindow, nullptr, app.instance, nullptr);
        SendMessageA(preview, STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(app.pageBackground));
        app.pagePreviews[page] = preview;
    }
}

void createSelectorRow(AppState& app) {
    createLabel(app, "Gauge Types", 554, 5, 100, 20);
    app.kindSelector = createSelector(app, IDC_KIND_SELECTOR, 554, 20, 150, 200);
    createLabel(app, "Gauges", 754, 5, 200, 20);
    app.gaugeSelector = createSelector(app, IDC_GAUGE_SELECTOR, 754, 20, 200, 400);
    for (int kind = 0; kind < kKindCount; ++kind) {
        const std::string name = kindName(kind);
        SendMessageA(app.kindSelector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void fillGaugeSelector(AppState& app, int kind) {
    for (int position = 0; position < definitionCount(kind); ++position) {
        const std::string name = definitionName(kind, position);
        SendMessageA(app.gaugeSelector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

// The window's contents, in the order the rest of the program relies on: pages first, then the
// selectors, the vehicle panel, the catalog and the first ghost.
void createContents(AppState& app) {
    app.views = std::make_unique<Win32ViewHost>(app.instance, app.mainWindow, app.scale);
    resetPages(app.config.layout, app.config.directory);
    createPagePreviews(app);
    refreshPlacedGauges(app);
    createSelectorRow(app);
    app.vehiclePanel = createVehiclePanel(app.instance, app.mainWindow, app.config.vehicle,
                                          app.profiles, [&app] { recordEdit(documentOf(app)); });
    app.catalog = loadCatalog(*app.views);
    fillGaugeSelector(app, app.editing.selectedKind);
    SendMessageA(app.gaugeSelector, CB_SETCURSEL, 0, 0);
    SendMessageA(app.kindSelector, CB_SETCURSEL, 0, 0);
    createGhost(app.editing, app.catalog, *app.views);
}

void handleSelectorChange(AppState& app, WORD controlId) {
    cancelGaugeCarry(app);  // the new ghost is the selection's, not a carried gauge's
    Win32FormControls form(app.mainWindow);
    if (controlId == IDC_KIND_SELECTOR)
        selectKind(app.editing, app.catalog, *app.views, mainWindowSelectors(form));
    else if (controlId == IDC_GAUGE_SELECTOR)
        selectGauge(app.editing, app.catalog, *app.views, mainWindowSelectors(form));
}

// Log-off or shut-down asks first: the exit's prompt and optional save, while Windows waits for
// the answer (a window with a reason set is waited for, not ended under the open prompt). TRUE
// lets the session end; Yes followed by no save keeps the editor open, as at Exit. While an
// upload or a firmware update runs (this message reaches us through its wait loop), the end is
// refused and nothing is asked: the transfer has set its own reason and must run to its end.
BOOL answerEndOfSession(AppState& app) {
    if (BusyWindows::transferRunning()) return FALSE;
    ShutdownBlockReasonCreate(app.mainWindow, L"Asking whether to save the configuration");
    const bool mayEnd = confirmExit(documentOf(app));
    ShutdownBlockReasonDestroy(app.mainWindow);
    return mayEnd ? TRUE : FALSE;
}

// The contents keep their size; when the window is smaller (a small or scaled screen), its
// scroll bars move them. Every child moves with the scroll; the views and the mouse take the
// offset from the scale.
void scrollContents(AppState& app, int bar, WORD code) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ScrollRequest request{};
    if (!scrollBarRequest(code, request) || !GetScrollInfo(app.mainWindow, bar, &info)) return;
    const int position = scrolledPosition(info.nPos, request, app.scale.controls(32), static_cast<int>(info.nPage),
                                          info.nMax + 1, info.nTrackPos);
    int& offset = bar == SB_HORZ ? app.scale.scrollX : app.scale.scrollY;
    const int delta = position - offset;
    if (delta == 0) return;
    offset = position;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(app.mainWindow, bar, &info, TRUE);
    ScrollWindowEx(app.mainWindow, bar == SB_HORZ ? -delta : 0, bar == SB_VERT ? -delta : 0, nullptr,
                   nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

}  // namespace

void runExitSequence(AppState& app) {
    if (!confirmExit(documentOf(app))) return;
    storeWindowPlace(app.mainWindow);
    SendMessageA(app.mainWindow, WM_DESTROY, 0, 0);
}

HWND createMainWindow(AppState& app) {
    app.pageBackground = LoadBitmapA(app.instance, MAKEINTRESOURCEA(IDB_PAGE_BACKGROUND));
    app.uploadPicture = LoadBitmapA(app.instance, MAKEINTRESOURCEA(IDB_CHARACTER_SET));
    HDC screen = GetDC(nullptr);
    app.screenBitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    app.scale = screenScaleFor(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    app.pageBackground = pageBackgroundFor(app.scale, app.pageBackground);

    // A Unicode window, so that its caption keeps a file name outside the ANSI code page.
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = app.instance;
    windowClass.hIcon = LoadIconW(app.instance, MAKEINTRESOURCEW(IDI_VELTRANA));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDM_MAIN_MENU);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassW(&windowClass);

    // Made hidden at its laid-out size; once its contents are made, it takes their size.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HWND window = CreateWindowExW(WS_EX_STATICEDGE, kMainWindowClass, L"Veltrana", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, app.scale.controls(kMainWindowWidth),
                                  app.scale.controls(kMainWindowHeight), nullptr, nullptr, app.instance, nullptr);
    if (!window) return nullptr;
    fitToContents(app, window, nullptr);
    // Made on a screen of another DPI than the primary one's: laid out again for it.
    if (const int dpi = windowDpi(window); dpi != app.scale.dpi) relayoutForDpi(app, dpi, nullptr);
    restoreWindowPlace(window);
    DragAcceptFiles(window, TRUE);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AppState& app = appState();
    switch (message) {
    case WM_CREATE:
        app.mainWindow = window;
        createContents(app);
        return 0;
    case WM_CLOSE:
        runExitSequence(app);
        return 0;
    case WM_DPICHANGED:
        // Moved to a screen of another DPI: laid out again for it, at the place Windows suggests.
        relayoutForDpi(app, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_QUERYENDSESSION:
        return answerEndOfSession(app);
    case WM_ENDSESSION:
        // The prompt was answered when Windows asked; the session ends now, so the program does,
        // keeping the window's place as Exit does.
        if (wParam) {
            storeWindowPlace(window);
            SendMessageA(window, WM_DESTROY, 0, 0);
        }
        return 0;
    case WM_ACTIVATE:
        // As a dialog does: the field that had the focus gets it back when the window is
        // active again (after a chooser, a message box or a dialog), so typing goes on there.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            app.focusBeforeDeactivation = IsChild(window, focus) ? focus : nullptr;
        } else if (app.focusBeforeDeactivation && IsWindow(app.focusBeforeDeactivation)) {
            SetFocus(app.focusBeforeDeactivation);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == kFromAccelerator && lParam == 0) {
            executeCommand(app, LOWORD(wParam));
            return 0;
        }
        executeCommand(app, static_cast<std::uint32_t>(wParam));
        if (HIWORD(wParam) == kSelectionChanged) handleSelectorChange(app, LOWORD(wParam));
        return 0;
    case WM_DROPFILES:
        loadDroppedFile(app, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        moveGhost(app.editing, app.config.directory, *app.views,
                  app.scale.previewX(static_cast<short>(LOWORD(lParam))),
                  app.scale.previewY(static_cast<short>(HIWORD(lParam))));
        showCarryOutline(app);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        scrollContents(app, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        scrollContents(app, SB_VERT, static_cast<short>(HIWORD(wParam)) > 0 ? SB_LINEUP : SB_LINEDOWN);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);  // the keys work on the pages after a click on them
        // On a placed gauge the press starts a drag (a click there never placed anything).
        if (pressLeftToCarry(app)) return 0;
        placeGhost(app.editing, app.config.layout, app.config.directory, app.catalog, *app.views);
        recordEdit(documentOf(app));
        return 0;
    case WM_LBUTTONUP:
        releaseLeftFromCarry(app, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window) cancelGaugeCarry(app);
        return 0;
    case WM_RBUTTONDOWN:
        SetFocus(window);
        cancelGaugeCarry(app);
        removeGaugeAtGhost(app.editing, app.config.layout, app.config.directory, *app.views);
        recordEdit(documentOf(app));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
