#include "skin/data/ImageUtils.h"

#include "framework/GraphicsObjects.h"
#include "framework/win/DibSection.h"
#include "skin/data/ColourMath.h"
#include "tests/skin/data/SkinTestPictures.h"
#include "tests/support/GdiHeadroom.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr TColor kA = RgbColour(10, 20, 30), kB = RgbColour(40, 50, 60), kC = RgbColour(70, 80, 90);
constexpr TColor kD = RgbColour(100, 110, 120), kE = RgbColour(130, 140, 150), kF = RgbColour(160, 170, 180);

// 3 x 2: A B C over D E F.
void MakeSix(TBitmap& bitmap, TPixelFormat format) {
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(3, 2);
    const TColor colours[] = {kA, kB, kC, kD, kE, kF};
    for (int i = 0; i < 6; ++i) bitmap.Canvas().SetPixel(i % 3, i / 3, colours[i]);
}

std::vector<TColor> PixelsOf(const TBitmap& bitmap) {
    std::vector<TColor> out;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) out.push_back(bitmap.PixelColour(x, y));
    return out;
}

}  // namespace

TEST(GrayImage, AveragesTheChannelsInto24Bits) {
    TBitmap bitmap;
    MakeSix(bitmap, TPixelFormat::pf32bit);
    ASSERT_TRUE(GrayImage(bitmap));
    EXPECT_EQ(bitmap.BitsPerPixel(), 24);
    EXPECT_EQ(bitmap.PixelColour(0, 0), RgbColour(20, 20, 20));
    EXPECT_EQ(bitmap.PixelColour(2, 1), RgbColour(170, 170, 170));
    TBitmap empty;
    EXPECT_TRUE(GrayImage(empty));
}

TEST(ReplaceKeyColour, ChangesOnlyExactMagentaAndResolvesSystemColours) {
    TBitmap bitmap;
    Prepare(bitmap, 3, 1, RgbColour(255, 0, 255));
    bitmap.Canvas().SetPixel(1, 0, RgbColour(255, 1, 255));
    ASSERT_TRUE(ReplaceKeyColour(bitmap, kA));
    EXPECT_EQ(PixelsOf(bitmap), (std::vector<TColor>{kA, RgbColour(255, 1, 255), kA}));

    TBitmap face;
    Prepare(face, 2, 2, RgbColour(255, 0, 255));
    face.SetPixelFormat(TPixelFormat::pf8bit);  // magenta is in the default palette
    ASSERT_TRUE(ReplaceKeyColour(face, clBtnFace));
    EXPECT_EQ(face.BitsPerPixel(), 24);
    EXPECT_EQ(Ref(face.PixelColour(1, 1)), ::GetSysColor(COLOR_BTNFACE));
}

TEST(MirrorAndFlip, SwapSidesAndKeep24And32BitFormats) {
    for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap bitmap;
        MakeSix(bitmap, format);
        ASSERT_TRUE(MirrorImage(bitmap));
        EXPECT_EQ(PixelsOf(bitmap), (std::vector<TColor>{kC, kB, kA, kF, kE, kD}));
        ASSERT_TRUE(FlipImage(bitmap));
        EXPECT_EQ(PixelsOf(bitmap), (std::vector<TColor>{kF, kE, kD, kC, kB, kA}));
        EXPECT_EQ(bitmap.PixelFormat(), format);
    }
    // A palette bitmap has no 3-byte pixels: it becomes 24-bit rather than being misread.
    TBitmap mono;
    Prepare(mono, 9, 1, clWhite);
    mono.SetPixelFormat(TPixelFormat::pf1bit);
    mono.Canvas().SetPixel(0, 0, clBlack);
    ASSERT_TRUE(MirrorImage(mono));
    EXPECT_EQ(mono.BitsPerPixel(), 24);
    EXPECT_EQ(mono.PixelColour(8, 0), clBlack);
    EXPECT_EQ(mono.PixelColour(0, 0), clWhite);
}

