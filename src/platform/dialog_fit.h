#pragma once
// A dialog larger than the work area of its screen (a tall dialog at 150 % on a 1366 x 768
// laptop) is shrunk into that work area and scrolls its controls. The arithmetic lives here,
// free of Windows; dialog_fit_win.h applies it to a dialog.
#include <vector>

#include "platform/window_placement.h"

// Where a dialog goes and which scroll bars it gets.
struct DialogFit {
    ScreenRect window;        // the dialog's outer rectangle, inside the work area
    bool vertical = false;    // it gets a vertical scroll bar
    bool horizontal = false;  // it gets a horizontal one
};

// The place for a dialog whose outer rectangle is `window` (all of its controls shown) in
// `work`. A dialog that fits keeps its size and only moves as far as needed into the work area
// (not at all when it lies inside). One that does not fit is cut to the work area and gets a
// scroll bar in each direction that needs one; a bar's thickness (`barWidth` for the vertical
// one, `barHeight` for the horizontal) is added to the window where the work area has room, so
// the other direction need not scroll.
DialogFit fitDialog(const ScreenRect& window, const ScreenRect& work, int barWidth, int barHeight);

// The size of a window's contents: the size they were laid out for, grown to hold every control
// as it came out (`controls` in contents coordinates; a dialog template grows with its font's
// metrics) with `margin` beyond the farthest right and bottom edges.
ScreenRect contentsToHold(int laidOutWidth, int laidOutHeight, const std::vector<ScreenRect>& controls, int margin);

// A scroll request, as a scroll bar, the wheel or the keyboard make it.
enum class ScrollRequest { LineBack, LineOn, PageBack, PageOn, Start, End, To };

// The new first visible pixel of contents `length` long seen through `page` pixels, from
// `position`: `line` pixels for a line step, `page` for a page step, `to` for ScrollRequest::To;
// always between 0 and length - page.
int scrolledPosition(int position, ScrollRequest request, int line, int page, int length, int to = 0);

// The first visible pixel that brings the item from `itemStart` to `itemEnd` (contents
// coordinates) into a view of `page` pixels now starting at `position`: unchanged when it is
// shown whole; otherwise the least move that shows it (its start when it is longer than the
// view); kept between 0 and length - page.
int positionShowing(int position, int page, int length, int itemStart, int itemEnd);

// Where a turn of the mouse wheel went: to a list or combo box of a dialog (Windows hands it to
// the control that has the focus, or to the one under the pointer).
struct WheelAtList {
    bool dialogScrolls = false;  // the dialog scrolls vertically, the wheel's way
    bool listDropped = false;    // the combo box's list is open
    bool listHasFocus = false;   // the list (or its combo box's edit) has the keyboard focus
    bool pointerOverList = false;
};

// True when the dialog scrolls instead of the list changing its selection. A list takes the
// wheel only while the user works it: its drop-down is open, or it has the focus with the
// pointer over it. Any other turn scrolls a dialog that scrolls; in one that does not, the list
// takes it as before.
bool wheelScrollsDialog(const WheelAtList& at);
