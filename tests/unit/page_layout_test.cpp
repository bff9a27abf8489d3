#include "layout/page_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "support/fake_view_host.h"

namespace {

GaugePlacement gaugeAt(int x, int y, int width, int height, std::uint32_t gaugeId = 0x3109) {
    GaugePlacement p;
    p.previewX = x;
    p.previewY = y;
    p.displayWidth = width;
    p.displayHeight = height;
    p.gaugeId = gaugeId;
    return p;
}

class PageLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { resetPages(layout, directory); }

    // Places a gauge with its own view, as the editor would.
    void place(int page, GaugePlacement p) {
        p.window = host.createView(p.previewX, p.previewY, 2 * p.displayWidth, 2 * p.displayHeight);
        ASSERT_TRUE(addPlacement(layout, directory, page, p));
    }

    FakeViewHost host;
    PageLayout layout{};
    PageDirectory directory{};
};

TEST_F(PageLayoutTest, ResetGivesTheFourPreviewFramesAndEmptiesTheSlots) {
    layout.slots[2][127].window = 99;
    directory.pages[1].count = 5;
    resetPages(layout, directory);
    const int tops[kPageCount] = {32, 208, 384, 560};
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& f = directory.pages[page];
        EXPECT_EQ(f.x, 32) << "page " << page;
        EXPECT_EQ(f.y, tops[page]) << "page " << page;
        EXPECT_EQ(f.width, 480) << "page " << page;
        EXPECT_EQ(f.height, 128) << "page " << page;
        EXPECT_EQ(f.count, 0) << "page " << page;
        for (int s = 0; s < kSlotsPerPage; ++s) ASSERT_EQ(layout.slots[page][s].window, 0u);
    }
}

TEST_F(PageLayoutTest, FitTestKeepsGaugesInsideOnePageAndApart) {
    place(0, gaugeAt(32, 32, 64, 64));     // radial, preview 32..160 x 32..160
    place(1, gaugeAt(32, 208, 56, 16));    // text, preview 32..144 x 208..240
    struct Case {
        const char* name;
        GaugePlacement ghost;
        int expected;
    };
    const Case cases[] = {
        {"radial at the right edge of page 0", gaugeAt(384, 32, 64, 64), 0},
        {"radial one step past the right edge", gaugeAt(400, 32, 64, 64), kBlocked},
        {"radial below a page top", gaugeAt(384, 48, 64, 64), kBlocked},
        {"text straddling pages 0 and 1", gaugeAt(304, 144, 56, 16), kBlocked},
        {"text in the gap between pages", gaugeAt(304, 176, 56, 16), kBlocked},
        {"text at the bottom of page 0", gaugeAt(304, 128, 56, 16), 0},
        {"left of the pages", gaugeAt(16, 32, 56, 16), kBlocked},
        {"overlapping the radial", gaugeAt(144, 144, 56, 16), kBlocked},
        {"touching the radial's right edge", gaugeAt(160, 32, 56, 16), 0},
        {"touching the text gauge's right edge", gaugeAt(144, 208, 56, 16), 1},
        {"overlapping the text gauge", gaugeAt(128, 208, 56, 16), kBlocked},
        {"bigger rev meter filling page 3 width", gaugeAt(32, 560, 240, 48), 3},
        {"bigger rev meter one step right", gaugeAt(48, 560, 240, 48), kBlocked},
        {"unset ghost at the origin", gaugeAt(0, 0, 0, 0), kBlocked},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findPlacementPage(layout, directory, c.ghost), c.expected) << "case " << c.name;
}

TEST_F(PageLayoutTest, FitTestChecksGaugesOfEveryPage) {
    // A damaged file may list on page 2 a gauge that lies over page 0: it still blocks.
    place(2, gaugeAt(32, 32, 24, 8));
    EXPECT_EQ(findPlacementPage(layout, directory, gaugeAt(32, 32, 24, 8)), kBlocked);
    EXPECT_EQ(findPlacementPage(layout, directory, gaugeAt(80, 32, 24, 8)), 0);
}

