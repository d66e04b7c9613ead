#include "skin/data/ImageUtils.h"

#include "framework/win/DibSection.h"
#include "skin/data/ColourMath.h"
#include "tests/skin/data/SkinTestPictures.h"
#include "tests/support/GdiHeadroom.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

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

TEST(PixelRoutines, GreyAndKeyColourReplacementWorkIn24Bits) {
    TBitmap bitmap;
    MakeSix(bitmap, TPixelFormat::pf32bit);
    ASSERT_TRUE(GrayImage(bitmap));
    EXPECT_EQ(bitmap.BitsPerPixel(), 24);
    EXPECT_EQ(PixelsOf(bitmap)[5], RgbColour(170, 170, 170));

    TBitmap keyed;
    Prepare(keyed, 3, 1, RgbColour(255, 0, 255));
    keyed.Canvas().SetPixel(1, 0, RgbColour(255, 1, 255));
    ASSERT_TRUE(ReplaceKeyColour(keyed, clBtnFace));
    EXPECT_EQ(Ref(keyed.PixelColour(0, 0)), ::GetSysColor(COLOR_BTNFACE));  // resolved, not its index byte
    EXPECT_EQ(keyed.PixelColour(1, 0), RgbColour(255, 1, 255));
    TBitmap palette;
    Prepare(palette, 2, 2, RgbColour(255, 0, 255));
    palette.SetPixelFormat(TPixelFormat::pf8bit);  // magenta is in the default palette
    ASSERT_TRUE(ReplaceKeyColour(palette, kA));
    EXPECT_EQ(palette.BitsPerPixel(), 24);
    EXPECT_EQ(PixelsOf(palette), std::vector<TColor>(4, kA));
}

TEST(PixelRoutines, MirrorFlipAndTurnsKeepThe24And32BitFormats) {
    for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap six;
        MakeSix(six, format);
        ASSERT_TRUE(MirrorImage(six));
        EXPECT_EQ(PixelsOf(six), (std::vector<TColor>{kC, kB, kA, kF, kE, kD}));
        ASSERT_TRUE(FlipImage(six));
        EXPECT_EQ(PixelsOf(six), (std::vector<TColor>{kF, kE, kD, kC, kB, kA}));
        MakeSix(six, format);
        ASSERT_TRUE(RotateLeft(six));  // counter-clockwise: C F / B E / A D
        EXPECT_EQ(six.Width(), 2);
        EXPECT_EQ(PixelsOf(six), (std::vector<TColor>{kC, kF, kB, kE, kA, kD}));
        MakeSix(six, format);
        ASSERT_TRUE(RotateRight(six));  // clockwise: D A / E B / F C
        EXPECT_EQ(PixelsOf(six), (std::vector<TColor>{kD, kA, kE, kB, kF, kC}));
        EXPECT_EQ(six.PixelFormat(), format);
    }
    TBitmap pair;  // A B: turned left B is on top, turned right A is
    Prepare(pair, 2, 1, kA);
    pair.Canvas().SetPixel(1, 0, kB);
    ASSERT_TRUE(RotateLeft(pair));
    EXPECT_EQ(PixelsOf(pair), (std::vector<TColor>{kB, kA}));

    // A palette bitmap has no 3-byte pixels: it becomes 24-bit rather than being misread.
    TBitmap mono;
    Prepare(mono, 9, 1, clWhite);
    mono.SetPixelFormat(TPixelFormat::pf1bit);
    mono.Canvas().SetPixel(0, 0, clBlack);
    ASSERT_TRUE(MirrorImage(mono));
    EXPECT_EQ(mono.BitsPerPixel(), 24);
    EXPECT_EQ(PixelsOf(mono).back(), clBlack);
}

