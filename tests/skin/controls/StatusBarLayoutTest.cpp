#include "skin/controls/StatusBarLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusBarLayout, BevelsTakeTheirFrames) {
    EXPECT_EQ(StatusFrameOf(TStatusPanelBevel::pbLowered), 1);
    EXPECT_EQ(StatusFrameOf(TStatusPanelBevel::pbRaised), 2);
    EXPECT_EQ(StatusFrameOf(TStatusPanelBevel::pbNone), 3);
}

TEST(StatusBarLayout, NeighboursOverlapAndTheLastPanelReachesTheEdge) {
    // Two pixels more to the right, so that the next frame's left edge covers this one's.
    EXPECT_EQ(StatusPanelFrame({0, 2, 100, 22}, false, 300), (core::Rect{0, 2, 102, 22}));
    // The last panel ends at the bar's edge, whether the bar reported it shorter...
    EXPECT_EQ(StatusPanelFrame({100, 2, 180, 22}, true, 300), (core::Rect{100, 2, 300, 22}));
    // ...or running past the bar (a panel wider than what is left of it).
    EXPECT_EQ(StatusPanelFrame({100, 2, 450, 22}, true, 300), (core::Rect{100, 2, 300, 22}));
    // A last panel that starts beyond the bar stays empty rather than turning round.
    EXPECT_TRUE(StatusPanelFrame({320, 2, 400, 22}, true, 300).IsEmpty());
}

TEST(StatusBarLayout, RightToLeftPanelsSwapLeftAndRightOnly) {
    EXPECT_EQ(StatusTextAlignment(TAlignment::taLeftJustify, false), TAlignment::taLeftJustify);
    EXPECT_EQ(StatusTextAlignment(TAlignment::taLeftJustify, true), TAlignment::taRightJustify);
    EXPECT_EQ(StatusTextAlignment(TAlignment::taRightJustify, true), TAlignment::taLeftJustify);
    EXPECT_EQ(StatusTextAlignment(TAlignment::taCenter, true), TAlignment::taCenter);
}

TEST(StatusBarLayout, TextSitsInsideTwoPixelsAndOneAboveTheMiddle) {
    const core::Rect panel{100, 0, 200, 20};
    // Left and right text keeps the panel's width less two pixels each side.
    EXPECT_EQ(StatusTextBox(panel, {30, 10}, TAlignment::taLeftJustify), (core::Rect{102, 4, 198, 14}));
    EXPECT_EQ(StatusTextBox(panel, {30, 10}, TAlignment::taRightJustify), (core::Rect{102, 4, 198, 14}));
    // Centred text is placed at the middle of the inner width: (96 - 30) / 2 = 33.
    EXPECT_EQ(StatusTextBox(panel, {30, 10}, TAlignment::taCenter), (core::Rect{135, 4, 165, 14}));
    // Odd leftovers truncate; text taller than the panel starts above it.
    EXPECT_EQ(StatusTextBox(panel, {31, 11}, TAlignment::taCenter), (core::Rect{134, 3, 165, 14}));
    EXPECT_EQ(StatusTextBox(panel, {10, 30}, TAlignment::taLeftJustify).top, -6);
}

TEST(StatusBarLayout, TheGripIsTheFifthCellOneInsideTheCorner) {
    EXPECT_EQ(SizeGripCell(50, 12, 5), (core::Rect{40, 0, 50, 12}));
    EXPECT_EQ(SizeGripCell(52, 12, 5), (core::Rect{40, 0, 50, 12}));  // the spare columns are no cell's
    EXPECT_FALSE(SizeGripCell(40, 12, 4));  // a strip of four cells has no grip
    EXPECT_FALSE(SizeGripCell(4, 12, 5));   // cells of no width
    EXPECT_FALSE(SizeGripCell(0, 0, 5));
    EXPECT_EQ(SizeGripPlace({0, 0, 200, 20}, {10, 12}), (core::Rect{189, 7, 199, 19}));
}

}  // namespace
