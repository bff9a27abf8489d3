#include "layout/page_editing.h"

namespace {

int snapToGrid(std::uint16_t coordinate) { return coordinate / kGhostGrid * kGhostGrid; }

void destroyGhostView(EditingState& state, ViewHost& host) {
    if (state.ghost.window != 0) host.destroyView(state.ghost.window);
    state.ghost.window = 0;
}

}  // namespace

void createGhost(EditingState& state, const GaugeCatalog& catalog, ViewHost& host) {
    const CatalogEntry* entry = catalogEntry(catalog, state.selectedKind, state.selectedGauge);
    if (!entry) return;
    GaugePlacement& ghost = state.ghost;
    // The new view keeps the previous ghost's rectangle (last mouse position, previous size)
    // until the next mouse move gives it the new entry's size.
    const int width = viewLength(ghost.displayWidth);
    const int height = viewLength(ghost.displayHeight);
    ghost.window = host.createView(ghost.previewX, ghost.previewY, width, height);
    host.showView(ghost.window, false);
    host.moveView(ghost.window, ghost.previewX, ghost.previewY, width, height);
    host.setBitmap(ghost.window, entry->bitmap);
    host.moveView(ghost.window, ghost.previewX, ghost.previewY, width, height);

    ghost.displayWidth = entry->bitmapWidth;
    ghost.displayHeight = entry->bitmapHeight;
    ghost.bitmap = entry->bitmap;
    ghost.gaugeId = entry->gaugeId;
    ghost.rangeMin = entry->rangeMin;
    ghost.rangeMax = entry->rangeMax;

    host.showView(ghost.window, true);
    ghost.hidden = 0;
}

void selectKind(EditingState& state, const GaugeCatalog& catalog, ViewHost& host,
                const GaugeSelectors& selectors) {
    const int kind = selectors.form.selectedListItem(selectors.kindList);
    // No selection (or a kind the catalog lacks) leaves the editing state as it was.
    if (!catalogEntry(catalog, kind, 0)) return;
    state.selectedKind = kind;
    selectors.form.clearList(selectors.gaugeList);
    for (int position = 0; position < definitionCount(kind); ++position)
        selectors.form.addListItem(selectors.gaugeList, definitionName(kind, position));
    selectors.form.selectListItem(selectors.gaugeList, 0);
    state.selectedGauge = 0;
    destroyGhostView(state, host);
    createGhost(state, catalog, host);
}

void selectGauge(EditingState& state, const GaugeCatalog& catalog, ViewHost& host,
                 const GaugeSelectors& selectors) {
    const int position = selectors.form.selectedListItem(selectors.gaugeList);
    if (!catalogEntry(catalog, state.selectedKind, position)) return;
    state.selectedGauge = position;
    destroyGhostView(state, host);
    createGhost(state, catalog, host);
}

void moveGhost(EditingState& state, const PageDirectory& directory, ViewHost& host,
               std::uint16_t mouseX, std::uint16_t mouseY) {
    GaugePlacement& ghost = state.ghost;
    ghost.previewX = snapToGrid(mouseX);
    ghost.previewY = snapToGrid(mouseY);
    // Only x counts: right of the pages the ghost hides; above, below and between them it shows.
    const PageFrame& first = directory.pages[0];
    const std::int64_t rightEdge = static_cast<std::int64_t>(first.x) + first.width;
    const bool wantHidden = ghost.previewX > rightEdge;
    if (wantHidden != (ghost.hidden != 0)) {
        if (ghost.window != 0) host.showView(ghost.window, !wantHidden);
        ghost.hidden = wantHidden ? 1 : 0;
    }
    if (ghost.window != 0)
        host.moveView(ghost.window, ghost.previewX, ghost.previewY, viewLength(ghost.displayWidth),
                      viewLength(ghost.displayHeight));
}

void placeGhost(EditingState& state, PageLayout& layout, PageDirectory& directory,
                const GaugeCatalog& catalog, ViewHost& host) {
    const int page = findPlacementPage(layout, directory, state.ghost);
    if (page == kBlocked) return;
    state.targetPage = page;
    GaugePlacement placed = state.ghost;  // takes over the ghost's view where it stands
    placed.hidden = 0;
    if (!addPlacement(layout, directory, page, placed)) return;
    createGhost(state, catalog, host);
}

void removeGaugeAtGhost(const EditingState& state, PageLayout& layout, PageDirectory& directory,
                        ViewHost& host) {
    const std::optional<PlacementRef> hit =
        findPlacementAt(layout, directory, state.ghost.previewX, state.ghost.previewY);
    if (hit) removePlacement(layout, directory, host, hit->page, hit->slot);
}

void pressPageKey(EditingState& state, PageLayout& layout, PageDirectory& directory,
                  const GaugeCatalog& catalog, ViewHost& host, PageKey key) {
    if (key == PageKey::place) return placeGhost(state, layout, directory, catalog, host);
    if (key == PageKey::remove) return removeGaugeAtGhost(state, layout, directory, host);
    const int dx = key == PageKey::left ? -1 : key == PageKey::right ? 1 : 0;
    const int dy = key == PageKey::up ? -1 : key == PageKey::down ? 1 : 0;
    // The step stays within what a mouse position can be, so the ghost never leaves the window.
    auto step = [](std::int32_t from, int direction) {
        const std::int64_t to = static_cast<std::int64_t>(from) + direction * kGhostGrid;
        return static_cast<std::uint16_t>(to < 0 ? 0 : to > 0xFFFF ? 0xFFFF : to);
    };
    moveGhost(state, directory, host, step(state.ghost.previewX, dx), step(state.ghost.previewY, dy));
}

bool isOnPages(const PageDirectory& directory, int x, int y) {
    for (const PageFrame& frame : directory.pages) {
        const std::int64_t right = static_cast<std::int64_t>(frame.x) + frame.width;
        const std::int64_t bottom = static_cast<std::int64_t>(frame.y) + frame.height;
        if (x >= frame.x && x < right && y >= frame.y && y < bottom) return true;
    }
    return false;
}