TEST_F(PageLayoutTest, HitTestCoversLeftAndTopEdgesOnly) {
    place(0, gaugeAt(32, 32, 64, 64));
    place(0, gaugeAt(160, 32, 56, 16));
    place(3, gaugeAt(64, 576, 24, 8));
    struct Case {
        const char* name;
        int x, y;
        int page, slot;  // page -1: none
    };
    const Case cases[] = {
        {"radial top left", 32, 32, 0, 0},
        {"radial bottom right pixel", 159, 159, 0, 0},
        {"radial right edge excluded", 160, 100, -1, -1},
        {"text gauge left edge", 160, 32, 0, 1},
        {"text gauge bottom edge excluded", 200, 64, -1, -1},
        {"indicator on page 3", 111, 591, 3, 0},
        {"beside the indicator", 112, 576, -1, -1},
        {"far away", 600, 10, -1, -1},
    };
    for (const Case& c : cases) {
        const std::optional<PlacementRef> hit = findPlacementAt(layout, directory, c.x, c.y);
        if (c.page < 0) {
            EXPECT_FALSE(hit.has_value()) << "case " << c.name;
            continue;
        }
        ASSERT_TRUE(hit.has_value()) << "case " << c.name;
        EXPECT_EQ(hit->page, c.page) << "case " << c.name;
        EXPECT_EQ(hit->slot, c.slot) << "case " << c.name;
    }
}

TEST_F(PageLayoutTest, RemovingClosesTheGapAndDestroysOnlyThatView) {
    place(1, gaugeAt(32, 208, 56, 16, 0x3105));
    place(1, gaugeAt(144, 208, 56, 16, 0x3106));
    place(1, gaugeAt(256, 208, 56, 16, 0x3107));
    const ViewHandle first = layout.slots[1][0].window;
    removePlacement(layout, directory, host, 1, 0);
    EXPECT_EQ(directory.pages[1].count, 2);
    EXPECT_EQ(layout.slots[1][0].gaugeId, 0x3106u);
    EXPECT_EQ(layout.slots[1][1].gaugeId, 0x3107u);
    EXPECT_TRUE(host.view(first).destroyed);
    EXPECT_EQ(host.liveCount(), 2);

    // Slots not in use and pages that do not exist are left alone.
    const std::pair<int, int> ignored[] = {{1, 2}, {1, -1}, {0, 0}, {-1, 0}, {4, 0}};
    for (const auto& [page, slot] : ignored) {
        removePlacement(layout, directory, host, page, slot);
        EXPECT_EQ(directory.pages[1].count, 2) << page << "/" << slot;
    }
    EXPECT_EQ(host.liveCount(), 2);
    EXPECT_EQ(host.staleCalls, 0);
}

TEST_F(PageLayoutTest, AddRefusesAFullPageAndABadPage) {
    directory.pages[2].count = kSlotsPerPage;
    EXPECT_FALSE(addPlacement(layout, directory, 2, gaugeAt(32, 384, 24, 8)));
    EXPECT_EQ(directory.pages[2].count, kSlotsPerPage);
    EXPECT_FALSE(addPlacement(layout, directory, -1, gaugeAt(32, 32, 24, 8)));
    EXPECT_FALSE(addPlacement(layout, directory, kPageCount, gaugeAt(32, 32, 24, 8)));
    EXPECT_TRUE(addPlacement(layout, directory, 3, gaugeAt(32, 560, 24, 8)));
    EXPECT_EQ(directory.pages[3].count, 1);
    EXPECT_EQ(layout.slots[3][0].previewX, 32);
}

TEST_F(PageLayoutTest, ClearDestroysViewsInUseAndKeepsGeometry) {
    place(0, gaugeAt(32, 32, 24, 8));
    place(3, gaugeAt(32, 560, 24, 8));
    layout.slots[0][5].window = host.createView(0, 0, 1, 1);  // beyond count: not a gauge
    clearPages(layout, directory, host);
    for (int page = 0; page < kPageCount; ++page) {
        EXPECT_EQ(directory.pages[page].count, 0) << "page " << page;
        EXPECT_EQ(directory.pages[page].y, 32 + 176 * page) << "page " << page;
    }
    EXPECT_EQ(host.liveCount(), 1);
    EXPECT_FALSE(host.view(layout.slots[0][5].window).destroyed);
    EXPECT_EQ(host.staleCalls, 0);
}

