#include "platform/window_placement.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int kLargestCoordinateDigits = 6;
constexpr int kLargestSide = 100000;
// How much of the top edge must lie in a work area for the window to count as reachable.
constexpr int kGrabWidth = 40;
constexpr int kGrabHeight = 20;

bool readInt(const std::string& text, std::size_t& at, int& value) {
    bool negative = false;
    if (at < text.size() && text[at] == '-') {
        negative = true;
        ++at;
    }
    int digits = 0;
    long long number = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        if (++digits > kLargestCoordinateDigits) return false;
        number = number * 10 + (text[at++] - '0');
    }
    if (digits == 0) return false;
    value = static_cast<int>(negative ? -number : number);
    return true;
}

bool grabbable(const ScreenRect& window, const ScreenRect& area) {
    const int left = std::max(window.left, area.left);
    const int right = std::min(window.right, area.right);
    const int top = std::max(window.top, area.top);
    const int bottom = std::min(window.top + kGrabHeight, area.bottom);
    return right - left >= kGrabWidth && bottom - top >= kGrabHeight;
}

}  // namespace

std::string storedWindowRect(const ScreenRect& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

bool parseStoredWindowRect(const std::string& text, ScreenRect& rect) {
    int values[4];
    std::size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && (at >= text.size() || text[at++] != ',')) return false;
        if (!readInt(text, at, values[i])) return false;
    }
    if (at != text.size()) return false;
    const ScreenRect parsed{values[0], values[1], values[2], values[3]};
    if (parsed.width() <= 0 || parsed.height() <= 0 || parsed.width() >= kLargestSide ||
        parsed.height() >= kLargestSide)
        return false;
    rect = parsed;
    return true;
}

ScreenRect placeWindow(const ScreenRect& stored, int width, int height,
                       const std::vector<ScreenRect>& workAreas, const ScreenRect& primary) {
    ScreenRect placed{stored.left, stored.top, stored.left + width, stored.top + height};
    for (const ScreenRect& area : workAreas)
        if (grabbable(placed, area)) return placed;
    // Into the primary work area; a window larger than it keeps its top-left corner there.
    const int left = std::max(primary.left, std::min(stored.left, primary.right - width));
    const int top = std::max(primary.top, std::min(stored.top, primary.bottom - height));
    return ScreenRect{left, top, left + width, top + height};
}
