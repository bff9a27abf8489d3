#include "layout/page_editing.h"
#include "layout/page_arranging.h"

#include <gtest/gtest.h>

#include "platform/memory_form.h"
#include "support/fake_view_host.h"

namespace {

// The selectors' ids: any two do, the shell gives the main window's.
constexpr int kKindList = 20;
constexpr int kGaugeList = 1;

constexpr int kTextKind = 3;
constexpr int kIndicatorKind = 5;

// The main window right after creation: pages reset, catalog loaded, both selectors filled with
// item 0 selected, and the first ghost made.
class PageEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPages(layout, directory);
        catalog = loadCatalog(host);
        for (int kind = 0; kind < kKindCount; ++kind)
            form.addListItem(kKindList, kindName(kind));
        for (int p = 0; p < definitionCount(0); ++p)
            form.addListItem(kGaugeList, definitionName(0, p));
        form.selectListItem(kKindList, 0);
        form.selectListItem(kGaugeList, 0);
        createGhost(state, catalog, host);
    }

    void chooseKind(int kind) {
        form.selectListItem(kKindList, kind);
        selectKind(state, catalog, host, selectors);
    }
    void chooseGauge(int position) {
        form.selectListItem(kGaugeList, position);
        selectGauge(state, catalog, host, selectors);
    }
    void clickAt(int x, int y) {
        moveGhost(state, directory, host, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y));
        placeGhost(state, layout, directory, catalog, host);
    }
    const FakeViewHost::View& ghostView() const { return host.view(state.ghost.window); }
    int placedCount() const {
        int n = 0;
        for (const PageFrame& f : directory.pages) n += f.count;
        return n;
    }

    FakeViewHost host;
    MemoryForm form;
    const GaugeSelectors selectors{form, kKindList, kGaugeList};
    GaugeCatalog catalog;
    PageLayout layout{};
    PageDirectory directory{};
    EditingState state;
};

TEST_F(PageEditingTest, FirstGhostIsTheRadialRevMeterAndGetsItsSizeOnTheFirstMove) {
    EXPECT_EQ(state.ghost.gaugeId, 0x0000u);
    EXPECT_EQ(state.ghost.displayWidth, 64);
    EXPECT_EQ(state.ghost.displayHeight, 64);
    EXPECT_EQ(state.ghost.hidden, 0);
    EXPECT_TRUE(ghostView().visible);
    EXPECT_EQ(ghostView().bitmap, FakeViewHost::bitmapHandleFor(123));
    EXPECT_EQ(ghostView().width, 0);  // no size until the mouse moves

    moveGhost(state, directory, host, 37, 45);
    EXPECT_EQ(state.ghost.previewX, 32);
    EXPECT_EQ(state.ghost.previewY, 32);
    EXPECT_EQ(ghostView().x, 32);
    EXPECT_EQ(ghostView().y, 32);
    EXPECT_EQ(ghostView().width, 128);
    EXPECT_EQ(ghostView().height, 128);
}

TEST_F(PageEditingTest, ClickPlacesTheGhostAndASecondClickThereIsIgnored) {
    clickAt(37, 45);
    ASSERT_EQ(directory.pages[0].count, 1);
    const GaugePlacement& placed = layout.slots[0][0];
    EXPECT_EQ(placed.previewX, 32);
    EXPECT_EQ(placed.previewY, 32);
    EXPECT_EQ(placed.gaugeId, 0x0000u);
    EXPECT_EQ(placed.rangeMax, 10000.0f);
    EXPECT_EQ(placed.hidden, 0);
    EXPECT_EQ(state.targetPage, 0);
    // The placed gauge keeps the view that was the ghost's; the new ghost has its own, same spot.
    EXPECT_NE(placed.window, state.ghost.window);
    EXPECT_TRUE(host.view(placed.window).visible);
    EXPECT_FALSE(host.view(placed.window).destroyed);
    EXPECT_EQ(ghostView().x, 32);
    EXPECT_EQ(ghostView().width, 128);

    clickAt(37, 45);
    EXPECT_EQ(directory.pages[0].count, 1);
    EXPECT_EQ(host.staleCalls, 0);
}