TEST_F(PageLayoutTest, AttachGivesKnownGaugesHiddenViewsAndRefreshShowsThem) {
    const GaugeCatalog catalog = loadCatalog(host);
    GaugePlacement known = gaugeAt(48, 208, 56, 16, 0x3109);  // "RPM"
    known.window = 0xDEAD;  // handles read from a file mean nothing
    known.bitmap = 0xBEEF;
    GaugePlacement unknown = gaugeAt(160, 208, 56, 16, 0x3131);
    unknown.window = 0xDEAD;
    unknown.bitmap = 0xBEEF;
    ASSERT_TRUE(addPlacement(layout, directory, 1, known));
    ASSERT_TRUE(addPlacement(layout, directory, 1, unknown));

    attachPlacementViews(layout, directory, catalog, host);
    const GaugePlacement& a = layout.slots[1][0];
    ASSERT_NE(a.window, 0u);
    EXPECT_EQ(a.bitmap, FakeViewHost::bitmapHandleFor(142));
    const FakeViewHost::View& view = host.view(a.window);
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.x, 48);
    EXPECT_EQ(view.width, 56);  // single size until refreshed
    EXPECT_EQ(view.height, 16);

    const GaugePlacement& b = layout.slots[1][1];
    EXPECT_EQ(b.window, 0u);
    EXPECT_EQ(b.bitmap, 0u);
    EXPECT_EQ(directory.pages[1].count, 2);
    // The unknown gauge still holds its place.
    EXPECT_EQ(findPlacementPage(layout, directory, gaugeAt(160, 208, 24, 8)), kBlocked);

    refreshPlacedGauges(layout, directory, host);
    EXPECT_TRUE(host.view(a.window).visible);
    EXPECT_EQ(host.view(a.window).bitmap, a.bitmap);
    EXPECT_EQ(host.view(a.window).width, 112);
    EXPECT_EQ(host.view(a.window).height, 32);
    EXPECT_EQ(host.createdCount(), 1);
    EXPECT_EQ(host.staleCalls, 0);
}

// A damaged count must never reach past the page's own 128 slots: here page 0 claims more and
// page 1 slot 0 (the next record in memory) holds a gauge that only page 1 may report.
TEST_F(PageLayoutTest, DamagedCountsStayWithinThePage) {
    const std::int32_t damaged[] = {-1, -5, INT32_MIN, 129, 1000, INT32_MAX};
    const GaugeCatalog catalog = loadCatalog(host);
    for (const std::int32_t count : damaged) {
        PageLayout pages{};
        PageDirectory dir{};
        resetPages(pages, dir);
        for (int s = 0; s < kSlotsPerPage; ++s) {
            pages.slots[0][s] = gaugeAt(0, 0, 0, 0, 0x3131);
            pages.slots[3][s] = gaugeAt(0, 0, 0, 0, 0x3131);
        }
        pages.slots[1][0] = gaugeAt(32, 208, 56, 16, 0x3109);
        dir.pages[1].count = 1;
        dir.pages[0].count = count;
        dir.pages[3].count = count;  // the last page has nothing after it at all

        const std::optional<PlacementRef> hit = findPlacementAt(pages, dir, 40, 210);
        ASSERT_TRUE(hit.has_value()) << "count " << count;
        EXPECT_EQ(hit->page, 1) << "count " << count;
        EXPECT_EQ(hit->slot, 0) << "count " << count;
        EXPECT_EQ(findPlacementPage(pages, dir, gaugeAt(32, 560, 24, 8)), 3) << "count " << count;

        FakeViewHost views;
        attachPlacementViews(pages, dir, catalog, views);
        EXPECT_EQ(views.createdCount(), 1) << "count " << count;  // only page 1's gauge
        refreshPlacedGauges(pages, dir, views);
        EXPECT_EQ(views.staleCalls, 0) << "count " << count;

        const bool full = count > kSlotsPerPage - 1;
        EXPECT_EQ(addPlacement(pages, dir, 3, gaugeAt(32, 560, 24, 8)), !full) << "count " << count;
        EXPECT_EQ(dir.pages[3].count, full ? count : 1) << "count " << count;

        clearPages(pages, dir, views);
        EXPECT_EQ(dir.pages[0].count, 0) << "count " << count;
        EXPECT_EQ(views.staleCalls, 0) << "count " << count;
    }
}

TEST_F(PageLayoutTest, DamagedSizesDoNotOverflowTheTests) {
    place(0, gaugeAt(32, 32, INT32_MAX, 8));
    const std::optional<PlacementRef> hit = findPlacementAt(layout, directory, 480, 40);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(findPlacementPage(layout, directory, gaugeAt(400, 32, 24, 8)), kBlocked);
    refreshPlacedGauges(layout, directory, host);
    EXPECT_EQ(host.view(layout.slots[0][0].window).width, INT32_MAX);
}

