#include "layout/page_layout.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/fake_view_host.h"

namespace {

GaugePlacement gaugeAt(int x, int y, int width, int height, std::uint32_t gaugeId = 0x3109) {
    GaugePlacement p;
    p.x = x;
    p.y = y;
    p.width = width;
    p.height = height;
    p.gaugeId = gaugeId;
    return p;
}

class PageLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { resetPages(layout, directory); }

    // Places a gauge with its own view, as the editor would.
    void place(int page, GaugePlacement p) {
        p.window = host.createView(p.x, p.y, 2 * p.width, 2 * p.height);
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
    EXPECT_EQ(layout.slots[3][0].x, 32);
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

}  // namespace
