#include "skin/controls/HeaderLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(HeaderLayout, TheHotSectionChangesOnlyWhenTheMouseReachesAnother) {
    const std::vector<core::Rect> hot{HeaderHotRect({0, 0, 80, 20}), HeaderHotRect({80, 0, 150, 20})};
    EXPECT_EQ(hot[0], (core::Rect{3, 0, 77, 20}));
    EXPECT_EQ(NextHotSection(hot, {10, 5}, -1), 0);
    EXPECT_EQ(NextHotSection(hot, {40, 5}, 0), std::nullopt);  // still the same section: no repaint
    EXPECT_EQ(NextHotSection(hot, {100, 5}, 0), 1);
    // On the divider between two sections and right of the last, the hot section stays.
    EXPECT_EQ(NextHotSection(hot, {79, 5}, 1), std::nullopt);
    EXPECT_EQ(NextHotSection(hot, {160, 5}, 1), std::nullopt);
    EXPECT_EQ(NextHotSection({}, {10, 5}, -1), std::nullopt);
}

TEST(HeaderLayout, FormatBitsGiveAlignmentAndTheImage) {
    EXPECT_EQ(HeaderAlignment(0x0000), TAlignment::taLeftJustify);
    EXPECT_EQ(HeaderAlignment(0x4001), TAlignment::taRightJustify);  // HDF_STRING | HDF_RIGHT
    EXPECT_EQ(HeaderAlignment(0x0002), TAlignment::taCenter);
    EXPECT_EQ(HeaderImageIndex(0x4000, 3), -1);  // an index without HDF_IMAGE shows nothing
    EXPECT_EQ(HeaderImageIndex(headerformat::kImage, 3), 3);
    EXPECT_EQ(HeaderImageIndex(headerformat::kOwnerDraw, 2), 2);
}

TEST(HeaderLayout, ImageAndTextArePlacedByAlignment) {
    const core::Size section{100, 20};
    HeaderItemPlan left = PlanHeaderItem(section, {16, 16}, {40, 12}, TAlignment::taLeftJustify);
    EXPECT_EQ(left.icon, (core::Rect{3, 2, 19, 18}));
    EXPECT_EQ(left.text, (core::Rect{19, 4, 59, 16}));  // right after the image
    EXPECT_EQ(PlanHeaderItem(section, {16, 16}, {40, 12}, TAlignment::taCenter).icon.left, 22);  // (100 - 56) / 2
    EXPECT_EQ(PlanHeaderItem(section, {16, 16}, {40, 12}, TAlignment::taRightJustify).icon.left, 42);
    EXPECT_EQ(PlanHeaderItem(section, {}, {40, 12}, TAlignment::taRightJustify).text.left, 58);
    // The image is centred by its width, as the square icons of image lists are.
    EXPECT_EQ(PlanHeaderItem(section, {16, 8}, {0, 0}, TAlignment::taLeftJustify).icon, (core::Rect{3, 2, 19, 10}));
}

TEST(HeaderLayout, TextWiderThanTheSectionStartsAtOneAndIsClipped) {
    for (const TAlignment alignment : {TAlignment::taCenter, TAlignment::taRightJustify}) {
        const HeaderItemPlan plan = PlanHeaderItem({50, 20}, {}, {80, 12}, alignment);
        EXPECT_EQ(plan.text, (core::Rect{1, 4, 50, 16}));
    }
    // Left-aligned text keeps its three pixels; text taller than the section is cut too.
    EXPECT_EQ(PlanHeaderItem({50, 10}, {}, {80, 30}, TAlignment::taLeftJustify).text, (core::Rect{3, 0, 50, 10}));
}

}  // namespace
