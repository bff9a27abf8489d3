#pragma once
// Arranging placed gauges: carrying one to a new place (by mouse drag or from the keyboard),
// taking a placed gauge's catalog entry as the selection (copy, cut, paste), and the page
// choices of the page commands. A carried gauge's outline follows the ghost: it stands where
// the gauge stood, shifted by as many grid steps as the ghost moved since the pick-up.
#include <cstdint>
#include <optional>
#include <string>

#include "layout/gauge_catalog.h"
#include "layout/page_editing.h"
#include "layout/page_layout.h"
#include "platform/form_controls.h"
#include "platform/view_host.h"

struct GaugeCarry {
    bool active = false;
    bool byMouse = false;  // ends when the button is released; from the keyboard at Enter
    PlacementRef from;
    int grabX = 0;  // the ghost's place at the pick-up
    int grabY = 0;
};

// Where the carried gauge would go, preview pixels, and whether it fits there.
struct CarryOutline {
    int x = 0;
    int y = 0;
    int width = 0;  // preview pixels
    int height = 0;
    bool fits = false;
};

// Picks up the placed gauge under the ghost and hides the ghost; false (nothing carried) when
// none stands there.
bool pickUpGauge(GaugeCarry& carry, const EditingState& state, const PageLayout& layout,
                 const PageDirectory& directory, ViewHost& host, bool byMouse);
// The carried gauge's outline for the ghost's present place.
CarryOutline carryOutline(const GaugeCarry& carry, const EditingState& state,
                          const PageLayout& layout, const PageDirectory& directory);
// Puts the carried gauge down at its outline when it fits there. The carry ends either way and
// the ghost shows again; true when the gauge moved.
bool putDownGauge(GaugeCarry& carry, const EditingState& state, PageLayout& layout,
                  PageDirectory& directory, ViewHost& host);
// Ends the carry with the gauge where it was; the ghost shows again.
void cancelCarry(GaugeCarry& carry, const EditingState& state, ViewHost& host);

// Copy: the catalog entry of the gauge under the ghost becomes the selection (both selectors
// show it, the ghost becomes it) and the copied gauge. False when no gauge stands there or its
// gauge is not in the catalog; nothing changes then.
bool copyGaugeAtGhost(EditingState& state, const PageLayout& layout, const PageDirectory& directory,
                      const GaugeCatalog& catalog, ViewHost& host, const GaugeSelectors& selectors);
// Cut: the same, and the gauge is removed.
bool cutGaugeAtGhost(EditingState& state, PageLayout& layout, PageDirectory& directory,
                     const GaugeCatalog& catalog, ViewHost& host, const GaugeSelectors& selectors);
// Paste: places the copied gauge at the ghost (selecting it again when the selection changed
// since). Nothing happens when nothing was copied.
void pasteGauge(EditingState& state, PageLayout& layout, PageDirectory& directory,
                const GaugeCatalog& catalog, ViewHost& host, const GaugeSelectors& selectors);

// The questions of "Copy Page To..." (when the target page has gauges) and "Clear Page...", with
// their captions.
struct PageQuestion {
    std::string text;
    std::string caption;
};
PageQuestion copyPageQuestion(int from, int to);
PageQuestion clearPageQuestion(int page);

// The page lists of "Copy Page To..." and "Clear Page...": "Page 1" to "Page 4".
void fillPageList(FormControls& form, int listId, int selectedPage);
// The chosen page, or nothing when the list has no selection.
std::optional<int> chosenPage(FormControls& form, int listId);
// The page whose preview holds the point, or nothing.
std::optional<int> pageAt(const PageDirectory& directory, int x, int y);

// Enter on the pages: puts a carried gauge down where it fits (where it does not, it stays
// carried), else picks up the gauge under the ghost, else places the ghost as before. True when
// the layout may have changed.
bool pressEnterOnPages(GaugeCarry& carry, EditingState& state, PageLayout& layout,
                       PageDirectory& directory, const GaugeCatalog& catalog, ViewHost& host);
