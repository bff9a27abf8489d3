#pragma once
// Where the main window comes back at start: the stored rectangle, read robustly, kept only
// where it can be seen.
#include <string>
#include <vector>

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// "left,top,right,bottom" as stored.
std::string storedWindowRect(const ScreenRect& rect);
// The rectangle from a stored text; false for anything but four integers of at most 6 digits
// with a positive width and height below 100000.
bool parseStoredWindowRect(const std::string& text, ScreenRect& rect);

// The top-left corner for a window of `width` x `height` that was last at `stored`: kept when a
// piece of its top edge (where the caption is grabbed) lies in one of the work areas; otherwise
// moved into the primary work area, as close to where it was as fits.
ScreenRect placeWindow(const ScreenRect& stored, int width, int height,
                       const std::vector<ScreenRect>& workAreas, const ScreenRect& primary);
