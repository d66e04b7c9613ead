#include "skin/data/SkinDraw.h"

#include "framework/win/DibSection.h"
#include "tests/skin/data/SkinTestPictures.h"
#include "tests/support/GdiHeadroom.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Colours of the nine pieces of a 10 x 10 cell with margins left 2, top 3, right 4, bottom 1.
constexpr TColor kTopLeft = RgbColour(255, 0, 0), kTopRight = RgbColour(255, 128, 0);
constexpr TColor kBottomLeft = RgbColour(128, 0, 0), kBottomRight = RgbColour(255, 0, 128);
constexpr TColor kTop = RgbColour(0, 255, 0), kBottom = RgbColour(0, 128, 0);
constexpr TColor kLeft = RgbColour(0, 0, 255), kRight = RgbColour(0, 0, 128);
constexpr TColor kMiddle = RgbColour(255, 255, 0), kMiddle2 = RgbColour(0, 255, 255);
const SliceMargins kMargins{2, 3, 4, 1};

// Two 10 x 10 frames side by side; frame 2 has its own middle colour.
void MakeNineSliceStrip(TBitmap& strip) {
    Prepare(strip, 20, 10, kMiddle);
    for (int f = 0; f < 2; ++f) {
        const int x = 10 * f;
        Paint(strip, {x, 0, x + 2, 3}, kTopLeft);
        Paint(strip, {x + 6, 0, x + 10, 3}, kTopRight);
        Paint(strip, {x, 9, x + 2, 10}, kBottomLeft);
        Paint(strip, {x + 6, 9, x + 10, 10}, kBottomRight);
        Paint(strip, {x + 2, 0, x + 6, 3}, kTop);
        Paint(strip, {x + 2, 9, x + 6, 10}, kBottom);
        Paint(strip, {x, 3, x + 2, 9}, kLeft);
        Paint(strip, {x + 6, 3, x + 10, 9}, kRight);
    }
    Paint(strip, {12, 3, 16, 9}, kMiddle2);
}

// The nine areas of a 40 x 20 slice of that cell, placed at (dx, dy).
struct Area {
    RECT rect;
    TColor colour;
};
std::vector<Area> NineAreas(int dx, int dy, TColor middle) {
    const auto at = [&](int l, int t, int r, int b) { return RECT{l + dx, t + dy, r + dx, b + dy}; };
    return {{at(0, 0, 2, 3), kTopLeft},     {at(36, 0, 40, 3), kTopRight}, {at(0, 19, 2, 20), kBottomLeft},
            {at(36, 19, 40, 20), kBottomRight}, {at(2, 0, 36, 3), kTop},    {at(2, 19, 36, 20), kBottom},
            {at(0, 3, 2, 19), kLeft},       {at(36, 3, 40, 19), kRight},   {at(2, 3, 36, 19), middle}};
}

// A strip of one 12 x 4 frame: left margin 2, a 7-pixel middle whose first column is
// marked, right margin 3.
constexpr TColor kMark = RgbColour(200, 0, 200), kPlain = RgbColour(90, 90, 90), kEdge = RgbColour(0, 90, 0);
void MakeTileStrip(TBitmap& strip) {
    Prepare(strip, 12, 4, kPlain);
    Paint(strip, {0, 0, 2, 4}, kEdge);
    Paint(strip, {2, 0, 3, 4}, kMark);
    Paint(strip, {9, 0, 12, 4}, kEdge);
}

// 6 x 4 ink with a magenta hole at (2, 1)-(4, 3).
constexpr TColor kInk = RgbColour(20, 40, 60);
void MakeHoled(TBitmap& image) {
    Prepare(image, 6, 4, kInk);
    Paint(image, {2, 1, 4, 3}, kKeyColour);
}