TEST_F(PageEditingTest, RadialFitsAtTheRightEdgeOnlyOnTheGrid) {
    struct Case {
        const char* name;
        int mouseX, mouseY;
        int placedOnPage;  // -1: ignored
    };
    const Case cases[] = {
        {"x 384 ends at 512", 390, 40, 0},
        {"x 400 ends past 512", 400, 32, -1},
        {"y below a page top", 40, 48, -1},
        {"top of page 2", 40, 390, 2},
        {"between pages", 40, 170, -1},
    };
    for (const Case& c : cases) {
        PageLayout pages{};
        PageDirectory dir{};
        resetPages(pages, dir);
        moveGhost(state, dir, host, static_cast<std::uint16_t>(c.mouseX), static_cast<std::uint16_t>(c.mouseY));
        placeGhost(state, pages, dir, catalog, host);
        for (int page = 0; page < kPageCount; ++page)
            EXPECT_EQ(dir.pages[page].count, page == c.placedOnPage ? 1 : 0) << "case " << c.name << " page " << page;
    }
}

TEST_F(PageEditingTest, TextGhostStraddlingTwoPagesCannotBePlaced) {
    chooseKind(kTextKind);
    clickAt(40, 150);  // y 144: ends at 176, past page 0 and above page 1
    EXPECT_EQ(placedCount(), 0);
    clickAt(40, 130);  // y 128: ends at 160, the bottom of page 0
    EXPECT_EQ(directory.pages[0].count, 1);
}

TEST_F(PageEditingTest, GhostHidesOnlyRightOfThePages) {
    struct Case {
        int mouseX, mouseY;
        bool hidden;
    };
    const Case cases[] = {
        {512, 40, false}, {513, 40, false}, {527, 700, false}, {528, 40, true},
        {600, 40, true},  {65535, 65535, true}, {100, 180, false}, {0, 0, false},
        {540, 300, true}, {527, 300, false},
    };
    for (const Case& c : cases) {
        moveGhost(state, directory, host, static_cast<std::uint16_t>(c.mouseX), static_cast<std::uint16_t>(c.mouseY));
        EXPECT_EQ(state.ghost.hidden != 0, c.hidden) << "case x " << c.mouseX;
        EXPECT_EQ(ghostView().visible, !c.hidden) << "case x " << c.mouseX;
        EXPECT_EQ(ghostView().x, c.mouseX / 16 * 16) << "case x " << c.mouseX;
    }
}

TEST_F(PageEditingTest, NewGhostKeepsThePreviousRectangleUntilTheNextMove) {
    moveGhost(state, directory, host, 40, 40);
    const ViewHandle old = state.ghost.window;
    chooseKind(kTextKind);
    EXPECT_TRUE(host.view(old).destroyed);
    EXPECT_EQ(ghostView().bitmap, FakeViewHost::bitmapHandleFor(138));
    EXPECT_EQ(ghostView().width, 128);  // still the radial's rectangle
    EXPECT_EQ(ghostView().height, 128);
    EXPECT_EQ(state.ghost.displayWidth, 56);
    moveGhost(state, directory, host, 40, 40);
    EXPECT_EQ(ghostView().width, 112);
    EXPECT_EQ(ghostView().height, 32);
    EXPECT_EQ(host.liveCount(), 1);
}

TEST_F(PageEditingTest, ChoosingAKindRefillsTheGaugesAndTakesItsFirstEntry) {
    struct Case {
        int kind;
        const char* firstName;
        std::uint32_t gaugeId;
        int items;
    };
    const Case cases[] = {
        {kTextKind, "Air Temp (C)", 0x3105, 112},
        {kIndicatorKind, "LS1", 0x3700, 23},
        {1, "Knock #1", 0x1008, 19},
        {0, "Radial Rev Meter", 0x0000, 3},
    };
    for (const Case& c : cases) {
        chooseGauge(1);  // whatever was chosen before
        chooseKind(c.kind);
        const MemoryForm::List& gauges = form.lists[kGaugeList];
        ASSERT_EQ(static_cast<int>(gauges.items.size()), c.items) << "case " << c.firstName;
        EXPECT_EQ(gauges.items[0], c.firstName) << "case " << c.firstName;
        EXPECT_EQ(gauges.selection, 0) << "case " << c.firstName;
        EXPECT_EQ(state.selectedKind, c.kind) << "case " << c.firstName;
        EXPECT_EQ(state.selectedGauge, 0) << "case " << c.firstName;
        EXPECT_EQ(state.ghost.gaugeId, c.gaugeId) << "case " << c.firstName;
    }
    EXPECT_EQ(host.liveCount(), 1);
}

