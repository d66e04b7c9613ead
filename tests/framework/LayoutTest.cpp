#include "framework/controls/AlignLayout.h"
#include "framework/controls/ButtonLayout.h"
#include "framework/controls/PositionRange.h"
#include "framework/controls/RadioGroupLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using core::Rect;

namespace {
AlignItem Item(TAlign align, int left, int top, int width, int height, bool visible = true) {
    return {align, Rect::FromBounds(left, top, width, height), visible};
}
}  // namespace

TEST(AlignItems, MainWindowColumnSplitterClientAndStatusBar) {
    // The main window at design size: 688 x 707 client, splitter stored before the panel.
    std::vector<AlignItem> items{
        Item(TAlign::alLeft, 225, 0, 3, 683),     // Splitter1
        Item(TAlign::alLeft, 0, 0, 225, 683),     // Panel1
        Item(TAlign::alClient, 228, 0, 460, 683), // Panel2
        Item(TAlign::alBottom, 0, 683, 688, 24),  // StatusBar1
    };
    const Rect room = AlignItems(items, {0, 0, 688, 707});
    EXPECT_EQ(items[1].bounds, Rect::FromBounds(0, 0, 225, 683));
    EXPECT_EQ(items[0].bounds, Rect::FromBounds(225, 0, 3, 683));
    EXPECT_EQ(items[2].bounds, Rect::FromBounds(228, 0, 460, 683));
    EXPECT_EQ(items[3].bounds, Rect::FromBounds(0, 683, 688, 24));
    EXPECT_EQ(room, Rect::FromBounds(228, 0, 460, 683));

    // Maximised to 1280 x 971: the column keeps its width, the client takes the rest.
    AlignItems(items, {0, 0, 1280, 971});
    EXPECT_EQ(items[1].bounds, Rect::FromBounds(0, 0, 225, 947));
    EXPECT_EQ(items[0].bounds, Rect::FromBounds(225, 0, 3, 947));
    EXPECT_EQ(items[2].bounds, Rect::FromBounds(228, 0, 1052, 947));
    EXPECT_EQ(items[3].bounds, Rect::FromBounds(0, 947, 1280, 24));
}

TEST(AlignItems, StacksEachSideInPositionOrderAndSkipsHiddenOnes) {
    std::vector<AlignItem> items{
        Item(TAlign::alTop, 0, 50, 10, 20),
        Item(TAlign::alTop, 0, 0, 10, 30),
        Item(TAlign::alBottom, 0, 90, 10, 5),
        Item(TAlign::alBottom, 0, 70, 10, 7),
        Item(TAlign::alRight, 80, 0, 9, 9),
        Item(TAlign::alRight, 60, 0, 11, 9),
        Item(TAlign::alLeft, 3, 3, 40, 40, false),  // hidden: untouched, no room taken
        Item(TAlign::alNone, 7, 7, 7, 7),
    };
    const Rect room = AlignItems(items, {0, 0, 100, 100});
    EXPECT_EQ(items[1].bounds, Rect::FromBounds(0, 0, 100, 30));
    EXPECT_EQ(items[0].bounds, Rect::FromBounds(0, 30, 100, 20));
    EXPECT_EQ(items[2].bounds, Rect::FromBounds(0, 95, 100, 5));   // lowest first
    EXPECT_EQ(items[3].bounds, Rect::FromBounds(0, 88, 100, 7));
    EXPECT_EQ(items[4].bounds, Rect::FromBounds(91, 50, 9, 38));   // rightmost first
    EXPECT_EQ(items[5].bounds, Rect::FromBounds(80, 50, 11, 38));
    EXPECT_EQ(items[6].bounds, Rect::FromBounds(3, 3, 40, 40));
    EXPECT_EQ(items[7].bounds, Rect::FromBounds(7, 7, 7, 7));
    EXPECT_EQ(room, Rect(0, 50, 80, 88));
}

TEST(AlignItems, TooLittleRoomGivesEmptyNotNegativeSizes) {
    std::vector<AlignItem> items{
        Item(TAlign::alTop, 0, 0, 10, 80),
        Item(TAlign::alTop, 0, 80, 10, 80),
        Item(TAlign::alClient, 0, 0, 10, 10),
        Item(TAlign::alLeft, 0, 0, -5, 10),
    };
    AlignItems(items, {0, 0, 50, 100});
    EXPECT_EQ(items[1].bounds, Rect::FromBounds(0, 80, 50, 80));
    EXPECT_EQ(items[2].bounds.Width(), 50);
    EXPECT_EQ(items[2].bounds.Height(), 0);
    EXPECT_EQ(items[3].bounds.Width(), 0);
    EXPECT_EQ(items[3].bounds.Height(), 0);
}