struct DcState {
    HGDIOBJ bitmap, font, brush, pen;
    COLORREF text, back;
    int stretch;
    bool operator==(const DcState&) const = default;
};
DcState StateOf(HDC dc) {
    return {::GetCurrentObject(dc, OBJ_BITMAP), ::GetCurrentObject(dc, OBJ_FONT), ::GetCurrentObject(dc, OBJ_BRUSH),
            ::GetCurrentObject(dc, OBJ_PEN), ::GetTextColor(dc), ::GetBkColor(dc), ::GetStretchBltMode(dc)};
}

}  // namespace

TEST(SliceImage, KeepsCornersAndStretchesEdgesAndMiddle) {
    TBitmap strip;
    MakeNineSliceStrip(strip);
    for (const auto& [frame, middle] : {std::pair{1, kMiddle}, std::pair{2, kMiddle2}}) {
        const auto slice = SliceImage({100, 100, 140, 120}, strip, kMargins, FrameLayout::Horizontal,
                                      MiddleMode::Stretch, 2, frame);
        ASSERT_TRUE(slice);
        EXPECT_EQ(slice->Width(), 40);
        EXPECT_EQ(slice->Height(), 20);
        for (const Area& a : NineAreas(0, 0, middle))
            EXPECT_TRUE(AllPixels(*slice, a.rect, a.colour)) << "frame " << frame << " area at " << a.rect.left << ","
                                                             << a.rect.top;
    }
}

TEST(SliceImage, ReadsStackedFrames) {
    TBitmap stacked;  // frame 1 green over frame 2 blue
    Prepare(stacked, 8, 8, kTop);
    Paint(stacked, {0, 4, 8, 8}, kLeft);
    const auto slice = SliceImage({0, 0, 30, 9}, stacked, {}, FrameLayout::Vertical, MiddleMode::Stretch, 2, 2);
    ASSERT_TRUE(slice);
    EXPECT_TRUE(AllPixels(*slice, {0, 0, 30, 9}, kLeft));
}

TEST(SliceImage, NarrowTargetDropsTheSideMargins) {
    TBitmap strip;
    MakeNineSliceStrip(strip);
    const auto slice = SliceImage({0, 0, 5, 20}, strip, kMargins, FrameLayout::Horizontal, MiddleMode::Stretch, 2, 1);
    ASSERT_TRUE(slice);
    // No corners: the top edge, stretched from the whole cell width, runs across; its ends
    // come from the source's corners, but squeezed, not copied one to one.
    EXPECT_EQ(slice->PixelColour(0, 0), kTopLeft);
    EXPECT_EQ(slice->PixelColour(1, 0), kTop);
    EXPECT_EQ(slice->PixelColour(4, 0), kTopRight);
    EXPECT_EQ(slice->PixelColour(1, 19), kBottom);
    EXPECT_EQ(slice->PixelColour(2, 10), kMiddle);
}

TEST(SliceImage, TiledMiddleStartsEachTileAtItsWidthAndTheRightEdgeCoversTheOverflow) {
    TBitmap strip;
    MakeTileStrip(strip);
    const auto slice = SliceImage({0, 0, 25, 4}, strip, {2, 0, 3, 0}, FrameLayout::Horizontal, MiddleMode::Tile, 1, 1);
    ASSERT_TRUE(slice);
    std::string columns;
    for (int x = 0; x < 25; ++x) {
        const TColor c = slice->PixelColour(x, 2);
        columns += c == kMark ? 'M' : c == kPlain ? '.' : c == kEdge ? 'E' : '?';
    }
    // Tiles at 0, 7 and 14 of the middle (x = 2, 9, 16); the third runs to 23 under the edge.
    EXPECT_EQ(columns, "EEM......M......M.....EEE");
}