TEST(Rotate, TurnsAQuarterAndSwapsTheSides) {
    TBitmap pair;
    Prepare(pair, 2, 1, kA);
    pair.Canvas().SetPixel(1, 0, kB);
    ASSERT_TRUE(RotateLeft(pair));
    EXPECT_EQ(pair.Width(), 1);
    EXPECT_EQ(pair.Height(), 2);
    EXPECT_EQ(PixelsOf(pair), (std::vector<TColor>{kB, kA}));  // B on top
    ASSERT_TRUE(RotateRight(pair));
    ASSERT_TRUE(RotateRight(pair));
    EXPECT_EQ(PixelsOf(pair), (std::vector<TColor>{kA, kB}));  // A on top

    for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap six;
        MakeSix(six, format);
        ASSERT_TRUE(RotateLeft(six));  // counter-clockwise: C F / B E / A D
        EXPECT_EQ(PixelsOf(six), (std::vector<TColor>{kC, kF, kB, kE, kA, kD}));
        EXPECT_EQ(six.PixelFormat(), format);
        MakeSix(six, format);
        ASSERT_TRUE(RotateRight(six));  // clockwise: D A / E B / F C
        EXPECT_EQ(PixelsOf(six), (std::vector<TColor>{kD, kA, kE, kB, kF, kC}));
    }
}