TEST(Splitter, NewSizeIsClampedAndSnaps) {
    const int max = SplitterMaxSize(688, 0, 3, 30);
    EXPECT_EQ(max, 655);
    EXPECT_EQ(SplitterNewSize(225, 40, 30, max, true), 265);
    EXPECT_EQ(SplitterNewSize(225, -200, 30, max, true), 30);                // 25: above half the minimum
    EXPECT_EQ(SplitterNewSize(225, -212, 30, max, true), 0);                 // 13: folds away
    EXPECT_EQ(SplitterNewSize(225, -212, 30, max, false), 30);
    EXPECT_EQ(SplitterNewSize(225, 5000, 30, max, true), 655);
    EXPECT_EQ(SplitterNewSize(225, INT32_MAX, 30, max, true), 655);          // no overflow
    EXPECT_EQ(SplitterNewSize(10, 0, 30, 20, false), 20);                    // no room for the minimum
    EXPECT_EQ(SplitterMaxSize(50, 40, 3, 30), 0);
}

TEST(ButtonLayout, MarginAndSpacingRules) {
    // Margin -1 and Spacing -1: spread in thirds.
    ButtonLayoutInput in{{100, 20}, {16, 16}, {30, 13}, TButtonLayout::blGlyphLeft, -1, -1};
    auto out = LayoutButton(in);
    EXPECT_EQ(out.margin, 18);
    EXPECT_EQ(out.spacing, 18);
    EXPECT_EQ(out.glyph, (core::Point{18, 2}));
    EXPECT_EQ(out.text, Rect::FromBounds(52, 4, 30, 13));

    // Margin -1, Spacing 4: centred, speed buttons one pixel further right.
    in.spacing = 4;
    EXPECT_EQ(LayoutButton(in).margin, 26);
    in.kind = ButtonKind::Bitmap;
    EXPECT_EQ(LayoutButton(in).margin, 25);

    // A fixed margin with Spacing -1 puts the caption midway in what is left.
    in = {{100, 20}, {16, 16}, {30, 13}, TButtonLayout::blGlyphLeft, 4, -1};
    EXPECT_EQ(LayoutButton(in).spacing, 25);

    // A bitmap button aligned to the centre ignores its margin.
    in = {{100, 20}, {16, 16}, {30, 13}, TButtonLayout::blGlyphLeft, 4, 4, ButtonKind::Bitmap, true};
    EXPECT_EQ(LayoutButton(in).margin, 25);
}

TEST(ButtonLayout, LessonButtonGlyphWithoutCaption) {
    // 193 x 33 with a 137 x 33 glyph and no text: spacing drops to 0.
    ButtonLayoutInput in{{193, 33}, {137, 33}, {0, 0}, TButtonLayout::blGlyphLeft, -1, 4};
    auto out = LayoutButton(in);
    EXPECT_EQ(out.spacing, 0);
    EXPECT_EQ(out.glyph, (core::Point{29, 0}));
    in.layout = TButtonLayout::blGlyphRight;
    EXPECT_EQ(LayoutButton(in).glyph, (core::Point{27, 0}));
}

TEST(ButtonLayout, VerticalLayoutsAndTheTextBox) {
    ButtonLayoutInput in{{40, 60}, {16, 16}, {20, 13}, TButtonLayout::blGlyphTop, 5, 3};
    auto out = LayoutButton(in);
    EXPECT_EQ(out.glyph, (core::Point{12, 5}));
    EXPECT_EQ(out.text, Rect::FromBounds(10, 24, 20, 13));
    in.layout = TButtonLayout::blGlyphBottom;
    out = LayoutButton(in);
    EXPECT_EQ(out.glyph, (core::Point{12, 39}));
    EXPECT_EQ(out.text, Rect::FromBounds(10, 23, 20, 13));

    EXPECT_EQ(ButtonTextBox({193, 33}, {137, 33}, TButtonLayout::blGlyphRight), Rect(2, 2, 52, 31));
    EXPECT_EQ(ButtonTextBox({40, 60}, {16, 16}, TButtonLayout::blGlyphTop), Rect(2, 2, 38, 40));
}

TEST(RadioGroupLayout, ColumnsFillTopToBottomBelowTheCaption) {
    // 185 x 105, a 13-pixel font: 87 pixels below the caption, three rows of 29.
    auto cells = ArrangeRadioGroup({{185, 105}, 13, 3, 1, false});
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], Rect::FromBounds(8, 14, 175, 29));
    EXPECT_EQ(cells[2], Rect::FromBounds(8, 72, 175, 29));

    // Five in two columns: three in the first, two in the second.
    cells = ArrangeRadioGroup({{185, 105}, 13, 5, 2, false});
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[2], Rect::FromBounds(8, 72, 87, 29));
    EXPECT_EQ(cells[3], Rect::FromBounds(95, 14, 87, 29));
    EXPECT_EQ(cells[4], Rect::FromBounds(95, 43, 87, 29));
    // Right to left: the first column on the right, mirrored.
    cells = ArrangeRadioGroup({{185, 105}, 13, 5, 2, true});
    EXPECT_EQ(cells[0], Rect::FromBounds(90, 14, 87, 29));
    EXPECT_EQ(cells[3], Rect::FromBounds(3, 14, 87, 29));

    // What does not divide evenly is shared above and below.
    EXPECT_EQ(ArrangeRadioGroup({{185, 101}, 13, 3, 1, false})[0], Rect::FromBounds(8, 15, 175, 27));
}

