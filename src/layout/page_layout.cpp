#include "layout/page_layout.h"

#include <algorithm>
#include <cstdint>

namespace {

bool validPage(int page) { return page >= 0 && page < kPageCount; }

// Geometry comes from files too, so edges are summed in 64 bits: a damaged width cannot
// overflow into a false fit or a false hit.
struct Span {
    std::int64_t left, top, right, bottom;  // right and bottom excluded
};

Span previewSpan(const GaugePlacement& p) {
    const std::int64_t x = p.previewX;
    const std::int64_t y = p.previewY;
    return {x, y, x + previewLength(p.displayWidth), y + previewLength(p.displayHeight)};
}

// Preview pixels to display pixels, rounded as asked.
std::int64_t toDisplayPixels(std::int64_t previewOffset, PixelRounding rounding) {
    const std::int64_t quotient = previewOffset / kPreviewScale;  // toward zero
    const bool roundUp = rounding == PixelRounding::up && previewOffset % kPreviewScale > 0;
    return roundUp ? quotient + 1 : quotient;
}

Span frameSpan(const PageFrame& f) {
    const std::int64_t x = f.x;
    const std::int64_t y = f.y;
    return {x, y, x + f.width, y + f.height};
}

}  // namespace

DisplayPoint displayPointOf(const GaugePlacement& placement, const PageFrame& frame,
                            PixelRounding rounding) {
    return {toDisplayPixels(std::int64_t{placement.previewX} - frame.x, rounding),
            toDisplayPixels(std::int64_t{placement.previewY} - frame.y, rounding)};
}

int viewLength(std::int32_t displayLength) {
    return static_cast<int>(std::clamp<std::int64_t>(previewLength(displayLength), INT32_MIN, INT32_MAX));
}

PreviewPoint previewPointOf(DisplayPoint point, const PageFrame& frame) {
    return {frame.x + kPreviewScale * point.column, frame.y + kPreviewScale * point.row};
}

bool placementInsideFrame(const GaugePlacement& placement, const PageFrame& frame) {
    const Span g = previewSpan(placement);
    const Span p = frameSpan(frame);
    return g.left >= p.left && g.right <= p.right && g.top >= p.top && g.bottom <= p.bottom;
}

bool placementsOverlap(const GaugePlacement& a, const GaugePlacement& b) {
    const Span g = previewSpan(a);
    const Span o = previewSpan(b);
    return g.left < o.right && g.right > o.left && g.top < o.bottom && g.bottom > o.top;
}

int usedSlotCount(const PageFrame& frame) {
    return std::clamp<std::int32_t>(frame.count, 0, kSlotsPerPage);
}

PageFrame fixedPageFrame(int page) {
    PageFrame f;
    f.x = kPageX;
    f.y = kPageTop + kPageStride * page;
    f.width = kPageWidth;
    f.height = kPageHeight;
    return f;
}

void resetPages(PageLayout& layout, PageDirectory& directory) {
    for (int page = 0; page < kPageCount; ++page) {
        PageFrame& f = directory.pages[page];
        const ViewHandle preview = f.window;
        f = fixedPageFrame(page);
        f.window = preview;
        for (GaugePlacement& slot : layout.slots[page]) slot.window = 0;
    }
}

void clearPages(PageLayout& layout, PageDirectory& directory, ViewHost& host) {
    for (int page = 0; page < kPageCount; ++page) {
        const int used = usedSlotCount(directory.pages[page]);
        for (int s = 0; s < used; ++s) {
            GaugePlacement& slot = layout.slots[page][s];
            if (slot.window != 0) host.destroyView(slot.window);
            slot.window = 0;
        }
        directory.pages[page].count = 0;
    }
}

namespace {

// The fit test; `ignored` names a placed gauge that does not count (the one being moved).
int fitTest(const PageLayout& layout, const PageDirectory& directory, const GaugePlacement& ghost,
            const PlacementRef* ignored) {
    int holder = kBlocked;
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& frame = directory.pages[page];
        if (placementInsideFrame(ghost, frame)) holder = page;
        // Every page's gauges are tested, although only the holder's can overlap.
        const int used = usedSlotCount(frame);
        for (int s = 0; s < used; ++s) {
            if (ignored && ignored->page == page && ignored->slot == s) continue;
            if (placementsOverlap(ghost, layout.slots[page][s])) return kBlocked;
        }
    }
    return holder;
}

}  // namespace

int findPlacementPage(const PageLayout& layout, const PageDirectory& directory,
                      const GaugePlacement& ghost) {
    return fitTest(layout, directory, ghost, nullptr);
}

int findMovePage(const PageLayout& layout, const PageDirectory& directory, PlacementRef moved,
                 int x, int y) {
    if (!validPage(moved.page) || moved.slot < 0 ||
        moved.slot >= usedSlotCount(directory.pages[moved.page]))
        return kBlocked;
    GaugePlacement record = layout.slots[moved.page][moved.slot];
    record.previewX = x;
    record.previewY = y;
    return fitTest(layout, directory, record, &moved);
}