TEST_F(PageEditingTest, ChoosingAGaugeMakesItTheGhost) {
    chooseKind(kTextKind);
    chooseGauge(34);
    EXPECT_EQ(state.selectedGauge, 34);
    EXPECT_EQ(state.ghost.gaugeId, 0x3109u);  // "RPM"
    EXPECT_EQ(ghostView().bitmap, FakeViewHost::bitmapHandleFor(142));
}

TEST_F(PageEditingTest, SelectorsWithoutAUsableSelectionChangeNothing) {
    const ViewHandle before = state.ghost.window;
    chooseGauge(-1);
    form.lists[kKindList].selection = -1;
    selectKind(state, catalog, host, selectors);
    EXPECT_EQ(state.ghost.window, before);
    EXPECT_FALSE(host.view(before).destroyed);
    EXPECT_EQ(state.selectedKind, 0);
    EXPECT_EQ(state.selectedGauge, 0);
}

TEST_F(PageEditingTest, EightyIndicatorsFillAPageAndAnEightyFirstDoesNotFit) {
    chooseKind(kIndicatorKind);
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 10; ++column) clickAt(32 + 48 * column, 32 + 16 * row);
    ASSERT_EQ(directory.pages[0].count, 80);
    for (int y = 16; y <= 176; y += 16)
        for (int x = 0; x <= 528; x += 16) clickAt(x, y);
    EXPECT_EQ(directory.pages[0].count, 80);
    EXPECT_EQ(placedCount(), 80);
    EXPECT_EQ(host.liveCount(), 81);  // 80 gauges and the ghost
}

TEST_F(PageEditingTest, RightClickRemovesTheGaugeUnderTheGhost) {
    chooseKind(kTextKind);
    clickAt(32, 208);
    clickAt(144, 208);
    clickAt(256, 208);
    ASSERT_EQ(directory.pages[1].count, 3);
    const ViewHandle middle = layout.slots[1][1].window;

    moveGhost(state, directory, host, 200, 230);  // inside the middle gauge, not at its corner
    removeGaugeAtGhost(state, layout, directory, host);
    EXPECT_EQ(directory.pages[1].count, 2);
    EXPECT_EQ(layout.slots[1][0].previewX, 32);
    EXPECT_EQ(layout.slots[1][1].previewX, 256);
    EXPECT_TRUE(host.view(middle).destroyed);
    EXPECT_FALSE(host.view(state.ghost.window).destroyed);

    moveGhost(state, directory, host, 200, 230);  // now empty
    removeGaugeAtGhost(state, layout, directory, host);
    moveGhost(state, directory, host, 600, 210);  // hidden, right of the pages
    removeGaugeAtGhost(state, layout, directory, host);
    EXPECT_EQ(directory.pages[1].count, 2);
    EXPECT_EQ(host.staleCalls, 0);
}

}  // namespace

TEST_F(PageEditingTest, PageKeysMoveTheGhostByOneGridStepPlaceAndRemove) {
    chooseKind(kTextKind);
    moveGhost(state, directory, host, 40, 40);
    pressPageKey(state, layout, directory, catalog, host, PageKey::right);
    pressPageKey(state, layout, directory, catalog, host, PageKey::down);
    EXPECT_EQ(state.ghost.previewX, 32 + kGhostGrid);
    EXPECT_EQ(state.ghost.previewY, 32 + kGhostGrid);
    EXPECT_EQ(ghostView().x, 32 + kGhostGrid) << "the view follows the ghost";
    pressPageKey(state, layout, directory, catalog, host, PageKey::place);
    EXPECT_EQ(placedCount(), 1);
    pressPageKey(state, layout, directory, catalog, host, PageKey::remove);
    EXPECT_EQ(placedCount(), 0);
    // At the window's edge the ghost stays put instead of wrapping round.
    moveGhost(state, directory, host, 0, 0);
    pressPageKey(state, layout, directory, catalog, host, PageKey::left);
    pressPageKey(state, layout, directory, catalog, host, PageKey::up);
    EXPECT_EQ(state.ghost.previewX, 0);
    EXPECT_EQ(state.ghost.previewY, 0);
}

TEST_F(PageEditingTest, OnlyPointsInsideAPageAreOnThePages) {
    EXPECT_TRUE(isOnPages(directory, kPageX, kPageTop));
    EXPECT_TRUE(isOnPages(directory, kPageX + kPageWidth - 1, kPageTop + 3 * kPageStride));
    EXPECT_FALSE(isOnPages(directory, kPageX + kPageWidth, kPageTop));
    EXPECT_FALSE(isOnPages(directory, kPageX, kPageTop + kPageHeight)) << "between two pages";
    EXPECT_FALSE(isOnPages(directory, kPageX - 1, kPageTop));
}

