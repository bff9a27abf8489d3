#pragma once
// Keeps a dialog reachable on a screen smaller than the dialog (at 150 % on a 1366 x 768
// laptop): it is placed inside the work area of its monitor and, where it does not fit, scrolls
// its controls with scroll bars, the mouse wheel and the keyboard focus. A dialog that fits is
// left as it is.
#include <windows.h>

#include "platform/dialog_fit.h"

// From the dialog's WM_INITDIALOG, once its controls are made.
void fitDialogIntoWorkArea(HWND dialog);

// First thing in the dialog's procedure: true when the message was a scroll of the dialog
// itself, which the procedure then answers with TRUE. Otherwise the procedure goes on as usual.
bool handleDialogScroll(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The scroll ranges of the window's bars named (horizontal, vertical) for contents of `content`
// client pixels, in the window as it is now.
void setScrollRanges(HWND window, SIZE content, bool horizontal, bool vertical);

// The request of a scroll bar's code (SB_LINEUP ...); false for codes that move nothing.
bool scrollBarRequest(WORD code, ScrollRequest& request);