// A placement's corner as a display column and row on its page, and back. An odd preview offset
// (only a damaged file has one) goes toward zero or up as asked; positions at the int32 limits
// convert in 64 bits without wrapping.
TEST(PageLayoutUnits, DisplayPointOfAPlacementAndBack) {
    const PageFrame frame = fixedPageFrame(1);  // its corner at (32, 208)
    struct Case {
        std::int32_t x, y;
        std::int64_t column, row;      // toward zero
        std::int64_t columnUp, rowUp;  // up
        std::int64_t backX, backY;     // the preview point of (column, row)
    };
    const Case cases[] = {
        {32, 208, 0, 0, 0, 0, 32, 208},
        {32 + 2 * 37, 208 + 2 * 9, 37, 9, 37, 9, 106, 226},
        {33, 211, 0, 1, 1, 2, 32, 210},
        {29, 207, -1, 0, -1, 0, 30, 208},
        {INT32_MIN, INT32_MIN, -1073741840, -1073741928, -1073741840, -1073741928, INT32_MIN, INT32_MIN},
        {INT32_MAX, INT32_MAX, 1073741807, 1073741719, 1073741808, 1073741720, INT32_MAX - 1, INT32_MAX - 1},
    };
    for (const Case& c : cases) {
        const GaugePlacement gauge = gaugeAt(c.x, c.y, 16, 8);
        const DisplayPoint point = displayPointOf(gauge, frame);
        const DisplayPoint up = displayPointOf(gauge, frame, PixelRounding::up);
        EXPECT_EQ(point.column, c.column) << c.x;
        EXPECT_EQ(point.row, c.row) << c.y;
        EXPECT_EQ(up.column, c.columnUp) << c.x;
        EXPECT_EQ(up.row, c.rowUp) << c.y;
        const PreviewPoint back = previewPointOf(point, frame);
        EXPECT_EQ(back.x, c.backX) << c.x;
        EXPECT_EQ(back.y, c.backY) << c.y;
    }
}

}  // namespace