// Three text gauges on page 1 at x 32, 144 and 256 (112 x 32 preview pixels each); the middle
// one is picked up by its inside (grab at the ghost's (144, 208)) and carried as the ghost moves.
TEST_F(PageEditingTest, CarriedGaugeMovesWhereItsOutlineFits) {
    struct Case {
        const char* name;
        int toX, toY;  // the mouse when the gauge is put down
        bool cancel;   // Esc instead of a release
        bool fits;
        int page, slot, x, y;  // where the carried gauge's record then stands
        int pageOneCount;
    };
    const Case cases[] = {
        {"without a drag", 150, 215, false, true, 1, 1, 144, 208, 3},
        {"one step down", 150, 231, false, true, 1, 1, 144, 224, 3},
        {"over the third gauge", 166, 215, false, false, 1, 1, 144, 208, 3},
        {"onto page 3", 150, 567, false, true, 3, 0, 144, 560, 2},
        {"across page 1's bottom edge", 150, 327, false, false, 1, 1, 144, 208, 3},
        {"between the pages", 150, 359, false, false, 1, 1, 144, 208, 3},
        {"right of the pages", 600, 215, false, false, 1, 1, 144, 208, 3},
        {"Esc where it fits", 150, 567, true, true, 1, 1, 144, 208, 3},
    };
    chooseKind(kTextKind);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int page = 0; page < kPageCount; ++page) clearPage(layout, directory, host, page);
        clickAt(32, 208);
        clickAt(144, 208);
        clickAt(256, 208);
        const std::uint32_t carriedId = layout.slots[1][1].gaugeId;
        const ViewHandle carriedView = layout.slots[1][1].window;
        GaugeCarry carry;
        moveGhost(state, directory, host, 150, 215);
        ASSERT_TRUE(pickUpGauge(carry, state, layout, directory, host, true));
        EXPECT_FALSE(ghostView().visible) << "the outline stands in for the ghost";
        moveGhost(state, directory, host, static_cast<std::uint16_t>(c.toX), static_cast<std::uint16_t>(c.toY));
        const CarryOutline outline = carryOutline(carry, state, layout, directory);
        EXPECT_EQ(outline.fits, c.fits);
        EXPECT_EQ(outline.width, 112);
        if (c.cancel)
            cancelCarry(carry, state, host);
        else
            EXPECT_EQ(putDownGauge(carry, state, layout, directory, host), c.fits);
        EXPECT_FALSE(carry.active);
        EXPECT_EQ(ghostView().visible, state.ghost.hidden == 0);
        EXPECT_EQ(directory.pages[1].count, c.pageOneCount);
        const GaugePlacement& placed = layout.slots[c.page][c.slot];
        EXPECT_EQ(placed.gaugeId, carriedId);
        EXPECT_EQ(placed.window, carriedView);
        EXPECT_EQ(placed.previewX, c.x);
        EXPECT_EQ(placed.previewY, c.y);
        EXPECT_EQ(host.view(carriedView).y, c.y);
        EXPECT_EQ(host.staleCalls, 0);
    }
    GaugeCarry carry;
    moveGhost(state, directory, host, 450, 100);
    EXPECT_FALSE(pickUpGauge(carry, state, layout, directory, host, true)) << "no gauge there";
    EXPECT_FALSE(carry.active);
}

TEST_F(PageEditingTest, EnterPicksUpPutsDownOrPlaces) {
    chooseKind(kTextKind);
    GaugeCarry carry;
    moveGhost(state, directory, host, 40, 40);
    EXPECT_TRUE(pressEnterOnPages(carry, state, layout, directory, catalog, host)) << "places";
    ASSERT_EQ(placedCount(), 1);
    EXPECT_FALSE(pressEnterOnPages(carry, state, layout, directory, catalog, host)) << "picks up";
    EXPECT_TRUE(carry.active);
    EXPECT_EQ(placedCount(), 1);
    // Carried onto page 0's bottom edge: Enter there keeps carrying; two steps up it fits.
    for (int step = 0; step < 7; ++step)
        pressPageKey(state, layout, directory, catalog, host, PageKey::down);
    EXPECT_FALSE(pressEnterOnPages(carry, state, layout, directory, catalog, host));
    EXPECT_TRUE(carry.active);
    pressPageKey(state, layout, directory, catalog, host, PageKey::up);
    pressPageKey(state, layout, directory, catalog, host, PageKey::right);
    EXPECT_TRUE(pressEnterOnPages(carry, state, layout, directory, catalog, host));
    EXPECT_FALSE(carry.active);
    EXPECT_EQ(placedCount(), 1);
    EXPECT_EQ(layout.slots[0][0].previewX, 48);
    EXPECT_EQ(layout.slots[0][0].previewY, 128);
}