TEST(SliceImage, NothingToCutGivesNoBitmap) {
    TBitmap strip;
    MakeNineSliceStrip(strip);
    const TBitmap empty;
    const RECT target{0, 0, 30, 20};
    EXPECT_FALSE(SliceImage(target, empty, kMargins, FrameLayout::Horizontal, MiddleMode::Stretch, 1, 1));
    EXPECT_FALSE(SliceImage(target, strip, kMargins, FrameLayout::Horizontal, MiddleMode::Stretch, 0, 1));
    EXPECT_FALSE(SliceImage(target, strip, kMargins, FrameLayout::Horizontal, MiddleMode::Tile, 2, 3));
    EXPECT_FALSE(SliceImage({10, 0, 5, 20}, strip, kMargins, FrameLayout::Horizontal, MiddleMode::Stretch, 2, 1));
    EXPECT_FALSE(SliceImage({0, 0, 70000, 20}, strip, kMargins, FrameLayout::Horizontal, MiddleMode::Stretch, 2, 1));
}

TEST(DrawSliced, CopiesOpaqueOrLeavesTheKeyColourOut) {
    TBitmap strip;
    MakeNineSliceStrip(strip);
    Paint(strip, {0, 0, 2, 3}, kKeyColour);  // frame 1's top-left corner becomes transparent
    DibSection target(60, 40);
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawSliced(target.Dc(), {5, 6, 45, 26}, strip, FrameLayout::Horizontal, MiddleMode::Stretch,
                           Transparency::KeyColour, 2, 1, kMargins));
    EXPECT_TRUE(target.AllEqual({5, 6, 7, 9}, kSentinel));  // the key-colour corner
    EXPECT_TRUE(target.AllEqual({7, 9, 41, 25}, Ref(kMiddle)));
    EXPECT_EQ(target.CountOther({0, 0, 60, 40}, kSentinel), 40 * 20 - 2 * 3);

    ASSERT_TRUE(DrawSliced(target.Dc(), {5, 6, 45, 26}, strip, FrameLayout::Horizontal, MiddleMode::Stretch,
                           Transparency::Opaque, 2, 1, kMargins));
    EXPECT_TRUE(target.AllEqual({5, 6, 7, 9}, Ref(kKeyColour)));
}

TEST(DrawRoutines, DrawNothingForEmptyImagesMissingFramesAndInvertedRectangles) {
    TBitmap strip;
    MakeNineSliceStrip(strip);
    const TBitmap empty;
    DibSection target(40, 30);
    target.Fill(kSentinel);
    const HDC dc = target.Dc();
    TCanvas canvas;
    canvas.SetHandle(dc);
    const RECT box{2, 2, 30, 20};
    const RECT inverted{30, 2, 2, 20};
    const auto draw = [&](const TBitmap& image, const RECT& r, int count, int frame) {
        return std::vector<bool>{
            DrawSliced(dc, r, image, FrameLayout::Horizontal, MiddleMode::Tile, Transparency::Opaque, count, frame, kMargins),
            DrawThreePart(canvas, r, image, FrameLayout::Horizontal, Transparency::Opaque, count, frame, kMargins),
            DrawCell(dc, r, image, Transparency::KeyColour, count, frame),
            DrawCellCentered(dc, r, image, Transparency::Opaque, count, frame),
            DrawStretchedStrip(dc, r, image, FrameLayout::Vertical, count, frame, kMargins)};
    };
    const std::vector<bool> none(5, false), fine(5, true);
    EXPECT_EQ(draw(empty, box, 1, 1), none);
    EXPECT_EQ(draw(strip, box, 0, 1), none);   // zero frame count
    EXPECT_EQ(draw(strip, box, -3, 1), none);
    EXPECT_EQ(draw(strip, box, 2, 3), none);   // beyond the count
    EXPECT_EQ(draw(strip, box, 2, 0), none);
    EXPECT_EQ(draw(strip, box, 40, 1), none);  // cells narrower than a pixel
    EXPECT_EQ(draw(strip, inverted, 2, 1), fine);
    EXPECT_TRUE(DrawMasked(dc, inverted, strip, kKeyColour));
    EXPECT_FALSE(DrawMasked(dc, box, empty, kKeyColour));
    EXPECT_TRUE(TileImage(canvas, box, strip, {5, 5, 2, 8}));  // negative source width
    EXPECT_TRUE(TileImage(canvas, box, strip, {5, 5, 5, 8}));  // empty source
    EXPECT_FALSE(TileImage(canvas, box, strip, {30, 0, 40, 8}));  // wholly outside the bitmap
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(target.AllEqual({0, 0, 40, 30}, kSentinel));
}

