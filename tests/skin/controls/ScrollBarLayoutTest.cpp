#include "skin/controls/ScrollBarLayout.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ScrollBarLayout, ControlThumbFollowsPageAndPosition) {
    // A 200-pixel bar with 16-pixel arrows: a shaft of 168.
    EXPECT_EQ(ControlThumb(200, 16, {0, 100, 11, 0}), (ThumbSpan{16, 33}));     // right after the first arrow
    EXPECT_EQ(ControlThumb(200, 16, {0, 100, 11, 50}), (ThumbSpan{100, 117}));  // 168 * 50 / 100 + 16
    EXPECT_EQ(ControlThumb(200, 16, {0, 100, 11, 90}), (ThumbSpan{167, 184}));  // last position: against the arrow
    EXPECT_EQ(ControlThumb(200, 16, {10, 20, 0, 10}), (ThumbSpan{16, 32}));     // no page: one arrow long
    EXPECT_EQ(ControlThumb(200, 16, {10, 20, 0, 20}), (ThumbSpan{168, 184}));   // 152 * 10 / 10 + 16
    EXPECT_EQ(ControlThumb(200, 16, {-50, 50, 0, -50}), (ThumbSpan{16, 32}));   // the minimum need not be 0
    EXPECT_EQ(ControlThumb(201, 16, {0, 2, 0, 1}), (ThumbSpan{93, 109}));       // 76.5 rounds up, as MulDiv does
}

TEST(ScrollBarLayout, ControlThumbStaysInsideTheShaft) {
    EXPECT_EQ(ControlThumb(200, 16, {5, 5, 0, 5}), (ThumbSpan{16, 16}));      // no extent: no thumb, no -1
    EXPECT_EQ(ControlThumb(200, 16, {5, 4, 0, 5}), (ThumbSpan{16, 16}));      // inverted range
    EXPECT_EQ(ControlThumb(20, 16, {0, 10, 0, 5}), (ThumbSpan{16, 16}));      // no shaft between the arrows
    EXPECT_EQ(ControlThumb(200, 16, {0, 10, 50, 0}), (ThumbSpan{16, 184}));   // a page past the range fills it
    EXPECT_EQ(ControlThumb(200, 16, {0, 10, 0, 99}).end, 184);                // a position past the end
    EXPECT_EQ(ControlThumb(200, 16, {0, 10, 0, -9}).start, 16);               // and before the start
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    EXPECT_EQ(ControlThumb(200, 16, {kMin, kMax, 0, 0}), (ThumbSpan{16, 16}));  // an extent past 32 bits
    EXPECT_EQ(ControlThumb(200, 16, {0, kMax, 0, kMax}), (ThumbSpan{168, 184}));
}

TEST(ScrollBarLayout, HitPartsAlongTheBar) {
    const ThumbSpan thumb{60, 90};
    EXPECT_EQ(HitPart(0, 200, 16, thumb), ScrollPart::FirstArrow);
    EXPECT_EQ(HitPart(15, 200, 16, thumb), ScrollPart::FirstArrow);
    EXPECT_EQ(HitPart(16, 200, 16, thumb), ScrollPart::PageBefore);
    EXPECT_EQ(HitPart(60, 200, 16, thumb), ScrollPart::Thumb);
    EXPECT_EQ(HitPart(89, 200, 16, thumb), ScrollPart::Thumb);
    EXPECT_EQ(HitPart(90, 200, 16, thumb), ScrollPart::PageAfter);
    EXPECT_EQ(HitPart(183, 200, 16, thumb), ScrollPart::PageAfter);
    EXPECT_EQ(HitPart(184, 200, 16, thumb), ScrollPart::SecondArrow);
    EXPECT_EQ(HitPart(250, 200, 16, thumb), ScrollPart::SecondArrow);
    // A bar shorter than two arrows is two half-length arrows, and is hit as drawn.
    EXPECT_EQ(HitPart(9, 20, 16, {16, 16}), ScrollPart::FirstArrow);
    EXPECT_EQ(HitPart(10, 20, 16, {16, 16}), ScrollPart::SecondArrow);
    EXPECT_EQ(static_cast<int>(PartOfScrollCode(5)), 5);  // the scroll codes are the parts' numbers
    EXPECT_EQ(PartOfScrollCode(3), ScrollPart::PageAfter);
    EXPECT_EQ(PartOfScrollCode(8), ScrollPart::None);     // SB_ENDSCROLL
}