TEST(MixAndSaturation, ResolveSystemColoursFirst) {
    const TColor face = static_cast<TColor>(::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(MixColour(clBtnFace, clWhite, 150), MixRgb(face, clWhite, 150));
    EXPECT_EQ(MixColour(clBlack, clWhite, 150), RgbColour(217, 217, 217));
    EXPECT_EQ(ColourSaturation(clBtnFace), RgbSaturation(face));
    EXPECT_EQ(ColourSaturation(clRed), 255);
}

TEST(GradientFill, FillsBandsFromTheTableWithinTheClipBox) {
    DibSection target(20, 10);
    target.Fill(kSentinel);
    ASSERT_TRUE(GradientFill(target.Dc(), {2, 2, 12, 5}, RgbColour(0, 0, 0), GradientDirection::TopToBottom,
                             RgbColour(10, 0, 0)));
    EXPECT_TRUE(target.AllEqual({2, 2, 12, 3}, RGB(0, 0, 0)));
    EXPECT_TRUE(target.AllEqual({2, 3, 12, 4}, RGB(5, 0, 0)));
    EXPECT_TRUE(target.AllEqual({2, 4, 12, 5}, RGB(10, 0, 0)));
    EXPECT_EQ(target.CountOther({0, 0, 20, 10}, kSentinel), 30);

    // Columns, from red 0 to 255 over one column: the middle value.
    target.Fill(kSentinel);
    ASSERT_TRUE(GradientFill(target.Dc(), {0, 0, 1, 10}, clBlack, GradientDirection::LeftToRight, clRed));
    EXPECT_TRUE(target.AllEqual({0, 0, 1, 10}, RGB(127, 0, 0)));

    // Only the bands inside the clip box are drawn; they keep their place in the gradient.
    target.Fill(kSentinel);
    const RegionHandle clip{::CreateRectRgn(5, 0, 8, 10)};
    ::SelectClipRgn(target.Dc(), clip.Get());
    ASSERT_TRUE(GradientFill(target.Dc(), {0, 0, 11, 10}, clBlack, GradientDirection::LeftToRight, RgbColour(0, 100, 0)));
    ::SelectClipRgn(target.Dc(), nullptr);
    EXPECT_EQ(target.Pixel(5, 3), RGB(0, 50, 0));
    EXPECT_EQ(target.Pixel(7, 3), RGB(0, 70, 0));
    EXPECT_EQ(target.CountOther({0, 0, 20, 10}, kSentinel), 30);

    // Nothing for an inverted or invisible rectangle.
    target.Fill(kSentinel);
    EXPECT_TRUE(GradientFill(target.Dc(), {5, 5, 2, 2}, clBlack, GradientDirection::TopToBottom, clWhite));
    EXPECT_TRUE(GradientFill(target.Dc(), {30, 30, 40, 40}, clBlack, GradientDirection::TopToBottom, clWhite));
    EXPECT_TRUE(target.AllEqual({0, 0, 20, 10}, kSentinel));
}

TEST(GradientFill, ReusesTheSharedTableAndLeavesNoBrushBehind) {
    DibSection target(16, 64);
    const RECT box{0, 0, 16, 64};
    ASSERT_TRUE(GradientFill(target.Dc(), box, RgbColour(1, 2, 3), GradientDirection::TopToBottom, RgbColour(200, 100, 50)));
    const int next = SharedGradientCache().NextSlot();
    const HGDIOBJ brush = ::GetCurrentObject(target.Dc(), OBJ_BRUSH);
    const int headroom = GdiHeadroom();
    for (int i = 0; i < 10000; ++i)
        GradientFill(target.Dc(), box, RgbColour(1, 2, 3), GradientDirection::TopToBottom, RgbColour(200, 100, 50));
    EXPECT_EQ(GdiHeadroom(), headroom);
    EXPECT_EQ(SharedGradientCache().NextSlot(), next);  // every call found the table
    EXPECT_EQ(::GetCurrentObject(target.Dc(), OBJ_BRUSH), brush);
}

TEST(Text, ConvertsAnsiTextAndDrawsWideTextInsideItsBox) {
    EXPECT_EQ(AnsiToWide("Lesson 12"), L"Lesson 12");
    EXPECT_EQ(AnsiToWide(""), L"");

    for (const TextCall call : {TextCall::ForPlatform, TextCall::Wide, TextCall::Ansi}) {
        DibSection target(120, 40);
        target.Fill(RGB(255, 255, 255));
        ::SetTextColor(target.Dc(), RGB(0, 0, 0));
        ::SetBkMode(target.Dc(), TRANSPARENT);
        RECT box{10, 10, 110, 30};
        const std::wstring text = L"Hello";
        EXPECT_GT(DrawWideText(target.Dc(), text, box, DT_SINGLELINE | DT_NOPREFIX | DT_MODIFYSTRING | DT_END_ELLIPSIS, call), 0);
        EXPECT_EQ(text, L"Hello");
        EXPECT_GT(target.CountOther({10, 10, 110, 30}, RGB(255, 255, 255)), 0);
        EXPECT_EQ(target.CountOther({0, 0, 120, 10}, RGB(255, 255, 255)), 0);
        EXPECT_EQ(target.CountOther({0, 30, 120, 40}, RGB(255, 255, 255)), 0);

        RECT measure{0, 0, 0, 0};
        target.Fill(RGB(255, 255, 255));
        EXPECT_GT(DrawWideText(target.Dc(), text, measure, DT_SINGLELINE | DT_CALCRECT, call), 0);
        EXPECT_GT(measure.right, 0);
        EXPECT_EQ(target.CountOther({0, 0, 120, 40}, RGB(255, 255, 255)), 0);  // measuring draws nothing
    }
}

TEST(BitmapRoutines, LeaveNoGdiObjectBehind) {
    TBitmap bitmap;
    MakeSix(bitmap, TPixelFormat::pf24bit);
    int headroom = 0;
    for (int i = 0; i <= 10000; ++i) {
        if (i == 1) headroom = GdiHeadroom();  // after the first round: the canvas DC is gone by then
        GrayImage(bitmap);
        ReplaceKeyColour(bitmap, clBtnFace);
        MirrorImage(bitmap);
        FlipImage(bitmap);
        RotateLeft(bitmap);
        RotateRight(bitmap);
    }
    EXPECT_EQ(GdiHeadroom(), headroom);
}