// Page 0 holds a radial at (32, 32) and a text gauge at (192, 32); page 1 a text gauge at
// (32, 208). Each case moves one of them; the gauge itself never blocks its own move.
TEST_F(PageLayoutTest, MoveKeepsTheSlotOnItsPageAndAppendsOnAnother) {
    struct Case {
        const char* name;
        PlacementRef moved;
        int x, y;
        int page;  // findMovePage's answer
        int counts[kPageCount];
        int slot;  // where the moved gauge's record then stands (on `page`)
    };
    const Case cases[] = {
        {"one step right, over its own old place", {0, 0}, 48, 32, 0, {2, 1, 0, 0}, 0},
        {"to the same place", {0, 1}, 192, 32, 0, {2, 1, 0, 0}, 1},
        {"onto the other gauge", {0, 0}, 176, 32, kBlocked, {2, 1, 0, 0}, 0},
        {"touching the other gauge", {0, 0}, 64, 32, 0, {2, 1, 0, 0}, 0},
        {"across the page's right edge", {0, 1}, 416, 32, kBlocked, {2, 1, 0, 0}, 1},
        {"between two pages", {0, 1}, 192, 160, kBlocked, {2, 1, 0, 0}, 1},
        {"left of every page", {0, 1}, 0, 32, kBlocked, {2, 1, 0, 0}, 1},
        {"to page 3, last slot there", {0, 0}, 32, 560, 3, {1, 1, 0, 1}, 0},
        {"to page 1 beside its gauge", {0, 0}, 160, 208, 1, {1, 2, 0, 0}, 1},
        {"a slot not in use", {0, 2}, 32, 384, kBlocked, {2, 1, 0, 0}, 0},
        {"a page outside 0..3", {4, 0}, 32, 384, kBlocked, {2, 1, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        place(0, gaugeAt(32, 32, 64, 64, 0x0000));
        place(0, gaugeAt(192, 32, 56, 16, 0x3109));
        place(1, gaugeAt(32, 208, 56, 16, 0x3105));
        PageLayout before;
        std::memcpy(&before, &layout, sizeof layout);  // padding too, for the byte comparison
        EXPECT_EQ(findMovePage(layout, directory, c.moved, c.x, c.y), c.page);
        const std::optional<PlacementRef> now = movePlacement(layout, directory, host, c.moved, c.x, c.y);
        for (int p = 0; p < kPageCount; ++p) EXPECT_EQ(directory.pages[p].count, c.counts[p]) << "page " << p;
        if (c.page == kBlocked) {
            EXPECT_FALSE(now);
            EXPECT_EQ(0, std::memcmp(&before, &layout, sizeof layout));
            continue;
        }
        ASSERT_TRUE(now);
        EXPECT_EQ(now->page, c.page);
        EXPECT_EQ(now->slot, c.slot);
        const GaugePlacement& moved = layout.slots[now->page][now->slot];
        const GaugePlacement& original = before.slots[c.moved.page][c.moved.slot];
        EXPECT_EQ(moved.previewX, c.x);
        EXPECT_EQ(moved.previewY, c.y);
        EXPECT_EQ(moved.gaugeId, original.gaugeId);
        EXPECT_EQ(moved.window, original.window);
        const FakeViewHost::View& view = host.view(moved.window);
        EXPECT_EQ(view.x, c.x);
        EXPECT_EQ(view.y, c.y);
        EXPECT_EQ(view.width, 2 * moved.displayWidth);
        EXPECT_FALSE(view.destroyed);
        EXPECT_EQ(host.staleCalls, 0);
    }
}

TEST_F(PageLayoutTest, CopyPageReplacesTheTargetAndClearPageEmptiesOne) {
    struct Case {
        const char* name;
        int from, to;
        bool copied;
        int counts[kPageCount];
    };
    const Case cases[] = {
        {"onto an empty page", 0, 2, true, {2, 1, 2, 0}},
        {"onto a page with gauges", 0, 1, true, {2, 2, 0, 0}},
        {"an empty page over gauges", 3, 1, true, {2, 0, 0, 0}},
        {"upwards", 1, 0, true, {1, 1, 0, 0}},
        {"onto itself", 1, 1, false, {2, 1, 0, 0}},
        {"from a page outside 0..3", -1, 1, false, {2, 1, 0, 0}},
        {"to a page outside 0..3", 0, 4, false, {2, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host = FakeViewHost{};
        SetUp();
        // Gauges with a bitmap, as the catalog gives them; a copy's view shows the same one.
        auto shown = [](GaugePlacement p) { p.bitmap = 5; return p; };
        place(0, shown(gaugeAt(32, 32, 64, 64, 0x0000)));
        place(0, shown(gaugeAt(192, 160 - 32, 56, 16, 0x3109)));
        place(1, shown(gaugeAt(32, 208, 56, 16, 0x3105)));
        const int viewsBefore = host.liveCount();
        EXPECT_EQ(copyPage(layout, directory, host, c.from, c.to), c.copied);
        for (int p = 0; p < kPageCount; ++p) EXPECT_EQ(directory.pages[p].count, c.counts[p]) << "page " << p;
        if (!c.copied) {
            EXPECT_EQ(host.liveCount(), viewsBefore);
            continue;
        }
        // Each copy: the original's record moved by the pages' distance, with a live view there.
        for (int s = 0; s < directory.pages[c.to].count; ++s) {
            const GaugePlacement& copy = layout.slots[c.to][s];
            const GaugePlacement& original = layout.slots[c.from][s];
            EXPECT_EQ(copy.previewX, original.previewX);
            EXPECT_EQ(copy.previewY, original.previewY + kPageStride * (c.to - c.from));
            EXPECT_EQ(copy.gaugeId, original.gaugeId);
            ASSERT_NE(copy.window, original.window);
            EXPECT_EQ(host.view(copy.window).y, copy.previewY);
            EXPECT_EQ(host.view(copy.window).bitmap, copy.bitmap);
            EXPECT_TRUE(host.view(copy.window).visible);
        }
        // The replaced gauges' views went; every gauge left has its own.
        const int placed = c.counts[0] + c.counts[1] + c.counts[2] + c.counts[3];
        EXPECT_EQ(host.liveCount(), placed);
        EXPECT_EQ(host.staleCalls, 0);
        clearPage(layout, directory, host, c.to);
        EXPECT_EQ(directory.pages[c.to].count, 0);
        EXPECT_EQ(host.liveCount(), placed - c.counts[c.to]);
    }

    // A gauge whose bitmap did not load has a view but no bitmap: its copy never takes the
    // original's view, so clearing the copies leaves the original shown.
    host = FakeViewHost{};
    SetUp();
    place(0, gaugeAt(32, 32, 64, 64, 0x0000));
    ASSERT_TRUE(copyPage(layout, directory, host, 0, 1));
    EXPECT_NE(layout.slots[1][0].window, layout.slots[0][0].window);
    clearPage(layout, directory, host, 1);
    EXPECT_FALSE(host.view(layout.slots[0][0].window).destroyed);
    EXPECT_EQ(host.staleCalls, 0);
}