TEST(RadioGroupLayout, NoButtonsNoColumnsOrNoRoom) {
    EXPECT_TRUE(ArrangeRadioGroup({{185, 105}, 13, 0, 1, false}).empty());
    // No columns count as one.
    EXPECT_EQ(ArrangeRadioGroup({{185, 105}, 13, 2, 0, false})[1], Rect::FromBounds(8, 57, 175, 43));
    // A group smaller than its caption and frame: empty cells, never negative ones.
    for (const Rect& r : ArrangeRadioGroup({{6, 10}, 13, 4, 3, false})) {
        EXPECT_GE(r.Width(), 0);
        EXPECT_GE(r.Height(), 0);
    }
}

TEST(PositionRange, MinAndMaxKeepEachOtherAndThePositionInOrder) {
    // A valid pair stored in either order reads back as stored.
    PositionRange range;
    range.SetMin(200, Settling::Now);
    range.SetMax(300, Settling::Now);
    EXPECT_EQ(range.min, 200);
    EXPECT_EQ(range.max, 300);
    EXPECT_EQ(range.position, 200);  // moved up with Min
    range = {};
    range.SetMax(-10, Settling::Now);
    range.SetMin(-50, Settling::Now);
    EXPECT_EQ(range.min, -50);
    EXPECT_EQ(range.max, -10);
    EXPECT_EQ(range.position, -10);

    // An invalid pair ends valid; the position stays within.
    range.SetMin(7, Settling::Now);
    EXPECT_EQ(range.max, 7);
    range.SetPosition(1000, Settling::Now);
    EXPECT_EQ(range.position, 7);
    range.SetMax(3, Settling::Now);
    EXPECT_EQ(range.min, 3);
    EXPECT_EQ(range.position, 3);

    // While a layout is read, values stay as they come until it is complete.
    range = {};
    range.SetPosition(150, Settling::Later);
    range.SetMax(50, Settling::Later);
    range.SetMin(80, Settling::Later);
    EXPECT_EQ(range.position, 150);
    range.Settle();
    EXPECT_EQ(range.min, 80);
    EXPECT_EQ(range.max, 80);
    EXPECT_EQ(range.position, 80);
    range = {};
    range.SetPosition(150, Settling::Later);
    range.SetMax(400, Settling::Later);
    range.Settle();
    EXPECT_EQ(range.position, 150);  // the line order does not matter
}

TEST(PositionRange, SteppingRoundMovingAndTickSpacingStayInRange) {
    PositionRange range{0, 100, 95};
    EXPECT_EQ(range.SteppedRound(10), 5);
    range.position = 5;
    EXPECT_EQ(range.SteppedRound(-10), 95);
    EXPECT_EQ(range.SteppedRound(10), 15);
    EXPECT_EQ((PositionRange{4, 4, 4}).SteppedRound(3), 4);
    EXPECT_EQ((PositionRange{0, 10, 9}).Moved(5), 10);
    EXPECT_EQ((PositionRange{0, 10, 1}).Moved(-5), 0);

    // Automatic tick marks: as asked where few enough, spaced out where not, and never
    // a step the control cannot keep.
    EXPECT_EQ((PositionRange{0, 10, 0}).AutoTickFrequency(1), 1);
    EXPECT_EQ((PositionRange{0, 10, 0}).AutoTickFrequency(0), 1);
    EXPECT_EQ((PositionRange{0, 10, 0}).AutoTickFrequency(-4), 1);
    EXPECT_EQ((PositionRange{0, 10, 0}).AutoTickFrequency(70000), PositionRange::kMaxTickFrequency);
    EXPECT_EQ((PositionRange{0, 1000000, 0}).AutoTickFrequency(1), 1000);
    EXPECT_EQ((PositionRange{0, 1000000, 0}).AutoTickFrequency(5000), 5000);
}

TEST(PositionRange, TheWidestRangeFitsIn32Bits) {
    // The value set last stays; the other end comes within reach.
    PositionRange range;
    range.SetMin(INT32_MIN, Settling::Now);
    EXPECT_EQ(range.max, -1);
    EXPECT_EQ(range.position, -1);
    range.SetMax(INT32_MAX, Settling::Now);
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.position, 0);
    range = {INT32_MIN, INT32_MAX, INT32_MAX};  // as a layout may store it
    range.Settle();
    EXPECT_EQ(range.min, INT32_MIN);
    EXPECT_EQ(range.max, -1);
    EXPECT_EQ(range.position, -1);

    // Nothing overflows at the ends.
    const PositionRange wide{0, INT32_MAX, INT32_MAX};
    const int stepped = wide.SteppedRound(INT32_MAX);
    EXPECT_GE(stepped, 0);
    EXPECT_LE(stepped, INT32_MAX);
    EXPECT_EQ(wide.Moved(INT32_MAX), INT32_MAX);
    EXPECT_EQ(wide.Moved(INT32_MIN), 0);
    EXPECT_EQ(wide.AutoTickFrequency(1), PositionRange::kMaxTickFrequency);
}
