#include "skin/data/SkinObjects.h"

#include "framework/core/StringList.h"
#include "skin/data/SharedScratch.h"
#include "tests/skin/data/SkinTestPictures.h"

#include <gtest/gtest.h>

TEST(SkinObjects, FrameRulesReachTheObjects) {
    TDataSkinButton buttons("Buttons");
    buttons.FrameCount = 1;
    Prepare(buttons.CheckImage, 156, 13, clWhite);
    Prepare(buttons.RadioImage, 20, 20, clWhite);
    ApplyFixedFrameCount(&buttons, SkinPart::Buttons);
    EXPECT_EQ(buttons.FrameCount, 5);
    EXPECT_EQ(buttons.CheckFrames, 12);
    EXPECT_EQ(buttons.RadioFrames, 4);

    TDataSkinSysButton icon("BUTTON0");
    icon.Action = 3;
    Prepare(icon.Image, 40, 16, clRed);
    ApplyTitleButtonFrames(icon, 0);
    EXPECT_EQ(icon.FrameCount, 3);  // counted before the strip goes
    EXPECT_TRUE(icon.Image.Empty());
}

TEST(MakeMdiButtons, CutsTheStripIntoThreeFourFrameButtons) {
    TBitmap strip;  // 12 cells of 15 x 15, coloured by cell
    Prepare(strip, 180, 15, clBlack);
    const auto shade = [](int cell) { return RgbColour(static_cast<uint8_t>(cell * 20), 0, 0); };
    for (int cell = 0; cell < 12; ++cell) Paint(strip, {cell * 15, 0, cell * 15 + 15, 15}, shade(cell));
    const auto buttons = MakeMdiButtons(&strip);
    ASSERT_EQ(buttons.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        const auto& b = *buttons[static_cast<size_t>(k)];
        EXPECT_EQ(b.Action, 7 + k);
        EXPECT_EQ(b.Align + b.Visibility + b.Visibility1, 300);
        EXPECT_EQ(b.FrameCount, 4);
        EXPECT_EQ(b.Xcoord, 19 * (3 - k));
        ASSERT_EQ(b.Image.Width(), 60);
        for (int c = 0; c < 4; ++c) EXPECT_TRUE(AllPixels(b.Image, {c * 15, 0, c * 15 + 15, 15}, shade(4 * k + c)));
    }
    const auto plain = MakeMdiButtons(nullptr);
    EXPECT_TRUE(plain[2]->Image.Empty());
    EXPECT_EQ(plain[2]->Xcoord, 0);
    EXPECT_EQ(plain[2]->FrameCount, 4);
}

TEST(SharedScratch, HandsOutOneBitmapAtTheAskedSizeStretchingNearestNeighbour) {
    TBitmap* first = SharedScratchBitmap(30, 10);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(::GetStretchBltMode(first->Dc()), COLORONCOLOR);
    TBitmap* again = SharedScratchBitmap(300, 20);
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->Width(), 300);
    EXPECT_EQ(::GetStretchBltMode(again->Dc()), COLORONCOLOR);  // the new picture's DC too
    ASSERT_NE(SharedStringList(), nullptr);
}
