#include "platform/dialog_fit_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstring>

namespace {

// Posted when the focus moves by the dialog manager (Tab, WM_NEXTDLGCTL): by the time it
// arrives the focus has arrived too, and the dialog scrolls it into view.
UINT showFocusMessage() {
    static const UINT message = RegisterWindowMessageA("VeltranaDialogShowFocus");
    return message != 0 ? message : WM_APP + 0x3F00;
}

bool scrolls(HWND dialog, int bar) {
    const LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
    return (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

struct BarState {
    int position;
    int page;
    int length;
    int track;
};

BarState barState(HWND dialog, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(dialog, bar, &info);
    return {info.nPos, static_cast<int>(info.nPage), info.nMax + 1, info.nTrackPos};
}

// One row of controls: what a line step and a wheel notch move.
int lineStep(HWND dialog, int bar) {
    RECT row{0, 0, 16, 16};  // dialog units
    MapDialogRect(dialog, &row);
    return bar == SB_VERT ? row.bottom : row.right;
}

void scrollTo(HWND dialog, int bar, int position) {
    const int delta = position - GetScrollPos(dialog, bar);
    if (delta == 0) return;
    SetScrollPos(dialog, bar, position, TRUE);
    const int dx = bar == SB_HORZ ? -delta : 0;
    const int dy = bar == SB_VERT ? -delta : 0;
    if (IsWindowVisible(dialog)) {
        ScrollWindowEx(dialog, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        return;
    }
    // Not shown yet (the focus is placed before the dialog shows): a window that is not drawn
    // may not scroll at all, so its controls move one by one.
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box{};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
        SetWindowPos(child, nullptr, box.left + dx, box.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void scroll(HWND dialog, int bar, ScrollRequest request) {
    const BarState state = barState(dialog, bar);
    scrollTo(dialog, bar,
             scrolledPosition(state.position, request, lineStep(dialog, bar), state.page, state.length, state.track));
}

// Scrolls the control that has the focus (or the dialog's child that holds it) into view.
void showFocus(HWND dialog) {
    HWND control = GetFocus();
    if (control == nullptr || !IsChild(dialog, control)) return;
    while (GetParent(control) != dialog) control = GetParent(control);
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (!scrolls(dialog, bar)) continue;
        const BarState state = barState(dialog, bar);
        const int start = (bar == SB_VERT ? box.top : box.left) + state.position;
        const int end = (bar == SB_VERT ? box.bottom : box.right) + state.position;
        scrollTo(dialog, bar, positionShowing(state.position, state.page, state.length, start, end));
    }
}

bool hasClass(HWND window, const char* name) {
    char found[32] = {};
    GetClassNameA(window, found, sizeof found);
    return _stricmp(found, name) == 0;
}

// Between a list or combo box of a scrolling dialog and the wheel: a turn that the user does
// not mean for the list (see wheelScrollsDialog) goes to the dialog, which scrolls.
LRESULT CALLBACK listWheelProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR dialogHandle) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, listWheelProc, id);
    } else if (message == WM_MOUSEWHEEL) {
        HWND dialog = reinterpret_cast<HWND>(dialogHandle);
        HWND focus = GetFocus();
        RECT box{};
        GetWindowRect(list, &box);
        WheelAtList at;
        at.dialogScrolls = scrolls(dialog, SB_VERT);
        at.listDropped = hasClass(list, "ComboBox") && SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) != 0;
        at.listHasFocus = focus != nullptr && (focus == list || IsChild(list, focus));
        at.pointerOverList = PtInRect(&box, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != 0;
        if (wheelScrollsDialog(at)) {
            SendMessageA(dialog, WM_MOUSEWHEEL, wParam, lParam);
            return 0;
        }
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// Puts listWheelProc between the wheel and every list and combo box of the dialog.
void guardListsFromTheWheel(HWND dialog) {
    constexpr UINT_PTR kSubclassId = 1;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (hasClass(child, "ComboBox") || hasClass(child, "ListBox"))
            SetWindowSubclass(child, listWheelProc, kSubclassId, reinterpret_cast<DWORD_PTR>(dialog));
    }
}

}  // namespace

void setScrollRanges(HWND window, SIZE content, bool horizontal, bool vertical) {
    // Twice: a bar's range decides whether it shows, and that changes the other's page.
    for (int round = 0; round < 2; ++round) {
        RECT client{};
        GetClientRect(window, &client);
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        if (horizontal) {
            info.nMax = content.cx - 1;
            info.nPage = static_cast<UINT>(client.right);
            SetScrollInfo(window, SB_HORZ, &info, TRUE);
        }
        if (vertical) {
            info.nMax = content.cy - 1;
            info.nPage = static_cast<UINT>(client.bottom);
            SetScrollInfo(window, SB_VERT, &info, TRUE);
        }
    }
}

void fitDialogIntoWorkArea(HWND dialog) {
    RECT outer{};
    RECT client{};
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const DialogFit fit = fitDialog({outer.left, outer.top, outer.right, outer.bottom},
                                    {work.left, work.top, work.right, work.bottom},
                                    GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
    const ScreenRect& to = fit.window;
    if (!fit.vertical && !fit.horizontal) {
        if (to.left != outer.left || to.top != outer.top)
            SetWindowPos(dialog, nullptr, to.left, to.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
    if (fit.vertical) style |= WS_VSCROLL;
    if (fit.horizontal) style |= WS_HSCROLL;
    SetWindowLongPtrA(dialog, GWL_STYLE, style);
    SetWindowPos(dialog, nullptr, to.left, to.top, to.width(), to.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    setScrollRanges(dialog, {client.right, client.bottom}, scrolls(dialog, SB_HORZ), scrolls(dialog, SB_VERT));
    if (fit.vertical) guardListsFromTheWheel(dialog);
}

bool handleDialogScroll(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ScrollRequest request{};
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        // A scroll bar control or a trackbar reports with its handle; the dialog's own bars without.
        const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
        if (lParam != 0 || !scrolls(dialog, bar) || !scrollBarRequest(LOWORD(wParam), request)) return false;
        scroll(dialog, bar, request);
        return true;
    }
    case WM_MOUSEWHEEL:
        if (!scrolls(dialog, SB_VERT)) return false;
        scroll(dialog, SB_VERT,
               static_cast<short>(HIWORD(wParam)) > 0 ? ScrollRequest::LineBack : ScrollRequest::LineOn);
        return true;
    case WM_NEXTDLGCTL:
        if (scrolls(dialog, SB_VERT) || scrolls(dialog, SB_HORZ)) PostMessageA(dialog, showFocusMessage(), 0, 0);
        return false;  // the dialog manager moves the focus
    case WM_COMMAND:
        // Controls tell when they get the focus (a click, a mnemonic): edits, lists, combo boxes.
        switch (HIWORD(wParam)) {
        case EN_SETFOCUS:
        case LBN_SETFOCUS:
        case CBN_SETFOCUS:
        case BN_SETFOCUS:
            if (lParam != 0 && (scrolls(dialog, SB_VERT) || scrolls(dialog, SB_HORZ))) showFocus(dialog);
            break;
        default: break;
        }
        return false;
    default:
        if (message == showFocusMessage()) {
            showFocus(dialog);
            return true;
        }
        return false;
    }
}

bool scrollBarRequest(WORD code, ScrollRequest& request) {
    switch (code) {
    case SB_LINEUP: request = ScrollRequest::LineBack; return true;
    case SB_LINEDOWN: request = ScrollRequest::LineOn; return true;
    case SB_PAGEUP: request = ScrollRequest::PageBack; return true;
    case SB_PAGEDOWN: request = ScrollRequest::PageOn; return true;
    case SB_TOP: request = ScrollRequest::Start; return true;
    case SB_BOTTOM: request = ScrollRequest::End; return true;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: request = ScrollRequest::To; return true;
    default: return false;
    }
}