TEST(DrawThreePart, DrawsLeftRepeatedMiddleAndRightLast) {
    TBitmap strip;
    MakeTileStrip(strip);
    DibSection target(40, 10);
    target.Fill(kSentinel);
    TCanvas canvas;
    canvas.SetHandle(target.Dc());
    ASSERT_TRUE(DrawThreePart(canvas, {3, 1, 28, 9}, strip, FrameLayout::Horizontal, Transparency::Opaque, 1, 1,
                              {2, 1, 3, 1}));
    std::string columns;
    for (int x = 0; x < 30; ++x) {
        const COLORREF c = target.Pixel(x, 5);
        columns += c == Ref(kMark) ? 'M' : c == Ref(kPlain) ? '.' : c == Ref(kEdge) ? 'E' : c == kSentinel ? '-' : '?';
    }
    EXPECT_EQ(columns, "---EEM......M......M.....EEE--");
    for (int x = 3; x < 28; ++x) EXPECT_EQ(target.Pixel(x, 1), target.Pixel(x, 8)) << x;  // full height
    EXPECT_TRUE(target.AllEqual({0, 0, 40, 1}, kSentinel));

    // Margins that fill the cell leave no middle; the call still ends and draws both sides.
    ASSERT_TRUE(DrawThreePart(canvas, {0, 0, 40, 10}, strip, FrameLayout::Horizontal, Transparency::Opaque, 1, 1,
                              {9, 0, 3, 0}));
    EXPECT_EQ(target.Pixel(37, 5), Ref(kEdge));
    EXPECT_EQ(target.Pixel(2, 5), Ref(kMark));
    canvas.SetHandle(nullptr);
}

TEST(DrawThreePart, LeavesTheKeyColourOutWhenTransparent) {
    TBitmap strip;
    MakeTileStrip(strip);
    Paint(strip, {3, 0, 9, 4}, kKeyColour);
    DibSection target(30, 4);
    target.Fill(kSentinel);
    TCanvas canvas;
    canvas.SetHandle(target.Dc());
    ASSERT_TRUE(DrawThreePart(canvas, {0, 0, 25, 4}, strip, FrameLayout::Horizontal, Transparency::KeyColour, 1, 1,
                              {2, 0, 3, 0}));
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(target.AllEqual({3, 0, 9, 4}, kSentinel));
    EXPECT_EQ(target.Pixel(9, 0), Ref(kMark));
}

TEST(DrawCell, StretchesOneFrameToTheRectangle) {
    TBitmap strip;  // three 4 x 4 frames: red, green, blue with a magenta pixel
    Prepare(strip, 12, 4, kTopLeft);
    Paint(strip, {4, 0, 8, 4}, kTop);
    Paint(strip, {8, 0, 12, 4}, kLeft);
    Paint(strip, {8, 0, 10, 2}, kKeyColour);
    DibSection target(30, 30);
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawCell(target.Dc(), {2, 2, 14, 10}, strip, Transparency::Opaque, 3, 2));
    EXPECT_TRUE(target.AllEqual({2, 2, 14, 10}, Ref(kTop)));
    EXPECT_EQ(target.CountOther({0, 0, 30, 30}, kSentinel), 12 * 8);
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawCell(target.Dc(), {0, 0, 8, 8}, strip, Transparency::KeyColour, 3, 3));
    EXPECT_TRUE(target.AllEqual({0, 0, 4, 4}, kSentinel));  // the magenta quarter, doubled
    EXPECT_TRUE(target.AllEqual({4, 0, 8, 8}, Ref(kLeft)));
}

