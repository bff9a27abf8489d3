#include "layout/page_arranging.h"

#include <string>

namespace {

void showGhostAgain(const EditingState& state, ViewHost& host) {
    if (state.ghost.window != 0) host.showView(state.ghost.window, state.ghost.hidden == 0);
}

bool carriedStillThere(const GaugeCarry& carry, const PageDirectory& directory) {
    return carry.active && carry.from.page >= 0 && carry.from.page < kPageCount &&
           carry.from.slot >= 0 && carry.from.slot < usedSlotCount(directory.pages[carry.from.page]);
}

// The selectors and the ghost show catalog entry (kind, position), as if the user chose it.
void selectEntry(EditingState& state, const PageDirectory& directory, const GaugeCatalog& catalog,
                 ViewHost& host, const GaugeSelectors& selectors, int kind, int position) {
    selectors.form.selectListItem(selectors.kindList, kind);
    selectKind(state, catalog, host, selectors);
    selectors.form.selectListItem(selectors.gaugeList, position);
    selectGauge(state, catalog, host, selectors);
    // The new ghost takes its own size where it stands, not at the next mouse move.
    moveGhost(state, directory, host, static_cast<std::uint16_t>(state.ghost.previewX),
              static_cast<std::uint16_t>(state.ghost.previewY));
}

// The list position of the first catalog entry with this identifier (kinds, then positions, in
// order, as findCatalogEntry finds it).
bool entryPosition(const GaugeCatalog& catalog, std::uint32_t gaugeId, int& kind, int& position) {
    for (kind = 0; kind < kKindCount; ++kind) {
        const std::vector<CatalogEntry>& entries = catalog.kinds[kind];
        for (position = 0; position < static_cast<int>(entries.size()); ++position)
            if (entries[position].gaugeId == gaugeId) return true;
    }
    return false;
}

// The placed gauge under the ghost; none while the ghost is hidden right of the pages.
std::optional<PlacementRef> gaugeUnderGhost(const EditingState& state, const PageLayout& layout,
                                            const PageDirectory& directory) {
    if (state.ghost.hidden != 0) return std::nullopt;
    return findPlacementAt(layout, directory, state.ghost.previewX, state.ghost.previewY);
}

bool selectCopied(EditingState& state, const PageDirectory& directory, const GaugeCatalog& catalog,
                  ViewHost& host, const GaugeSelectors& selectors, std::uint32_t gaugeId) {
    int kind = 0;
    int position = 0;
    if (!entryPosition(catalog, gaugeId, kind, position)) return false;
    selectEntry(state, directory, catalog, host, selectors, kind, position);
    state.copiedGauge = gaugeId;
    return true;
}

}  // namespace

bool pickUpGauge(GaugeCarry& carry, const EditingState& state, const PageLayout& layout,
                 const PageDirectory& directory, ViewHost& host, bool byMouse) {
    const std::optional<PlacementRef> hit = gaugeUnderGhost(state, layout, directory);
    if (!hit) return false;
    carry = GaugeCarry{true, byMouse, *hit, state.ghost.previewX, state.ghost.previewY};
    if (state.ghost.window != 0) host.showView(state.ghost.window, false);
    return true;
}

CarryOutline carryOutline(const GaugeCarry& carry, const EditingState& state,
                          const PageLayout& layout, const PageDirectory& directory) {
    CarryOutline outline;
    if (!carriedStillThere(carry, directory)) return outline;
    const GaugePlacement& carried = layout.slots[carry.from.page][carry.from.slot];
    outline.x = carried.previewX + (state.ghost.previewX - carry.grabX);
    outline.y = carried.previewY + (state.ghost.previewY - carry.grabY);
    outline.width = viewLength(carried.displayWidth);
    outline.height = viewLength(carried.displayHeight);
    outline.fits = findMovePage(layout, directory, carry.from, outline.x, outline.y) != kBlocked;
    return outline;
}

bool putDownGauge(GaugeCarry& carry, const EditingState& state, PageLayout& layout,
                  PageDirectory& directory, ViewHost& host) {
    const CarryOutline outline = carryOutline(carry, state, layout, directory);
    bool moved = false;
    if (outline.fits)
        moved = movePlacement(layout, directory, host, carry.from, outline.x, outline.y).has_value();
    cancelCarry(carry, state, host);
    return moved;
}

void cancelCarry(GaugeCarry& carry, const EditingState& state, ViewHost& host) {
    if (!carry.active) return;
    carry = GaugeCarry{};
    showGhostAgain(state, host);
}

bool copyGaugeAtGhost(EditingState& state, const PageLayout& layout, const PageDirectory& directory,
                      const GaugeCatalog& catalog, ViewHost& host, const GaugeSelectors& selectors) {
    const std::optional<PlacementRef> hit = gaugeUnderGhost(state, layout, directory);
    if (!hit) return false;
    return selectCopied(state, directory, catalog, host, selectors, layout.slots[hit->page][hit->slot].gaugeId);
}

bool cutGaugeAtGhost(EditingState& state, PageLayout& layout, PageDirectory& directory,
                     const GaugeCatalog& catalog, ViewHost& host, const GaugeSelectors& selectors) {
    const std::optional<PlacementRef> hit = gaugeUnderGhost(state, layout, directory);
    if (!hit) return false;
    // Removed only once it is selected, so a gauge the catalog lacks is never cut away unseen.
    if (!selectCopied(state, directory, catalog, host, selectors, layout.slots[hit->page][hit->slot].gaugeId))
        return false;
    removePlacement(layout, directory, host, hit->page, hit->slot);
    return true;
}

void pasteGauge(EditingState& state, PageLayout& layout, PageDirectory& directory,
                const GaugeCatalog& catalog, ViewHost& host, const GaugeSelectors& selectors) {
    if (!state.copiedGauge) return;
    if (state.ghost.gaugeId != *state.copiedGauge &&
        !selectCopied(state, directory, catalog, host, selectors, *state.copiedGauge))
        return;
    placeGhost(state, layout, directory, catalog, host);
}

void fillPageList(FormControls& form, int listId, int selectedPage) {
    form.clearList(listId);
    for (int page = 0; page < kPageCount; ++page)
        form.addListItem(listId, "Page " + std::to_string(page + 1));
    form.selectListItem(listId, selectedPage);
}

std::optional<int> chosenPage(FormControls& form, int listId) {
    const int page = form.selectedListItem(listId);
    if (page < 0 || page >= kPageCount) return std::nullopt;
    return page;
}

std::optional<int> pageAt(const PageDirectory& directory, int x, int y) {
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& f = directory.pages[page];
        if (x >= f.x && x - f.x < f.width && y >= f.y && y - f.y < f.height) return page;
    }
    return std::nullopt;
}

bool pressEnterOnPages(GaugeCarry& carry, EditingState& state, PageLayout& layout,
                       PageDirectory& directory, const GaugeCatalog& catalog, ViewHost& host) {
    if (carry.active) {
        if (!carryOutline(carry, state, layout, directory).fits) return false;
        return putDownGauge(carry, state, layout, directory, host);
    }
    if (pickUpGauge(carry, state, layout, directory, host, false)) return false;
    placeGhost(state, layout, directory, catalog, host);
    return true;
}

namespace {

std::string pageName(int page) { return "page " + std::to_string(page + 1); }

}  // namespace

PageQuestion copyPageQuestion(int from, int to) {
    return {"Replace the gauges of " + pageName(to) + " with those of " + pageName(from) + "?", "Copy Page?"};
}

PageQuestion clearPageQuestion(int page) {
    return {"Remove every gauge from " + pageName(page) + "?", "Clear Page?"};
}
