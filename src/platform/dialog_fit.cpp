#include "platform/dialog_fit.h"

#include <algorithm>

namespace {

int clampInto(int value, int low, int high) { return std::max(low, std::min(value, high)); }

int lastPosition(int page, int length) { return std::max(0, length - page); }

}  // namespace

DialogFit fitDialog(const ScreenRect& window, const ScreenRect& work, int barWidth, int barHeight) {
    DialogFit fit;
    int width = window.width();
    int height = window.height();
    fit.vertical = height > work.height();
    fit.horizontal = width > work.width();
    // A bar takes room from the client area; the window grows by it where the work area allows,
    // and where it does not, the other direction has to scroll too.
    if (fit.vertical && !fit.horizontal) fit.horizontal = width + barWidth > work.width();
    if (fit.horizontal && !fit.vertical) fit.vertical = height + barHeight > work.height();
    if (fit.vertical) width = std::min(width + barWidth, work.width());
    if (fit.horizontal) height = std::min(height + barHeight, work.height());
    width = std::min(width, work.width());
    height = std::min(height, work.height());
    fit.window.left = clampInto(window.left, work.left, work.right - width);
    fit.window.top = clampInto(window.top, work.top, work.bottom - height);
    fit.window.right = fit.window.left + width;
    fit.window.bottom = fit.window.top + height;
    return fit;
}

ScreenRect contentsToHold(int laidOutWidth, int laidOutHeight, const std::vector<ScreenRect>& controls, int margin) {
    ScreenRect contents{0, 0, laidOutWidth, laidOutHeight};
    for (const ScreenRect& control : controls) {
        contents.right = std::max(contents.right, control.right + margin);
        contents.bottom = std::max(contents.bottom, control.bottom + margin);
    }
    return contents;
}

int scrolledPosition(int position, ScrollRequest request, int line, int page, int length, int to) {
    switch (request) {
    case ScrollRequest::LineBack: position -= line; break;
    case ScrollRequest::LineOn: position += line; break;
    case ScrollRequest::PageBack: position -= page; break;
    case ScrollRequest::PageOn: position += page; break;
    case ScrollRequest::Start: position = 0; break;
    case ScrollRequest::End: position = length; break;
    case ScrollRequest::To: position = to; break;
    }
    return clampInto(position, 0, lastPosition(page, length));
}

int positionShowing(int position, int page, int length, int itemStart, int itemEnd) {
    if (itemStart < position || itemEnd - itemStart > page) position = itemStart;
    else if (itemEnd > position + page) position = itemEnd - page;
    return clampInto(position, 0, lastPosition(page, length));
}

bool wheelScrollsDialog(const WheelAtList& at) {
    if (!at.dialogScrolls || at.listDropped) return false;
    return !(at.listHasFocus && at.pointerOverList);
}