TEST(DrawCellCentered, CentresTheFrameTruncatingTowardZero) {
    TBitmap strip;  // two 16 x 16 frames
    Prepare(strip, 32, 16, kTop);
    Paint(strip, {16, 0, 32, 16}, kLeft);
    DibSection target(50, 50);
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawCellCentered(target.Dc(), {10, 10, 25, 25}, strip, Transparency::Opaque, 2, 2));
    EXPECT_TRUE(target.AllEqual({10, 10, 26, 26}, Ref(kLeft)));  // 15-pixel box: offset 0, sticks out by 1
    EXPECT_EQ(target.CountOther({0, 0, 50, 50}, kSentinel), 16 * 16);
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawCellCentered(target.Dc(), {0, 0, 21, 20}, strip, Transparency::Opaque, 2, 1));
    EXPECT_TRUE(target.AllEqual({2, 2, 18, 18}, Ref(kTop)));
    EXPECT_EQ(target.CountOther({0, 0, 50, 50}, kSentinel), 16 * 16);
}

TEST(DrawStretchedStrip, DrawsThreePiecesOrTheWholeFrameAndRestoresTheStretchMode) {
    TBitmap strip;
    MakeTileStrip(strip);
    DibSection target(60, 10);
    target.Fill(kSentinel);
    ::SetStretchBltMode(target.Dc(), HALFTONE);
    ASSERT_TRUE(DrawStretchedStrip(target.Dc(), {10, 2, 50, 8}, strip, FrameLayout::Horizontal, 1, 1, {2, 0, 3, 0}));
    EXPECT_EQ(::GetStretchBltMode(target.Dc()), HALFTONE);
    EXPECT_TRUE(target.AllEqual({10, 2, 12, 8}, Ref(kEdge)));
    EXPECT_TRUE(target.AllEqual({47, 2, 50, 8}, Ref(kEdge)));
    EXPECT_EQ(target.Pixel(12, 5), Ref(kMark));
    EXPECT_EQ(target.Pixel(46, 5), Ref(kPlain));
    EXPECT_EQ(target.CountOther({0, 0, 60, 10}, kSentinel), 40 * 6);
    // Narrower than the frame: the frame squeezed whole, both edges still at the ends.
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawStretchedStrip(target.Dc(), {0, 0, 6, 4}, strip, FrameLayout::Horizontal, 1, 1, {2, 0, 3, 0}));
    EXPECT_EQ(target.Pixel(0, 0), Ref(kEdge));
    EXPECT_EQ(target.Pixel(5, 0), Ref(kEdge));
    EXPECT_EQ(target.CountOther({0, 0, 60, 10}, kSentinel), 6 * 4);
}

TEST(TileImage, RepeatsTheSourceAndDrawsTheLastTilesWhole) {
    TBitmap image;
    MakeTileStrip(image);
    DibSection target(40, 20);
    target.Fill(kSentinel);
    TCanvas canvas;
    canvas.SetHandle(target.Dc());
    ASSERT_TRUE(TileImage(canvas, {1, 1, 16, 8}, image, {2, 0, 9, 3}));  // 7 x 3 tiles
    canvas.SetHandle(nullptr);
    for (const int x : {1, 8, 15}) EXPECT_TRUE(target.AllEqual({x, 1, x + 1, 10}, Ref(kMark))) << x;
    EXPECT_TRUE(target.AllEqual({16, 1, 22, 10}, Ref(kPlain)));  // last column whole
    EXPECT_EQ(target.CountOther({0, 0, 40, 20}, kSentinel), 21 * 9);

    // A huge area costs only the visible tiles and returns.
    target.Fill(kSentinel);
    canvas.SetHandle(target.Dc());
    ASSERT_TRUE(TileImage(canvas, {-2000000000, -2000000000, 2000000000, 2000000000}, image, {2, 0, 3, 1}));
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(target.AllEqual({0, 0, 40, 20}, Ref(kMark)));
}

