#include "skin/controls/GroupBoxLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(GroupBoxLayout, TheLineRunsThroughTheCaptionAndTheCaptionSitsEightIn) {
    const GroupBoxPlan plan = PlanGroupBox({200, 100}, 13, {40, 13}, false);
    EXPECT_EQ(plan.ownFrame, (core::Rect{0, 5, 200, 100}));  // 13 / 2 - 1
    EXPECT_EQ(plan.edge, (core::Rect{1, 5, 199, 99}));
    EXPECT_EQ(plan.caption, (core::Rect{8, 0, 48, 13}));
    // At the right end, it ends eight pixels before the edge.
    EXPECT_EQ(PlanGroupBox({200, 100}, 13, {40, 13}, true).caption, (core::Rect{152, 0, 192, 13}));
}

TEST(GroupBoxLayout, TinyFontsAndBoxesStayConsistent) {
    const GroupBoxPlan plan = PlanGroupBox({10, 6}, 1, {0, 0}, false);
    EXPECT_EQ(plan.edge, (core::Rect{1, -1, 9, 5}));
    EXPECT_TRUE(plan.caption.IsEmpty());
    // A caption wider than the box starts left of it at the right end.
    EXPECT_EQ(PlanGroupBox({30, 30}, 12, {40, 12}, true).caption.left, -18);
}

}  // namespace
