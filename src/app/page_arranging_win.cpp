#include "app/page_arranging_win.h"

#include <memory>
#include <string>

#include "document/document_commands.h"
#include "layout/page_arranging.h"
#include "platform/form_controls_win.h"
#include "platform/modeless_dialog_win.h"
#include "platform/tool_window_win.h"
#include "resource_ids.h"

namespace {

const char kOutlineClass[] = "VeltranaCarryOutline";
constexpr int kOutlineThickness = 3;
const COLORREF kFitsColour = RGB(150, 150, 150);     // light: the gauge would go there
const COLORREF kBlockedColour = RGB(220, 0, 0);      // marked: it would not fit there

// The outline window's state: the colour it is painted in.
struct Outline {
    COLORREF colour = kFitsColour;
};

// The outline window paints its whole area in its colour; its region leaves only the frame, so
// the pages and gauges show through the middle. It never takes the mouse: the window under it
// (the main window, in this thread) gets the mouse's messages.
LRESULT CALLBACK outlineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        const Outline* outline = toolWindowState<Outline>(window);
        HBRUSH brush = CreateSolidBrush(outline ? outline->colour : kFitsColour);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

const ToolWindowKind kOutlineKind{kOutlineClass, outlineProc, 0, nullptr, nullptr};

HWND outlineWindow(AppState& app) {
    if (HWND open = openToolWindow(kOutlineKind)) return open;
    // A popup owned by the main window rather than a child of it: the gauge views under it do
    // not clip their siblings, so a child outline would be painted over wherever it crosses one.
    return createToolWindow(app.instance, kOutlineKind,
                            {WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, nullptr, WS_POPUP, 0, 0, app.mainWindow},
                            std::make_unique<Outline>());
}

void hideOutline(AppState& app) { ShowWindow(outlineWindow(app), SW_HIDE); }

// The page the ghost stands on, for the page dialogs' first choice; page 1 elsewhere.
int pageUnderGhost(const AppState& app) {
    return pageAt(app.config.directory, app.editing.ghost.previewX, app.editing.ghost.previewY).value_or(0);
}

// The page choices of one page dialog: in, the first choices; out, the chosen pages.
struct PageChoice {
    int from = 0;
    int to = 0;
};

INT_PTR CALLBACK pageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* choice = reinterpret_cast<PageChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        choice = reinterpret_cast<PageChoice*>(lParam);
        Win32FormControls form(dialog);
        if (GetDlgItem(dialog, IDC_PAGE_CLEARED)) {
            fillPageList(form, IDC_PAGE_CLEARED, choice->from);
        } else {
            fillPageList(form, IDC_PAGE_FROM, choice->from);
            fillPageList(form, IDC_PAGE_TO, choice->to);
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && choice) {
            Win32FormControls form(dialog);
            const bool clearing = GetDlgItem(dialog, IDC_PAGE_CLEARED) != nullptr;
            const std::optional<int> from = chosenPage(form, clearing ? IDC_PAGE_CLEARED : IDC_PAGE_FROM);
            const std::optional<int> to = clearing ? from : chosenPage(form, IDC_PAGE_TO);
            if (!from || !to) return TRUE;
            choice->from = *from;
            choice->to = *to;
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

bool runPageDialog(AppState& app, int templateId, PageChoice& choice) {
    return DialogBoxParamA(app.instance, MAKEINTRESOURCEA(templateId), app.mainWindow,
                           pageDialogProc, reinterpret_cast<LPARAM>(&choice)) == IDOK;
}

}  // namespace

bool isCarryingGauge(const AppState& app) { return app.carry.active; }

void showCarryOutline(AppState& app) {
    if (!app.carry.active) return;
    // The outline stands in for the ghost, which a move back from right of the pages would show.
    if (app.editing.ghost.window != 0) app.views->showView(app.editing.ghost.window, false);
    const CarryOutline outline = carryOutline(app.carry, app.editing, app.config.layout, app.config.directory);
    HWND window = outlineWindow(app);
    if (Outline* state = toolWindowState<Outline>(window)) state->colour = outline.fits ? kFitsColour : kBlockedColour;
    // The outline is in preview pixels; on the screen it has the previews' scale and scroll.
    const int inset = kOutlineThickness;
    const int width = app.scale.previewLength(outline.width);
    const int height = app.scale.previewLength(outline.height);
    HRGN frame = CreateRectRgn(0, 0, width, height);
    HRGN inside = CreateRectRgn(inset, inset, width - inset, height - inset);
    CombineRgn(frame, frame, inside, RGN_DIFF);
    DeleteObject(inside);
    SetWindowRgn(window, frame, FALSE);  // the window owns the region from here on
    POINT corner{app.scale.clientX(outline.x), app.scale.clientY(outline.y)};
    ClientToScreen(app.mainWindow, &corner);
    SetWindowPos(window, HWND_TOP, corner.x, corner.y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window, nullptr, TRUE);
}

bool pressLeftToCarry(AppState& app) {
    if (app.carry.active) {
        // A gauge carried from the keyboard: the click puts it down where its outline fits.
        pressEnterToCarry(app);
        return true;
    }
    if (!pickUpGauge(app.carry, app.editing, app.config.layout, app.config.directory, *app.views, true))
        return false;
    SetCapture(app.mainWindow);  // the release reaches us even outside the window
    showCarryOutline(app);
    return true;
}

void releaseLeftFromCarry(AppState& app, int x, int y) {
    if (!app.carry.active || !app.carry.byMouse) return;
    RECT client;
    GetClientRect(app.mainWindow, &client);
    const POINT at{x, y};
    if (!PtInRect(&client, at)) {
        cancelGaugeCarry(app);
        return;
    }
    hideOutline(app);
    const bool moved = putDownGauge(app.carry, app.editing, app.config.layout, app.config.directory, *app.views);
    if (GetCapture() == app.mainWindow) ReleaseCapture();
    if (moved) recordEdit(documentOf(app));
}

void pressEnterToCarry(AppState& app) {
    const bool changed = pressEnterOnPages(app.carry, app.editing, app.config.layout,
                                           app.config.directory, app.catalog, *app.views);
    if (app.carry.active) {
        showCarryOutline(app);
        return;
    }
    hideOutline(app);
    if (changed) recordEdit(documentOf(app));
}

bool cancelGaugeCarry(AppState& app) {
    if (!app.carry.active) return false;
    cancelCarry(app.carry, app.editing, *app.views);
    hideOutline(app);
    if (GetCapture() == app.mainWindow) ReleaseCapture();
    return true;
}

GaugeSelectors mainWindowSelectors(FormControls& form) {
    return GaugeSelectors{form, IDC_KIND_SELECTOR, IDC_GAUGE_SELECTOR};
}

void copyGauge(AppState& app) {
    Win32FormControls form(app.mainWindow);
    copyGaugeAtGhost(app.editing, app.config.layout, app.config.directory, app.catalog, *app.views,
                     mainWindowSelectors(form));
}

void cutGauge(AppState& app) {
    Win32FormControls form(app.mainWindow);
    if (cutGaugeAtGhost(app.editing, app.config.layout, app.config.directory, app.catalog, *app.views,
                        mainWindowSelectors(form)))
        recordEdit(documentOf(app));
}

void pasteGauge(AppState& app) {
    Win32FormControls form(app.mainWindow);
    pasteGauge(app.editing, app.config.layout, app.config.directory, app.catalog, *app.views,
               mainWindowSelectors(form));
    recordEdit(documentOf(app));
}

void openCopyPage(AppState& app) {
    PageChoice choice;
    choice.from = pageUnderGhost(app);
    choice.to = (choice.from + 1) % kPageCount;
    if (!runPageDialog(app, IDD_COPY_PAGE, choice) || choice.from == choice.to) return;
    const PageQuestion question = copyPageQuestion(choice.from, choice.to);
    if (usedSlotCount(app.config.directory.pages[choice.to]) > 0 &&
        !app.documentShell->askYesNo(question.text, question.caption))
        return;
    if (copyPage(app.config.layout, app.config.directory, *app.views, choice.from, choice.to))
        recordEdit(documentOf(app));
}

void openClearPage(AppState& app) {
    PageChoice choice;
    choice.from = pageUnderGhost(app);
    if (!runPageDialog(app, IDD_CLEAR_PAGE, choice)) return;
    // An empty page has nothing to clear, so nothing to ask.
    if (usedSlotCount(app.config.directory.pages[choice.from]) == 0) return;
    const PageQuestion question = clearPageQuestion(choice.from);
    if (!app.documentShell->askYesNo(question.text, question.caption)) return;
    clearPage(app.config.layout, app.config.directory, *app.views, choice.from);
    recordEdit(documentOf(app));
}