TEST(TileImage, TilesABitmapIntoItself) {
    TBitmap image;
    MakeTileStrip(image);
    ASSERT_TRUE(TileImage(image.Canvas(), {0, 0, 12, 4}, image, {2, 0, 4, 4}));
    for (int x = 0; x < 12; ++x) EXPECT_EQ(image.PixelColour(x, 1), x % 2 == 0 ? kMark : kPlain) << x;
}

TEST(DrawMasked, LeavesKeyPixelsOutWithEitherMethodAndAnyFormat) {
    // 24 and 32 bits are masked from the pixels, palette pictures through GDI.
    for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pf8bit})
    for (const MaskMethod method : {MaskMethod::ForPlatform, MaskMethod::MaskedTransfer, MaskMethod::XorAndXor, MaskMethod::Composed}) {
        TBitmap image;
        MakeHoled(image);
        image.SetPixelFormat(format);
        const COLORREF ink = Ref(image.PixelColour(0, 0));  // the palette's nearest colour
        DibSection target(20, 20);
        target.Fill(kSentinel);
        const DcState before = StateOf(target.Dc());
        const COLORREF imageBack = ::GetBkColor(image.Dc());
        // A rectangle larger than the picture: nothing beyond the picture is touched.
        ASSERT_TRUE(DrawMasked(target.Dc(), {3, 4, 19, 19}, image, kKeyColour, method));
        EXPECT_TRUE(target.AllEqual({5, 5, 7, 7}, kSentinel));
        EXPECT_TRUE(target.AllEqual({3, 4, 5, 8}, ink));
        EXPECT_TRUE(target.AllEqual({7, 4, 9, 8}, ink));
        EXPECT_EQ(target.CountOther({0, 0, 20, 20}, kSentinel), 6 * 4 - 4);
        EXPECT_EQ(StateOf(target.Dc()), before);
        EXPECT_EQ(::GetBkColor(image.Dc()), imageBack);
    }
}

TEST(DrawMasked, KeepsNearKeyColours) {
    TBitmap image;
    Prepare(image, 3, 1, kKeyColour);
    Paint(image, {1, 0, 2, 1}, RgbColour(255, 1, 255));
    DibSection target(3, 1);
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawMasked(target.Dc(), {0, 0, 3, 1}, image, kKeyColour));
    EXPECT_EQ(target.Pixel(0, 0), kSentinel);
    EXPECT_EQ(target.Pixel(1, 0), RGB(255, 1, 255));
}

TEST(RegionFromBitmap, CutsAwayTheKeyColourWithinTheTolerance) {
    TBitmap allKey;
    Prepare(allKey, 30, 20, kKeyColour);
    Paint(allKey, {0, 0, 30, 2}, RgbColour(255, 1, 255));  // within tolerance 1
    const RegionHandle empty = RegionFromBitmap(allKey, 0, 0, 1, 1, 1, kKeyColour);
    ASSERT_TRUE(empty);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(empty.Get(), &box), NULLREGION);
    EXPECT_EQ(allKey.BitsPerPixel(), 32);  // converted in place

    TBitmap dot;
    Prepare(dot, 1, 1, kInk);
    const RegionHandle single = RegionFromBitmap(dot, 5, 7, 1, 1, 1, kKeyColour);
    ASSERT_TRUE(single);
    EXPECT_EQ(::GetRgnBox(single.Get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 7);
    EXPECT_EQ(box.right, 6);
    EXPECT_EQ(box.bottom, 8);

    TBitmap emptyImage;
    const RegionHandle fromEmpty = RegionFromBitmap(emptyImage, 0, 0, 1, 1, 1, kKeyColour);
    ASSERT_TRUE(fromEmpty);
    EXPECT_EQ(::GetRgnBox(fromEmpty.Get(), &box), NULLREGION);
}

