#include "skin/data/FrameRules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

TEST(FrameCounts, FixedPartsStripsAndTitleButtons) {
    EXPECT_EQ(FixedFrameCount(SkinPart::Progress, 7, 0), 2);
    EXPECT_EQ(FixedFrameCount(SkinPart::Progress, 7, 3), 1);
    EXPECT_EQ(FixedFrameCount(SkinPart::Headerbar, 0, 0), 5);
    EXPECT_EQ(FixedFrameCount(SkinPart::Headerbar, 3, 0), 3);
    EXPECT_EQ(FixedFrameCount(SkinPart::WindowBorder, 2, 0), 2);

    EXPECT_EQ(StripFrameCount(0, 156, 13), 12);  // 13-pixel cells under 16 pixels high
    EXPECT_EQ(StripFrameCount(0, 128, 16), 8);
    EXPECT_EQ(StripFrameCount(0, 20, 20), 4);    // one cell, raised to the minimum
    EXPECT_EQ(StripFrameCount(12, 64, 16), 12);  // the description's count wins
    EXPECT_EQ(StripFrameCount(2, 64, 16), 4);

    EXPECT_EQ(TitleButtonFrameCount(0, 0, 96, 16), 6);
    EXPECT_EQ(TitleButtonFrameCount(0, 0, 40, 16), 3);
    EXPECT_EQ(TitleButtonFrameCount(0, 0, 38, 10), 3);  // exactly 3.8
    EXPECT_EQ(TitleButtonFrameCount(0, 0, 39, 10), 6);
    EXPECT_EQ(TitleButtonFrameCount(0, 3, 0, 0), 6);    // no strip
    EXPECT_EQ(TitleButtonFrameCount(0, -1, 40, 16), 6);
    EXPECT_EQ(TitleButtonFrameCount(4, -1, 40, 16), 4);
    EXPECT_TRUE(TitleButtonDropsImage(0, 11));
    EXPECT_FALSE(TitleButtonDropsImage(2, 3));
}

TEST(TitleButtonSections, KeepsButtonSectionsInFileOrderUpperCased) {
    const std::vector<std::string> sections{"Personality", "Buttons", "Button1", "Button.CheckBox", "Button12",
                                            "Button.Radio", "Button13", "button14", "Button0", "Button",
                                            "ButtonHidden", "ButtonShown", "Colours", "MyButton"};
    const std::map<std::pair<std::string, std::string>, int> values{
        {{"BUTTONHIDDEN", "Action"}, -1}, {{"BUTTONSHOWN", "Action"}, -1}, {{"BUTTONSHOWN", "Visibility"}, 0}};
    const auto read = [&](std::string_view section, std::string_view key, int32_t defaultValue) {
        const auto found = values.find({std::string(section), std::string(key)});
        return found == values.end() ? defaultValue : found->second;
    };
    EXPECT_EQ(TitleButtonSections(sections, read),
              (std::vector<std::string>{"BUTTON1", "BUTTON12", "BUTTON13", "BUTTON14", "BUTTON0", "BUTTONSHOWN"}));
}

TEST(MdiButtonLayout, CutsTwelveCellsIntoThreeButtons) {
    const auto cuts = MdiButtonLayout(180);  // cells of 15
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(cuts[k].action, 7 + k);
        EXPECT_EQ(cuts[k].sourceX, 60 * k);
        EXPECT_EQ(cuts[k].width, 60);
        EXPECT_EQ(cuts[k].xcoord, 19 * (3 - k));  // 57, 38, 19
    }
    EXPECT_EQ(MdiButtonLayout(11)[2].width, 0);  // narrower than 12 cells: nothing to cut
}