TEST(ScrollBarLayout, ShortBarsDrawHalfArrowsAndNoShaft) {
    EXPECT_EQ(ArrowLength(200, 16), 16);
    EXPECT_EQ(ArrowLength(32, 16), 16);
    EXPECT_EQ(ArrowLength(31, 16), 15);
    EXPECT_EQ(ArrowLength(-4, 16), 0);
    const ScrollBarPlan plan = PlanScrollBar(20, 16, true, 16, {16, 16}, 16);
    EXPECT_EQ(plan.firstArrow, (core::Rect{0, 0, 16, 10}));
    EXPECT_EQ(plan.secondArrow, (core::Rect{0, 10, 16, 20}));
    EXPECT_TRUE(plan.shaft.IsEmpty());
    EXPECT_TRUE(plan.thumb.IsEmpty());
}

TEST(ScrollBarLayout, PlanPlacesThumbAndCentredGripper) {
    const ScrollBarPlan h = PlanScrollBar(200, 17, false, 16, {40, 80}, 16);
    EXPECT_EQ(h.firstArrow, (core::Rect{0, 0, 16, 17}));
    EXPECT_EQ(h.secondArrow, (core::Rect{184, 0, 200, 17}));
    EXPECT_EQ(h.shaft, (core::Rect{16, 0, 184, 17}));
    EXPECT_EQ(h.thumb, (core::Rect{40, 0, 80, 17}));
    EXPECT_EQ(h.gripper, (core::Rect{52, 0, 68, 17}));  // (40 - 16) / 2 from the thumb start, across the bar
    // 16 < 15 + 2: the gripper is drawn, a pixel longer than the thumb ((15 - 16) / 2 is 0).
    EXPECT_EQ(PlanScrollBar(200, 16, true, 16, {40, 55}, 16).gripper, (core::Rect{0, 40, 16, 56}));
    EXPECT_TRUE(PlanScrollBar(200, 16, true, 16, {40, 54}, 16).gripper.IsEmpty());  // 16 is not < 14 + 2
    EXPECT_TRUE(PlanScrollBar(200, 16, true, 16, {190, 210}, 16).thumb.IsEmpty());  // past the bar: not drawn
}

TEST(ScrollBarLayout, CellsAndFramesOfEachState) {
    EXPECT_EQ(ArrowCell(true, false, false, false), 9);
    EXPECT_EQ(ArrowCell(true, true, false, false), 13);
    EXPECT_EQ(ArrowCell(false, false, false, false), 1);
    EXPECT_EQ(ArrowCell(false, true, false, false), 5);
    EXPECT_EQ(ArrowCell(true, false, true, false), 12);
    EXPECT_EQ(ArrowCell(false, true, true, true), 6);  // held down it shows pressed, though under the mouse
    EXPECT_EQ(GripperCell(true, false, false), 20);
    EXPECT_EQ(GripperCell(false, true, false), 19);
    EXPECT_EQ(GripperCell(true, true, true), 21);
    EXPECT_EQ(ThumbFrame(false, false), 1);
    EXPECT_EQ(ThumbFrame(true, false), 3);
    EXPECT_EQ(ThumbFrame(true, true), 2);
    EXPECT_EQ(ShaftFrame(true), 3);
    EXPECT_EQ(DrawingThickness(16, 17), 16);
    EXPECT_EQ(DrawingThickness(14, 17), 17);
    EXPECT_EQ(DrawingThickness(20, 17), 17);
}

TEST(ScrollBarLayout, DraggedThumbFollowsThePointerBetweenTheArrows) {
    const ThumbSpan pressed{50, 80};
    EXPECT_EQ(DraggedThumb(pressed, 20, 200, 16), (ThumbSpan{70, 100}));
    EXPECT_EQ(DraggedThumb(pressed, -100, 200, 16), (ThumbSpan{16, 46}));
    EXPECT_EQ(DraggedThumb(pressed, 500, 200, 16), (ThumbSpan{154, 184}));
    EXPECT_EQ(DraggedThumb({16, 200}, 10, 100, 16).start, 16);  // longer than the shaft: stays after the first arrow
}

}  // namespace
