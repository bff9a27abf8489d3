#pragma once
// The four display pages and the gauges placed on them. Positions are preview pixels of the main
// window (the preview shows each display pixel as kPreviewScale x kPreviewScale preview pixels);
// a gauge's size is in display pixels. Views are
// driven through the ViewHost; `window` and `bitmap` hold its opaque handles and mean nothing
// outside the run.
#include <cstdint>
#include <optional>

#include "layout/gauge_catalog.h"
#include "platform/preview_scale.h"
#include "platform/view_host.h"

constexpr int kPageCount = 4;
constexpr int kSlotsPerPage = 128;
// Geometry of the page previews after resetPages.
constexpr int kPageX = 32;
constexpr int kPageTop = 32;
constexpr int kPageStride = 176;
constexpr int kPageWidth = 480;
constexpr int kPageHeight = 128;
// findPlacementPage's answer when the ghost cannot be placed.
constexpr int kBlocked = -1;

struct GaugePlacement {
    ViewHandle window = 0;
    std::int32_t previewX = 0;
    std::int32_t previewY = 0;
    std::int32_t displayWidth = 0;
    std::int32_t displayHeight = 0;
    BitmapHandle bitmap = 0;
    std::uint32_t gaugeId = 0;
    std::uint8_t hidden = 0;  // only the ghost is ever hidden
    float rangeMin = 0;
    float rangeMax = 0;
};

struct PageFrame {
    ViewHandle window = 0;  // the page preview; its geometry is in preview pixels
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t count = 0;  // slots 0..count-1 are in use; may be damaged in a loaded file
};

struct PageLayout {
    GaugePlacement slots[kPageCount][kSlotsPerPage];
};

struct PageDirectory {
    PageFrame pages[kPageCount];
};

struct PlacementRef {
    int page = 0;
    int slot = 0;
};

// A place on a display page: display pixels from the page's top-left corner. In 64 bits, so that
// a damaged file's position near the int32 limits converts without overflow.
struct DisplayPoint {
    std::int64_t column = 0;
    std::int64_t row = 0;
};
// A place in the main window's preview, preview pixels.
struct PreviewPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};
// Which display pixel a preview offset between two of them takes (an odd number of preview
// pixels; only a damaged file has one): toward zero, as the display's gauge records carry it;
// or up, the first display pixel whose preview pixel lies inside the gauge.
enum class PixelRounding { towardZero, up };

// Where the placement's corner lies on the display page that `frame` previews.
DisplayPoint displayPointOf(const GaugePlacement& placement, const PageFrame& frame,
                            PixelRounding rounding = PixelRounding::towardZero);
// And back: the preview point of a display point on the page that `frame` previews.
PreviewPoint previewPointOf(DisplayPoint point, const PageFrame& frame);
// A length in display pixels as preview pixels; in 64 bits, as a damaged size may be any int32.
inline std::int64_t previewLength(std::int32_t displayLength) {
    return std::int64_t{kPreviewScale} * displayLength;
}
// The same as a view's length: a damaged size saturates at the int32 limits.
int viewLength(std::int32_t displayLength);

// The number of slots in use on a page, its count clamped to 0..128. Every walk over the slots
// goes through this, so a damaged count never reaches past the slots.
int usedSlotCount(const PageFrame& frame);

// Whether the placement's preview rectangle lies wholly inside the frame.
bool placementInsideFrame(const GaugePlacement& placement, const PageFrame& frame);
// Whether the preview rectangles of two placements share any pixel.
bool placementsOverlap(const GaugePlacement& a, const GaugePlacement& b);

// The geometry page `page` (0..3) has from start-up on, with no gauges and no preview. The editor
// never changes it, so every file it writes holds these four frames.
PageFrame fixedPageFrame(int page);
// Frames to their start geometry with no gauges; every slot's view handle to none.
void resetPages(PageLayout& layout, PageDirectory& directory);
// Destroys the views of the slots in use and empties every page; geometry stays.
void clearPages(PageLayout& layout, PageDirectory& directory, ViewHost& host);
// The page that holds the ghost entirely without overlapping any placed gauge, or kBlocked.
int findPlacementPage(const PageLayout& layout, const PageDirectory& directory,
                      const GaugePlacement& ghost);
// The page that would hold placed gauge `moved` with its corner at (x, y), the gauge itself not
// counting as an obstacle; kBlocked when it would not fit there (or `moved` is not in use).
int findMovePage(const PageLayout& layout, const PageDirectory& directory, PlacementRef moved,
                 int x, int y);
// Moves placed gauge `moved` to (x, y) with its view when it fits there: on its own page it keeps
// its slot, onto another page it goes to the end of that page's slots. Its new place, or nothing
// (nothing changed) when it does not fit.
std::optional<PlacementRef> movePlacement(PageLayout& layout, PageDirectory& directory,
                                          ViewHost& host, PlacementRef moved, int x, int y);
// Removes every gauge of the page with its view.
void clearPage(PageLayout& layout, PageDirectory& directory, ViewHost& host, int page);
// Replaces page `to`'s gauges with copies of page `from`'s, each at the same place within its
// page, in the same slot order, with views of their own. False (nothing changed) for the same
// page or a bad page index.
bool copyPage(PageLayout& layout, PageDirectory& directory, ViewHost& host, int from, int to);
// The first placed gauge (pages, then slots, in order) covering the preview point.
std::optional<PlacementRef> findPlacementAt(const PageLayout& layout,
                                            const PageDirectory& directory, int x, int y);
// Appends the record to the page; false (nothing changed) for a full page or a bad page index.
bool addPlacement(PageLayout& layout, PageDirectory& directory, int page,
                  const GaugePlacement& record);
// Destroys the slot's view and closes the gap; a slot not in use is left alone.
void removePlacement(PageLayout& layout, PageDirectory& directory, ViewHost& host, int page,
                     int slot);
// After a load: a hidden view for every slot in use whose gauge is in the catalog; a slot whose
// gauge is unknown keeps its place with no view and no bitmap.
void attachPlacementViews(PageLayout& layout, const PageDirectory& directory,
                          const GaugeCatalog& catalog, ViewHost& host);
// Brings every view of a slot in use in line with its record (its size in preview pixels) and
// shows it.
void refreshPlacedGauges(const PageLayout& layout, const PageDirectory& directory,
                         ViewHost& host);
