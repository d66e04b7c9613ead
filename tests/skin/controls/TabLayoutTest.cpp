#include "skin/controls/TabLayout.h"

#include "framework/controls/TabSetLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

namespace {

using core::Rect;

TEST(TabLayout, SideComesFromTheBottomAndVerticalBits) {
    EXPECT_EQ(SideOf(0), TabSide::Top);
    EXPECT_EQ(SideOf(tabstyle::kBottom), TabSide::Bottom);
    EXPECT_EQ(SideOf(tabstyle::kVertical), TabSide::Left);
    EXPECT_EQ(SideOf(tabstyle::kBottom | tabstyle::kVertical), TabSide::Right);
    // Other style bits (multi-line, buttons, child window) change nothing.
    EXPECT_EQ(SideOf(0x40000000u | 0x0200 | 0x0100 | tabstyle::kVertical), TabSide::Left);
}

TEST(TabLayout, PaneGrowsByFourAndMovesOneAwayFromTheTabs) {
    const Rect display{10, 30, 190, 140};
    EXPECT_EQ(TabPaneRect(display, TabSide::Top), (Rect{6, 27, 194, 144}));
    EXPECT_EQ(TabPaneRect(display, TabSide::Bottom), (Rect{6, 26, 194, 143}));
    EXPECT_EQ(TabPaneRect(display, TabSide::Left), (Rect{7, 26, 194, 144}));
    EXPECT_EQ(TabPaneRect(display, TabSide::Right), (Rect{6, 26, 193, 144}));
}

TEST(TabLayout, RowIsTheBandOnTheTabsSideAndTheStripLiesAlongIt) {
    const core::Size window{200, 150};
    const Rect pane{20, 25, 170, 120};
    const Rect top = TabRowRect(window, pane, TabSide::Top);
    EXPECT_EQ(top, (Rect{0, 0, 200, 25}));
    EXPECT_EQ(TabStripSize(top, TabSide::Top), (core::Size{200, 25}));
    const Rect bottom = TabRowRect(window, pane, TabSide::Bottom);
    EXPECT_EQ(bottom, (Rect{0, 120, 200, 150}));
    EXPECT_EQ(TabStripSize(bottom, TabSide::Bottom), (core::Size{200, 30}));
    // At a side the strip's length is the window's height, its thickness the band's width.
    const Rect left = TabRowRect(window, pane, TabSide::Left);
    EXPECT_EQ(left, (Rect{0, 0, 20, 150}));
    EXPECT_EQ(TabStripSize(left, TabSide::Left), (core::Size{150, 20}));
    const Rect right = TabRowRect(window, pane, TabSide::Right);
    EXPECT_EQ(right, (Rect{170, 0, 200, 150}));
    EXPECT_EQ(TabStripSize(right, TabSide::Right), (core::Size{150, 30}));

    // A pane that reaches or passes the window's edge leaves no row and no strip to make.
    const Rect whole{-4, -3, 204, 154};
    for (TabSide side : {TabSide::Top, TabSide::Bottom, TabSide::Left, TabSide::Right}) {
        const Rect row = TabRowRect(window, whole, side);
        EXPECT_TRUE(row.IsEmpty());
        EXPECT_EQ(TabStripSize(row, side), (core::Size{}));
    }
    EXPECT_TRUE(TabRowRect({0, 0}, pane, TabSide::Top).IsEmpty());
}

TEST(TabLayout, ItemsMapIntoTheStripSoThatTurningItPutsThemBack) {
    const core::Size window{200, 150};
    const Rect pane{20, 25, 170, 120};
    const Rect item{2, 30, 18, 90};  // a tab at the left: 16 wide across, 60 long
    EXPECT_EQ(TabItemInStrip({4, 2, 60, 22}, TabSide::Top, window, pane), (Rect{4, 3, 60, 23}));
    EXPECT_EQ(TabItemInStrip({4, 122, 60, 142}, TabSide::Bottom, window, pane), (Rect{4, 1, 60, 21}));

    // Left: the strip is turned left afterwards, which sends strip point (x, y) of a strip
    // of length L to (y, L - 1 - x): the tab comes back where the control put it.
    const Rect left = TabItemInStrip(item, TabSide::Left, window, pane);
    EXPECT_EQ(left, (Rect{60, 2, 120, 18}));
    const int length = window.height;
    EXPECT_EQ((Rect{left.top, length - left.right, left.bottom, length - left.left}), item);

    // Right: turned right afterwards, (x, y) of a strip of thickness T goes to (T - 1 - y, x);
    // the tab comes back at its place in the row, one pixel higher.
    const Rect rightItem{172, 30, 196, 90};
    const Rect right = TabItemInStrip(rightItem, TabSide::Right, window, pane);
    EXPECT_EQ(right, (Rect{29, 4, 89, 28}));
    const int thickness = window.width - pane.right;
    EXPECT_EQ((Rect{thickness - right.bottom, right.left, thickness - right.top, right.right}),
              rightItem.Offset(-pane.right, -1));
}

TEST(TabLayout, CloseMarksSitAtTheTopRightAndOnlyLiveTabsAnswerAClick) {
    const Rect mark = CloseMarkRect({10, 3, 70, 23});
    EXPECT_EQ(mark, (Rect{62, 5, 68, 11}));

    const std::array<Rect, 3> marks{CloseMarkRect({0, 0, 50, 20}), Rect{}, CloseMarkRect({50, 0, 100, 20})};
    EXPECT_EQ(CloseMarkAt(marks, {42, 2}, 3), 0);
    EXPECT_EQ(CloseMarkAt(marks, {47, 7}, 3), 0);   // the last pixel inside
    EXPECT_EQ(CloseMarkAt(marks, {48, 7}, 3), std::nullopt);
    EXPECT_EQ(CloseMarkAt(marks, {20, 10}, 3), std::nullopt);  // the tab itself, not its mark
    EXPECT_EQ(CloseMarkAt(marks, {95, 5}, 3), 2);
    // Tabs closed since the marks were painted: their marks close nothing.
    EXPECT_EQ(CloseMarkAt(marks, {95, 5}, 2), std::nullopt);
    EXPECT_EQ(CloseMarkAt(marks, {42, 2}, 0), std::nullopt);
    EXPECT_EQ(CloseMarkAt(marks, {42, 2}, -1), std::nullopt);
    // More tabs than marks (tabs added since): only the marks there are count.
    EXPECT_EQ(CloseMarkAt(marks, {95, 5}, 10), 2);
    EXPECT_EQ(CloseMarkAt({}, {0, 0}, 5), std::nullopt);
    // An empty mark (a tab that had no rectangle) never answers.
    EXPECT_EQ(CloseMarkAt(marks, {0, 0}, 3), std::nullopt);
}

TEST(TabLayout, ButtonRowRunsFromTheTopToJustBelowTheGrownDisplayTop) {
    EXPECT_EQ(TabButtonRowRect({200, 150}, {4, 28, 196, 146}), (Rect{0, 0, 200, 25}));
    EXPECT_TRUE(TabButtonRowRect({200, 150}, {4, 2, 196, 146}).IsEmpty());
    EXPECT_EQ(TabButtonRowRect({200, 150}, {4, 400, 196, 446}), (Rect{0, 0, 200, 150}));
}

std::vector<int> Indexes(const std::vector<TabSetTab>& tabs) {
    std::vector<int> out;
    for (const TabSetTab& tab : tabs) out.push_back(tab.index);
    return out;
}

TEST(TabSetLayout, SkippingATabThatDoesNotFitStillPlacesALaterNarrowerOne) {
    const std::vector<int> widths{30, 80, 20, 10};
    // From 5: 30 fits (5 + 30 + 9 <= 100), 80 does not (44 + 80 + 9), 20 does, 10 does.
    const auto skipped = PlaceTabSetTabs(widths, 0, 5, 100, 9, 9, TabSetFit::SkipMisses);
    EXPECT_EQ(Indexes(skipped), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(skipped[0], (TabSetTab{0, 5, 44}));
    EXPECT_EQ(skipped[1], (TabSetTab{2, 44, 73}));  // takes the place the wide one did not
    EXPECT_EQ(skipped[2], (TabSetTab{3, 73, 92}));
    // The tab set's own row ends at the first tab that does not fit.
    EXPECT_EQ(Indexes(PlaceTabSetTabs(widths, 0, 5, 100, 9, 9, TabSetFit::StopAtFirstMiss)), (std::vector<int>{0}));
    // A visible scroller asks for more room after each tab.
    EXPECT_EQ(Indexes(PlaceTabSetTabs(widths, 0, 5, 100, 9, 21, TabSetFit::SkipMisses)), (std::vector<int>{0, 2}));
    // Exactly full fits.
    EXPECT_EQ(Indexes(PlaceTabSetTabs(std::vector<int>{30}, 0, 5, 44, 9, 9, TabSetFit::SkipMisses)), (std::vector<int>{0}));
    EXPECT_TRUE(PlaceTabSetTabs(std::vector<int>{30}, 0, 5, 43, 9, 9, TabSetFit::SkipMisses).empty());
}

TEST(TabSetLayout, FirstIndexOutOfRangeNoRoomOrOddWidthsPlaceSafely) {
    const std::vector<int> widths{30, 20};
    EXPECT_EQ(Indexes(PlaceTabSetTabs(widths, 1, 5, 100, 9, 9, TabSetFit::SkipMisses)), (std::vector<int>{1}));
    EXPECT_TRUE(PlaceTabSetTabs(widths, 2, 5, 100, 9, 9, TabSetFit::SkipMisses).empty());
    EXPECT_TRUE(PlaceTabSetTabs(widths, -1, 5, 100, 9, 9, TabSetFit::SkipMisses).empty());
    EXPECT_TRUE(PlaceTabSetTabs(widths, 0, 5, 0, 9, 9, TabSetFit::SkipMisses).empty());
    EXPECT_TRUE(PlaceTabSetTabs(widths, 0, 5, -50, 9, 9, TabSetFit::SkipMisses).empty());
    EXPECT_TRUE(PlaceTabSetTabs(std::vector<int>{}, 0, 5, 100, 9, 9, TabSetFit::SkipMisses).empty());
    // A negative measure counts as none; a huge one neither fits nor overflows the walk.
    const auto placed = PlaceTabSetTabs(std::vector<int>{-40, INT_MAX, 10}, 0, 0, 100, 9, 9, TabSetFit::SkipMisses);
    EXPECT_EQ(Indexes(placed), (std::vector<int>{0, 2}));
    EXPECT_EQ(placed[0], (TabSetTab{0, 0, 9}));
}

}  // namespace