TEST(ColourRoutines, ResolveSystemColoursFirst) {
    const TColor face = static_cast<TColor>(::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(MixColour(clBtnFace, clWhite, 150), MixRgb(face, clWhite, 150));
    EXPECT_EQ(ColourSaturation(clBtnFace), RgbSaturation(face));
}

TEST(GradientFill, FillsBandsFromTheTableWithinTheClipBox) {
    DibSection target(20, 10);
    target.Fill(kSentinel);
    ASSERT_TRUE(GradientFill(target.Dc(), {2, 2, 12, 5}, clBlack, GradientDirection::TopToBottom, RgbColour(10, 0, 0)));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(target.AllEqual({2, 2 + i, 12, 3 + i}, RGB(5 * i, 0, 0))) << i;
    EXPECT_EQ(target.CountOther({0, 0, 20, 10}, kSentinel), 30);

    // Only the columns inside the clip box are drawn; they keep their place in the gradient.
    target.Fill(kSentinel);
    const RegionHandle clip{::CreateRectRgn(5, 0, 8, 10)};
    ::SelectClipRgn(target.Dc(), clip.Get());
    ASSERT_TRUE(GradientFill(target.Dc(), {0, 0, 11, 10}, clBlack, GradientDirection::LeftToRight, RgbColour(0, 100, 0)));
    ::SelectClipRgn(target.Dc(), nullptr);
    EXPECT_EQ(target.Pixel(5, 3), RGB(0, 50, 0));
    EXPECT_EQ(target.Pixel(7, 3), RGB(0, 70, 0));
    EXPECT_EQ(target.CountOther({0, 0, 20, 10}, kSentinel), 30);

    target.Fill(kSentinel);  // nothing for an inverted or invisible rectangle
    EXPECT_TRUE(GradientFill(target.Dc(), {5, 5, 2, 2}, clBlack, GradientDirection::TopToBottom, clWhite));
    EXPECT_TRUE(GradientFill(target.Dc(), {30, 30, 40, 40}, clBlack, GradientDirection::TopToBottom, clWhite));
    EXPECT_TRUE(target.AllEqual({0, 0, 20, 10}, kSentinel));
}

TEST(Text, ConvertsAnsiTextAndDrawsWideTextInsideItsBox) {
    EXPECT_EQ(AnsiToWide("Lesson 12"), L"Lesson 12");
    EXPECT_EQ(AnsiToWide(""), L"");
    for (const TextCall call : {TextCall::ForPlatform, TextCall::Wide, TextCall::Ansi}) {
        DibSection target(120, 40);
        target.Fill(RGB(255, 255, 255));
        RECT box{10, 10, 110, 30};
        const std::wstring text = L"Hello";  // never written to, even when asked to
        EXPECT_GT(DrawWideText(target.Dc(), text, box, DT_SINGLELINE | DT_MODIFYSTRING | DT_END_ELLIPSIS, call), 0);
        EXPECT_EQ(text, L"Hello");
        const int inside = target.CountOther(box, RGB(255, 255, 255));
        EXPECT_GT(inside, 0);
        EXPECT_EQ(target.CountOther({0, 0, 120, 40}, RGB(255, 255, 255)), inside);
    }
}

TEST(ImageUtilities, LeaveNoGdiObjectBehind) {
    TBitmap bitmap;
    MakeSix(bitmap, TPixelFormat::pf24bit);
    DibSection target(16, 64);
    const HGDIOBJ brush = ::GetCurrentObject(target.Dc(), OBJ_BRUSH);
    int headroom = 0, next = 0;
    for (int i = 0; i <= 10000; ++i) {
        if (i == 1) {  // after the first round: the bitmap's canvas DC is gone, the gradient cached
            headroom = GdiHeadroom();
            next = SharedGradientCache().NextSlot();
        }
        GrayImage(bitmap);
        ReplaceKeyColour(bitmap, clBtnFace);
        MirrorImage(bitmap);
        FlipImage(bitmap);
        RotateLeft(bitmap);
        RotateRight(bitmap);
        GradientFill(target.Dc(), {0, 0, 16, 64}, RgbColour(1, 2, 3), GradientDirection::TopToBottom, RgbColour(200, 100, 50));
    }
    EXPECT_EQ(GdiHeadroom(), headroom);
    EXPECT_EQ(SharedGradientCache().NextSlot(), next);  // every call found its table
    EXPECT_EQ(::GetCurrentObject(target.Dc(), OBJ_BRUSH), brush);
}
