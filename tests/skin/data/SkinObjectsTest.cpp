#include "skin/data/SkinObjects.h"

#include "framework/StringList.h"
#include "skin/data/SharedScratch.h"
#include "tests/skin/data/SkinTestPictures.h"

#include <gtest/gtest.h>

TEST(SkinObjects, StartEmptyAndBelongToOneFamily) {
    const TDataSkinButton buttons("Buttons");
    EXPECT_EQ(buttons.Name, "Buttons");
    EXPECT_TRUE(buttons.Image.Empty());
    EXPECT_TRUE(buttons.CheckImage.Empty());
    EXPECT_EQ(buttons.FrameCount, 0);
    EXPECT_TRUE(buttons.Is<TDataSkinObject>());
    EXPECT_FALSE(buttons.Is<TDataSkinBorder>());
    EXPECT_EQ(buttons.ClassName(), u"TDataSkinButton");

    TDataSkinTitle title("Personality");
    title.TextShift() = 7;
    title.TextRightClip() = 3;
    EXPECT_EQ(title.Margins(), (SliceMargins{7, 0, 3, 0}));
}

TEST(ApplyFixedFrameCount, FixesTheButtonsAndTheirCheckAndRadioStrips) {
    TDataSkinButton buttons("Buttons");
    buttons.FrameCount = 1;
    Prepare(buttons.CheckImage, 156, 13, clWhite);
    Prepare(buttons.RadioImage, 20, 20, clWhite);
    ApplyFixedFrameCount(&buttons, SkinPart::Buttons);
    EXPECT_EQ(buttons.FrameCount, 5);
    EXPECT_EQ(buttons.CheckFrames, 12);
    EXPECT_EQ(buttons.RadioFrames, 4);

    TDataSkinObject progress("Progress");
    progress.Style = 1;
    ApplyFixedFrameCount(&progress, SkinPart::Progress);
    EXPECT_EQ(progress.FrameCount, 1);
    ApplyFixedFrameCount(nullptr, SkinPart::Scrollbar);  // a part the skin lacks
}

TEST(ApplyTitleButtonFrames, CountsFramesFromTheStripAndDropsTheIconButtonsStrip) {
    TDataSkinSysButton close("BUTTON1");
    Prepare(close.Image, 96, 16, clRed);
    ApplyTitleButtonFrames(close, 0);
    EXPECT_EQ(close.FrameCount, 6);

    TDataSkinSysButton narrow("BUTTON2");
    Prepare(narrow.Image, 40, 16, clRed);
    ApplyTitleButtonFrames(narrow, 0);
    EXPECT_EQ(narrow.FrameCount, 3);

    TDataSkinSysButton icon("BUTTON0");
    icon.Action = 3;
    Prepare(icon.Image, 40, 16, clRed);
    ApplyTitleButtonFrames(icon, 0);
    EXPECT_TRUE(icon.Image.Empty());
    EXPECT_EQ(icon.FrameCount, 3);  // counted before the strip goes
}

TEST(MakeMdiButtons, CutsTheStripIntoThreeFourFrameButtons) {
    TBitmap strip;  // 12 cells of 15 x 15, colour by cell
    Prepare(strip, 180, 15, clBlack);
    for (int cell = 0; cell < 12; ++cell)
        Paint(strip, {cell * 15, 0, cell * 15 + 15, 15}, RgbColour(static_cast<uint8_t>(cell * 20), 0, 0));
    const auto buttons = MakeMdiButtons(&strip);
    ASSERT_EQ(buttons.size(), 3u);
    const int xcoords[] = {57, 38, 19};
    for (int k = 0; k < 3; ++k) {
        const auto& b = *buttons[static_cast<size_t>(k)];
        EXPECT_EQ(b.Action, 7 + k);
        EXPECT_EQ(b.Align, 100);
        EXPECT_EQ(b.Visibility, 100);
        EXPECT_EQ(b.Visibility1, 100);
        EXPECT_EQ(b.FrameCount, 4);
        EXPECT_EQ(b.Xcoord, xcoords[k]);
        ASSERT_EQ(b.Image.Width(), 60);
        ASSERT_EQ(b.Image.Height(), 15);
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(AllPixels(b.Image, {c * 15, 0, c * 15 + 15, 15}, RgbColour(static_cast<uint8_t>((4 * k + c) * 20), 0, 0)));
    }

    const auto plain = MakeMdiButtons(nullptr);
    ASSERT_EQ(plain.size(), 3u);
    EXPECT_TRUE(plain[2]->Image.Empty());
    EXPECT_EQ(plain[2]->Xcoord, 0);
    EXPECT_EQ(plain[2]->Action, 9);
}

TEST(SharedScratch, HandsOutOneBitmapAtTheAskedSize) {
    TBitmap* first = SharedScratchBitmap(30, 10);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Width(), 30);
    EXPECT_EQ(::GetStretchBltMode(first->Dc()), COLORONCOLOR);
    TBitmap* again = SharedScratchBitmap(300, 20);
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->Height(), 20);
    EXPECT_EQ(::GetStretchBltMode(again->Dc()), COLORONCOLOR);  // the new picture's DC too
    ASSERT_NE(SharedStringList(), nullptr);
    EXPECT_EQ(SharedStringList(), SharedStringList());
}