TEST_F(PageEditingTest, CopyCutAndPasteTakeThePlacedGaugesEntry) {
    chooseKind(kIndicatorKind);
    chooseGauge(3);
    clickAt(32, 32);
    const std::uint32_t indicator = layout.slots[0][0].gaugeId;
    chooseKind(kTextKind);

    moveGhost(state, directory, host, 300, 100);  // no gauge there
    EXPECT_FALSE(copyGaugeAtGhost(state, layout, directory, catalog, host, selectors));
    pasteGauge(state, layout, directory, catalog, host, selectors);
    EXPECT_EQ(placedCount(), 1) << "nothing copied: paste does nothing";
    EXPECT_EQ(state.selectedKind, kTextKind);

    moveGhost(state, directory, host, 36, 36);
    ASSERT_TRUE(copyGaugeAtGhost(state, layout, directory, catalog, host, selectors));
    EXPECT_EQ(state.selectedKind, kIndicatorKind);
    EXPECT_EQ(state.selectedGauge, 3);
    EXPECT_EQ(form.selectedListItem(kKindList), kIndicatorKind);
    EXPECT_EQ(form.selectedListText(kGaugeList), definitionName(kIndicatorKind, 3));
    EXPECT_EQ(state.ghost.gaugeId, indicator);
    EXPECT_EQ(ghostView().width, 2 * state.ghost.displayWidth) << "the ghost has its size at once";
    EXPECT_EQ(placedCount(), 1);

    // The next click places a copy; after another choice Paste takes the copied entry again.
    clickAt(96, 32);
    chooseKind(kTextKind);
    moveGhost(state, directory, host, 160, 32);
    pasteGauge(state, layout, directory, catalog, host, selectors);
    ASSERT_EQ(placedCount(), 3);
    EXPECT_EQ(layout.slots[0][1].gaugeId, indicator);
    EXPECT_EQ(layout.slots[0][2].gaugeId, indicator);
    EXPECT_EQ(layout.slots[0][2].previewX, 160);

    // Cut: removed and selected; on a hidden ghost nothing happens.
    chooseKind(kTextKind);
    moveGhost(state, directory, host, 100, 40);
    ASSERT_TRUE(cutGaugeAtGhost(state, layout, directory, catalog, host, selectors));
    EXPECT_EQ(placedCount(), 2);
    EXPECT_EQ(layout.slots[0][1].previewX, 160) << "the gap closes";
    EXPECT_EQ(state.ghost.gaugeId, indicator);
    moveGhost(state, directory, host, 600, 40);
    EXPECT_FALSE(cutGaugeAtGhost(state, layout, directory, catalog, host, selectors));
    EXPECT_EQ(placedCount(), 2);
    EXPECT_EQ(host.staleCalls, 0);

    // A gauge the catalog lacks (a damaged file's) cannot be selected, so it is not cut away.
    layout.slots[0][0].gaugeId = 0x3FFF;
    moveGhost(state, directory, host, 36, 36);
    EXPECT_FALSE(cutGaugeAtGhost(state, layout, directory, catalog, host, selectors));
    EXPECT_EQ(placedCount(), 2);
    EXPECT_EQ(layout.slots[0][0].gaugeId, 0x3FFFu);
    EXPECT_EQ(state.ghost.gaugeId, indicator);
}

TEST_F(PageEditingTest, PageListsAndThePageUnderAPoint) {
    fillPageList(form, 1400, 2);
    EXPECT_EQ(form.lists[1400].items, (std::vector<std::string>{"Page 1", "Page 2", "Page 3", "Page 4"}));
    EXPECT_EQ(chosenPage(form, 1400), 2);
    form.lists[1400].selection = -1;
    EXPECT_FALSE(chosenPage(form, 1400));
    EXPECT_EQ(pageAt(directory, 32, 560), 3);
    EXPECT_EQ(pageAt(directory, 511, 335), 1);
    EXPECT_FALSE(pageAt(directory, 512, 40));
    EXPECT_FALSE(pageAt(directory, 40, 160)) << "between pages";
}