std::optional<PlacementRef> movePlacement(PageLayout& layout, PageDirectory& directory,
                                          ViewHost& host, PlacementRef moved, int x, int y) {
    const int page = findMovePage(layout, directory, moved, x, y);
    if (page == kBlocked) return std::nullopt;
    GaugePlacement record = layout.slots[moved.page][moved.slot];
    record.previewX = x;
    record.previewY = y;
    PlacementRef now = moved;
    if (page == moved.page) {
        layout.slots[page][moved.slot] = record;
    } else {
        // To the end of the new page's slots; the old page closes its gap. The view moves along.
        PageFrame& from = directory.pages[moved.page];
        const int used = usedSlotCount(from);
        if (usedSlotCount(directory.pages[page]) >= kSlotsPerPage) return std::nullopt;
        GaugePlacement* slots = layout.slots[moved.page];
        std::copy(slots + moved.slot + 1, slots + used, slots + moved.slot);
        from.count = used - 1;
        addPlacement(layout, directory, page, record);
        now = PlacementRef{page, usedSlotCount(directory.pages[page]) - 1};
    }
    if (record.window != 0)
        host.moveView(record.window, x, y, viewLength(record.displayWidth), viewLength(record.displayHeight));
    return now;
}

void clearPage(PageLayout& layout, PageDirectory& directory, ViewHost& host, int page) {
    if (!validPage(page)) return;
    while (usedSlotCount(directory.pages[page]) > 0)
        removePlacement(layout, directory, host, page, usedSlotCount(directory.pages[page]) - 1);
    directory.pages[page].count = 0;
}

bool copyPage(PageLayout& layout, PageDirectory& directory, ViewHost& host, int from, int to) {
    if (!validPage(from) || !validPage(to) || from == to) return false;
    clearPage(layout, directory, host, to);
    // Each copy stands where its original stands within its page, with a view of its own.
    const std::int64_t shiftX = static_cast<std::int64_t>(directory.pages[to].x) - directory.pages[from].x;
    const std::int64_t shiftY = static_cast<std::int64_t>(directory.pages[to].y) - directory.pages[from].y;
    const int used = usedSlotCount(directory.pages[from]);
    for (int s = 0; s < used; ++s) {
        GaugePlacement copy = layout.slots[from][s];
        copy.previewX = static_cast<std::int32_t>(std::clamp<std::int64_t>(copy.previewX + shiftX, INT32_MIN, INT32_MAX));
        copy.previewY = static_cast<std::int32_t>(std::clamp<std::int64_t>(copy.previewY + shiftY, INT32_MIN, INT32_MAX));
        copy.window = 0;
        if (copy.bitmap != 0) {
            copy.window = host.createView(copy.previewX, copy.previewY, viewLength(copy.displayWidth), viewLength(copy.displayHeight));
            host.setBitmap(copy.window, copy.bitmap);
            host.showView(copy.window, true);
        }
        addPlacement(layout, directory, to, copy);
    }
    return true;
}

std::optional<PlacementRef> findPlacementAt(const PageLayout& layout,
                                            const PageDirectory& directory, int x, int y) {
    for (int page = 0; page < kPageCount; ++page) {
        const int used = usedSlotCount(directory.pages[page]);
        for (int s = 0; s < used; ++s) {
            const Span o = previewSpan(layout.slots[page][s]);
            if (o.left <= x && x < o.right && o.top <= y && y < o.bottom)
                return PlacementRef{page, s};
        }
    }
    return std::nullopt;
}

bool addPlacement(PageLayout& layout, PageDirectory& directory, int page,
                  const GaugePlacement& record) {
    if (!validPage(page)) return false;
    PageFrame& frame = directory.pages[page];
    const int used = usedSlotCount(frame);
    if (used >= kSlotsPerPage) return false;
    layout.slots[page][used] = record;
    frame.count = used + 1;
    return true;
}

void removePlacement(PageLayout& layout, PageDirectory& directory, ViewHost& host, int page,
                     int slot) {
    if (!validPage(page)) return;
    PageFrame& frame = directory.pages[page];
    const int used = usedSlotCount(frame);
    if (slot < 0 || slot >= used) return;
    GaugePlacement* slots = layout.slots[page];
    if (slots[slot].window != 0) host.destroyView(slots[slot].window);
    std::copy(slots + slot + 1, slots + used, slots + slot);
    frame.count = used - 1;
}

void attachPlacementViews(PageLayout& layout, const PageDirectory& directory,
                          const GaugeCatalog& catalog, ViewHost& host) {
    for (int page = 0; page < kPageCount; ++page) {
        const int used = usedSlotCount(directory.pages[page]);
        for (int s = 0; s < used; ++s) {
            GaugePlacement& slot = layout.slots[page][s];
            const CatalogEntry* entry = findCatalogEntry(catalog, slot.gaugeId);
            if (!entry) {
                // Unknown gauge (damaged or foreign file): it keeps its place for the fit test
                // and the next save, but the handles read from the file must never be used.
                slot.window = 0;
                slot.bitmap = 0;
                continue;
            }
            slot.bitmap = entry->bitmap;
            // Single size here; refreshPlacedGauges doubles it when it shows the view.
            slot.window = host.createView(slot.previewX, slot.previewY, slot.displayWidth, slot.displayHeight);
            host.showView(slot.window, false);
        }
    }
}

void refreshPlacedGauges(const PageLayout& layout, const PageDirectory& directory,
                         ViewHost& host) {
    for (int page = 0; page < kPageCount; ++page) {
        const int used = usedSlotCount(directory.pages[page]);
        for (int s = 0; s < used; ++s) {
            const GaugePlacement& slot = layout.slots[page][s];
            if (slot.window == 0) continue;  // a gauge with no view (unknown to the catalog)
            host.setBitmap(slot.window, slot.bitmap);
            host.moveView(slot.window, slot.previewX, slot.previewY, viewLength(slot.displayWidth), viewLength(slot.displayHeight));
            host.showView(slot.window, true);
        }
    }
}