TEST(RegionFromBitmap, MatchesAPerPixelReferenceOnALargeFrame) {
    // Rounded corners, a hollow client area and slanted stripes of holes that differ on
    // every row: thousands of runs, so several batches of rectangles go into the region.
    const int w = 1024, h = 768;
    TBitmap frame(w, h, TPixelFormat::pf24bit);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = frame.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int cx = std::min(x, w - 1 - x), cy = std::min(y, h - 1 - y);
            bool key = (cx < 8 && cy < 8 && (8 - cx) * (8 - cx) + (8 - cy) * (8 - cy) > 64) ||
                       (cx >= 100 && cy >= 100) || ((x + 3 * y) / 37) % 3 == 0;
            uint8_t* p = row + 3 * x;
            p[0] = key ? 255 : static_cast<uint8_t>(x);
            p[1] = key ? (y % 2) : 128;  // green 1 still counts as key
            p[2] = key ? 255 : static_cast<uint8_t>(y);
        }
    }
    const RegionHandle region = RegionFromBitmap(frame, 3, -4, 1, 1, 1, kKeyColour);
    ASSERT_TRUE(region);
    const DWORD bytes = ::GetRegionData(region.Get(), 0, nullptr);
    EXPECT_GT(bytes, sizeof(RGNDATAHEADER) + 2000 * sizeof(RECT));  // more than one batch
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = frame.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = row + 4 * x;
            const bool opaque = !(p[0] == 255 && p[1] <= 1 && p[2] == 255);
            if ((::PtInRegion(region.Get(), x + 3, y - 4) != 0) != opaque) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(SkinDrawing, LeavesNoGdiObjectBehindAndTheDcAsItWas) {
    TBitmap strip;
    MakeNineSliceStrip(strip);
    TBitmap holed;
    MakeHoled(holed);
    DibSection target(64, 32);
    TCanvas canvas;
    canvas.SetHandle(target.Dc());
    const HDC dc = target.Dc();
    const std::vector<std::pair<const char*, std::function<void()>>> routines{
        {"SliceImage", [&] { (void)SliceImage({0, 0, 40, 20}, strip, kMargins, FrameLayout::Horizontal, MiddleMode::Tile, 2, 1); }},
        {"DrawSliced", [&] { DrawSliced(dc, {1, 1, 41, 21}, strip, FrameLayout::Horizontal, MiddleMode::Stretch, Transparency::KeyColour, 2, 2, kMargins); }},
        {"DrawThreePart", [&] { DrawThreePart(canvas, {0, 0, 40, 10}, strip, FrameLayout::Vertical, Transparency::KeyColour, 2, 1, kMargins); }},
        {"DrawCell", [&] { DrawCell(dc, {0, 0, 20, 20}, strip, Transparency::KeyColour, 2, 1); }},
        {"DrawCellCentered", [&] { DrawCellCentered(dc, {0, 0, 20, 20}, strip, Transparency::Opaque, 2, 2); }},
        {"DrawStretchedStrip", [&] { DrawStretchedStrip(dc, {0, 0, 50, 10}, strip, FrameLayout::Horizontal, 2, 1, kMargins); }},
        {"TileImage", [&] { TileImage(canvas, {0, 0, 64, 32}, strip, {2, 3, 8, 9}); }},
        {"DrawMasked", [&] { DrawMasked(dc, {0, 0, 6, 4}, holed, kKeyColour); }},
        {"DrawMasked XOR", [&] { DrawMasked(dc, {0, 0, 6, 4}, holed, kKeyColour, MaskMethod::XorAndXor); }},
        {"DrawMasked MaskBlt", [&] { DrawMasked(dc, {0, 0, 6, 4}, holed, kKeyColour, MaskMethod::MaskedTransfer); }},
        {"RegionFromBitmap", [&] { (void)RegionFromBitmap(holed, 1, 1, 1, 1, 1, kKeyColour); }},
    };
    const DcState before = StateOf(dc);
    for (const auto& [name, call] : routines) {
        call();  // first use makes the bitmaps' own DCs, which they keep
        const int headroom = GdiHeadroom();
        for (int i = 0; i < 10000; ++i) call();
        EXPECT_EQ(GdiHeadroom(), headroom) << name;
        EXPECT_EQ(StateOf(dc), before) << name;
    }
    canvas.SetHandle(nullptr);
}
