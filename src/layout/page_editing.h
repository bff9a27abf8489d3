#pragma once
// Interactive editing of the pages: the two selectors of the main window choose a gauge, its
// ghost follows the mouse on a 16-pixel grid, a left click places it, a right click removes the
// gauge under it. The selectors are reached through GaugeSelectors: the form that holds them and
// their ids, which the shell gives.
#include <cstdint>
#include <optional>

#include "layout/gauge_catalog.h"
#include "layout/page_layout.h"
#include "platform/form_controls.h"
#include "platform/view_host.h"

// Preview pixels per grid step (8 display pixels).
constexpr int kGhostGrid = 8 * kPreviewScale;

// The two selectors that choose a gauge: a list of the kinds and a list of the chosen kind's
// gauges, both on `form`.
struct GaugeSelectors {
    FormControls& form;
    int kindList = 0;
    int gaugeList = 0;
};

struct EditingState {
    int selectedKind = 0;
    int selectedGauge = 0;
    GaugePlacement ghost;  // the selected gauge at the mouse; window is its view
    int targetPage = 0;    // the page the last successful fit test found
    std::optional<std::uint32_t> copiedGauge;  // the gauge identifier that Copy or Cut took
};

// Makes the ghost's view for the selected entry (see page_editing.cpp for the rectangle it
// keeps until the next move).
void createGhost(EditingState& state, const GaugeCatalog& catalog, ViewHost& host);
// The kind selector changed: refill the gauge selector and make the kind's first entry the ghost.
void selectKind(EditingState& state, const GaugeCatalog& catalog, ViewHost& host,
                const GaugeSelectors& selectors);
// The gauge selector changed: make the chosen entry the ghost.
void selectGauge(EditingState& state, const GaugeCatalog& catalog, ViewHost& host,
                 const GaugeSelectors& selectors);
// The mouse moved to (mouseX, mouseY) of the main window's client area.
void moveGhost(EditingState& state, const PageDirectory& directory, ViewHost& host,
               std::uint16_t mouseX, std::uint16_t mouseY);
// Places the ghost where it stands when it fits; the placed gauge keeps the ghost's view.
void placeGhost(EditingState& state, PageLayout& layout, PageDirectory& directory,
                const GaugeCatalog& catalog, ViewHost& host);
// Removes the placed gauge under the ghost's grid position, if any.
void removeGaugeAtGhost(const EditingState& state, PageLayout& layout, PageDirectory& directory,
                        ViewHost& host);

// The keys that work on the pages: the arrows move the ghost one grid step, Enter places it,
// Delete removes the gauge under it.
enum class PageKey { left, right, up, down, place, remove };
void pressPageKey(EditingState& state, PageLayout& layout, PageDirectory& directory,
                  const GaugeCatalog& catalog, ViewHost& host, PageKey key);
// Whether the preview point lies on one of the four pages.
bool isOnPages(const PageDirectory& directory, int x, int y);
