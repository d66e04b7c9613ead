#include "skin/data/SkinDraw.h"

#include "framework/win/DibSection.h"
#include "tests/skin/data/SkinTestPictures.h"
#include "tests/support/GdiHeadroom.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Two 10 x 10 frames cut with margins left 2, top 3, right 4, bottom 1; each of the nine
// pieces has its own colour, and frame 2 its own middle.
constexpr TColor kTopLeft = RgbColour(255, 0, 0), kTopRight = RgbColour(255, 128, 0);
constexpr TColor kBottomLeft = RgbColour(128, 0, 0), kBottomRight = RgbColour(255, 0, 128);
constexpr TColor kTop = RgbColour(0, 255, 0), kBottom = RgbColour(0, 128, 0);
constexpr TColor kLeft = RgbColour(0, 0, 255), kRight = RgbColour(0, 0, 128);
constexpr TColor kMiddle = RgbColour(255, 255, 0), kMiddle2 = RgbColour(0, 255, 255);
const SliceMargins kMargins{2, 3, 4, 1};

struct Area {
    RECT rect;
    TColor colour;
};
std::vector<Area> NinePieces(int x, int w, int h, TColor middle) {  // a cell of w x h at (x, 0)
    return {{{x, 0, x + 2, 3}, kTopLeft},           {{x + w - 4, 0, x + w, 3}, kTopRight},
            {{x, h - 1, x + 2, h}, kBottomLeft},    {{x + w - 4, h - 1, x + w, h}, kBottomRight},
            {{x + 2, 0, x + w - 4, 3}, kTop},       {{x + 2, h - 1, x + w - 4, h}, kBottom},
            {{x, 3, x + 2, h - 1}, kLeft},          {{x + w - 4, 3, x + w, h - 1}, kRight},
            {{x + 2, 3, x + w - 4, h - 1}, middle}};
}
void MakeNineSliceStrip(TBitmap& strip) {
    Prepare(strip, 20, 10, kMiddle);
    for (const int x : {0, 10})
        for (const Area& a : NinePieces(x, 10, 10, x ? kMiddle2 : kMiddle)) Paint(strip, a.rect, a.colour);
}

// One 12 x 4 frame: edge 2, a 7-pixel middle whose first column is marked, edge 3.
constexpr TColor kMark = RgbColour(200, 0, 200), kPlain = RgbColour(90, 90, 90), kEdge = RgbColour(0, 90, 0);
const SliceMargins kTileMargins{2, 0, 3, 0};
void MakeTileStrip(TBitmap& strip) {
    Prepare(strip, 12, 4, kPlain);
    Paint(strip, {0, 0, 2, 4}, kEdge);
    Paint(strip, {2, 0, 3, 4}, kMark);
    Paint(strip, {9, 0, 12, 4}, kEdge);
}
// Row y of `columns` pixels as letters: E edge, M mark, . plain, - sentinel.
template <class PixelAt>
std::string Letters(int columns, PixelAt at) {
    std::string out;
    for (int x = 0; x < columns; ++x) {
        const COLORREF c = at(x);
        out += c == Ref(kMark) ? 'M' : c == Ref(kPlain) ? '.' : c == Ref(kEdge) ? 'E' : c == kSentinel ? '-' : '?';
    }
    return out;
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
    for (const int frame : {1, 2}) {
        const auto slice = SliceImage({100, 100, 140, 120}, strip, kMargins, FrameLayout::Horizontal,
                                      MiddleMode::Stretch, 2, frame);
        ASSERT_TRUE(slice);
        EXPECT_EQ(slice->Width(), 40);
        for (const Area& a : NinePieces(0, 40, 20, frame == 1 ? kMiddle : kMiddle2))
            EXPECT_TRUE(AllPixels(*slice, a.rect, a.colour)) << frame << ": " << a.rect.left << "," << a.rect.top;
    }
    // Stacked frames: frame 2 is the lower half.
    TBitmap stacked;
    Prepare(stacked, 8, 8, kTop);
    Paint(stacked, {0, 4, 8, 8}, kLeft);
    const auto lower = SliceImage({0, 0, 30, 9}, stacked, {}, FrameLayout::Vertical, MiddleMode::Stretch, 2, 2);
    ASSERT_TRUE(lower);
    EXPECT_TRUE(AllPixels(*lower, {0, 0, 30, 9}, kLeft));
}

TEST(SliceImage, NarrowTargetDropsTheSideMargins) {
    TBitmap strip;
    MakeNineSliceStrip(strip);
    const auto slice = SliceImage({0, 0, 5, 20}, strip, kMargins, FrameLayout::Horizontal, MiddleMode::Stretch, 2, 1);
    ASSERT_TRUE(slice);
    // No corners: the top edge, squeezed from the whole cell width, runs across.
    EXPECT_EQ(slice->PixelColour(0, 0), kTopLeft);
    EXPECT_EQ(slice->PixelColour(1, 0), kTop);
    EXPECT_EQ(slice->PixelColour(4, 0), kTopRight);
    EXPECT_EQ(slice->PixelColour(1, 19), kBottom);
    EXPECT_EQ(slice->PixelColour(2, 10), kMiddle);
}

TEST(SliceImage, TiledMiddleStartsEachTileAtItsWidthAndTheRightEdgeCoversTheOverflow) {
    TBitmap strip;
    MakeTileStrip(strip);
    const auto slice = SliceImage({0, 0, 25, 4}, strip, kTileMargins, FrameLayout::Horizontal, MiddleMode::Tile, 1, 1);
    ASSERT_TRUE(slice);
    // Tiles at 0, 7 and 14 of the middle (x = 2, 9, 16); the third runs to 22, under the edge.
    EXPECT_EQ(Letters(25, [&](int x) { return Ref(slice->PixelColour(x, 2)); }), "EEM......M......M.....EEE");
}

TEST(DrawSliced, CopiesOpaqueOrLeavesTheKeyColourOut) {
    TBitmap strip;
    MakeNineSliceStrip(strip);
    Paint(strip, {0, 0, 2, 3}, kKeyColour);  // frame 1's top-left corner becomes transparent
    DibSection target(60, 40);
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawSliced(target.Dc(), {5, 6, 45, 26}, strip, FrameLayout::Horizontal, MiddleMode::Stretch,
                           Transparency::KeyColour, 2, 1, kMargins));
    EXPECT_TRUE(target.AllEqual({5, 6, 7, 9}, kSentinel));
    EXPECT_TRUE(target.AllEqual({7, 9, 41, 25}, Ref(kMiddle)));
    EXPECT_EQ(target.CountOther({0, 0, 60, 40}, kSentinel), 40 * 20 - 2 * 3);
    ASSERT_TRUE(DrawSliced(target.Dc(), {5, 6, 45, 26}, strip, FrameLayout::Horizontal, MiddleMode::Stretch,
                           Transparency::Opaque, 2, 1, kMargins));
    EXPECT_TRUE(target.AllEqual({5, 6, 7, 9}, Ref(kKeyColour)));
}

// Opaque, the picture is drawn where it goes: the same pixels as the picture made apart,
// tiles cut at the rectangle, nothing outside it, whatever the target's stretch mode.
TEST(DrawSliced, OpaqueDrawsThePictureMadeApartWithinItsRectangle) {
    TBitmap nine, tiles;
    MakeNineSliceStrip(nine);
    MakeTileStrip(tiles);
    struct Case {
        const TBitmap* image;
        SliceMargins margins;
        MiddleMode middle;
        int frames, frame;
        RECT rect;
    };
    const Case cases[] = {
        {&nine, kMargins, MiddleMode::Stretch, 2, 1, {5, 6, 45, 26}},
        {&nine, kMargins, MiddleMode::Tile, 2, 2, {3, 2, 50, 33}},
        {&nine, kMargins, MiddleMode::Stretch, 2, 1, {7, 4, 11, 6}},  // smaller than the margins
        {&nine, {6, 3, 6, 8}, MiddleMode::Stretch, 2, 1, {2, 2, 40, 30}},  // margins wider than the cell
        {&tiles, kTileMargins, MiddleMode::Tile, 1, 1, {1, 1, 26, 5}},
    };
    for (const Case& c : cases) {
        DibSection direct(60, 40), apart(60, 40);
        direct.Fill(kSentinel);
        apart.Fill(kSentinel);
        ::SetStretchBltMode(direct.Dc(), HALFTONE);
        ASSERT_TRUE(DrawSliced(direct.Dc(), c.rect, *c.image, FrameLayout::Horizontal, c.middle, Transparency::Opaque,
                               c.frames, c.frame, c.margins));
        EXPECT_EQ(::GetStretchBltMode(direct.Dc()), HALFTONE);
        const auto picture = SliceImage(c.rect, *c.image, c.margins, FrameLayout::Horizontal, c.middle, c.frames, c.frame);
        ASSERT_TRUE(picture);
        ::BitBlt(apart.Dc(), c.rect.left, c.rect.top, picture->Width(), picture->Height(), picture->Dc(), 0, 0, SRCCOPY);
        ::GdiFlush();
        int differ = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x) differ += (direct.Pixel(x, y) & 0xFFFFFF) != (apart.Pixel(x, y) & 0xFFFFFF);
        EXPECT_EQ(differ, 0) << c.rect.left << "," << c.rect.top;
        const RECT outside[] = {{0, 0, 60, c.rect.top}, {0, c.rect.bottom, 60, 40}, {0, 0, c.rect.left, 40},
                                {c.rect.right, 0, 60, 40}};
        for (const RECT& r : outside) EXPECT_TRUE(direct.AllEqual(r, kSentinel));
    }
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
    const auto draw = [&](const TBitmap& image, const RECT& r, int count, int frame) {
        return std::vector<bool>{
            SliceImage(r, image, kMargins, FrameLayout::Horizontal, MiddleMode::Tile, count, frame) != nullptr,
            DrawSliced(dc, r, image, FrameLayout::Horizontal, MiddleMode::Tile, Transparency::Opaque, count, frame, kMargins),
            DrawThreePart(canvas, r, image, FrameLayout::Horizontal, Transparency::Opaque, count, frame, kMargins),
            DrawCell(dc, r, image, Transparency::KeyColour, count, frame),
            DrawCellCentered(dc, r, image, Transparency::Opaque, count, frame),
            DrawStretchedStrip(dc, r, image, FrameLayout::Vertical, count, frame, kMargins)};
    };
    const RECT box{2, 2, 30, 20};
    const std::vector<bool> none(6, false);
    EXPECT_EQ(draw(empty, box, 1, 1), none);
    EXPECT_EQ(draw(strip, box, 0, 1), none);   // zero frame count
    EXPECT_EQ(draw(strip, box, -3, 1), none);
    EXPECT_EQ(draw(strip, box, 2, 3), none);   // beyond the count
    EXPECT_EQ(draw(strip, box, 2, 0), none);
    EXPECT_EQ(draw(strip, box, 40, 1), none);  // cells narrower than a pixel
    EXPECT_EQ(draw(strip, {0, 0, 70000, 20}, 2, 1), none);  // larger than any bitmap
    // Inverted: nothing to draw, which is no failure (SliceImage still has no picture to give).
    EXPECT_EQ(draw(strip, {30, 2, 2, 20}, 2, 1), (std::vector<bool>{false, true, true, true, true, true}));
    EXPECT_TRUE(DrawMasked(dc, {30, 2, 2, 20}, strip, kKeyColour));
    EXPECT_FALSE(DrawMasked(dc, box, empty, kKeyColour));
    EXPECT_TRUE(TileImage(canvas, box, strip, {5, 5, 2, 8}));     // negative source width
    EXPECT_TRUE(TileImage(canvas, box, strip, {5, 5, 5, 8}));     // empty source
    EXPECT_FALSE(TileImage(canvas, box, strip, {30, 0, 40, 8}));  // wholly outside the bitmap
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(target.AllEqual({0, 0, 40, 30}, kSentinel));
}

TEST(DrawThreePart, DrawsLeftRepeatedMiddleAndRightLastOpaqueOrTransparent) {
    TBitmap strip;
    MakeTileStrip(strip);
    DibSection target(40, 10);
    target.Fill(kSentinel);
    TCanvas canvas;
    canvas.SetHandle(target.Dc());
    ASSERT_TRUE(DrawThreePart(canvas, {3, 1, 28, 9}, strip, FrameLayout::Horizontal, Transparency::Opaque, 1, 1,
                              {2, 1, 3, 1}));  // top and bottom margins do not count
    EXPECT_EQ(Letters(30, [&](int x) { return target.Pixel(x, 5); }), "---EEM......M......M.....EEE--");
    for (int x = 3; x < 28; ++x) EXPECT_EQ(target.Pixel(x, 1), target.Pixel(x, 8)) << x;  // full height
    // Margins that fill the cell leave no middle; the call still ends, with both sides drawn.
    ASSERT_TRUE(DrawThreePart(canvas, {0, 0, 40, 10}, strip, FrameLayout::Horizontal, Transparency::Opaque, 1, 1,
                              {9, 0, 3, 0}));
    EXPECT_EQ(target.Pixel(2, 5), Ref(kMark));
    EXPECT_EQ(target.Pixel(37, 5), Ref(kEdge));

    Paint(strip, {3, 0, 9, 4}, kKeyColour);
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawThreePart(canvas, {0, 0, 25, 4}, strip, FrameLayout::Horizontal, Transparency::KeyColour, 1, 1,
                              kTileMargins));
    canvas.SetHandle(nullptr);
    EXPECT_EQ(Letters(25, [&](int x) { return target.Pixel(x, 0); }), "EEM------M------M-----EEE");
}

TEST(DrawCell, StretchesOrCentresOneFrame) {
    TBitmap strip;  // three 4 x 4 frames: red, green, blue with a magenta quarter
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

    // A 4-pixel frame in a 3-pixel box starts at the box's edge ((3 - 4) div 2 is 0) and
    // sticks out by one; in an 8-pixel box it sits 2 in.
    target.Fill(kSentinel);
    ASSERT_TRUE(DrawCellCentered(target.Dc(), {10, 10, 13, 13}, strip, Transparency::Opaque, 3, 2));
    EXPECT_TRUE(target.AllEqual({10, 10, 14, 14}, Ref(kTop)));
    ASSERT_TRUE(DrawCellCentered(target.Dc(), {20, 20, 28, 29}, strip, Transparency::Opaque, 3, 1));
    EXPECT_TRUE(target.AllEqual({22, 22, 26, 26}, Ref(kTopLeft)));
    EXPECT_EQ(target.CountOther({0, 0, 30, 30}, kSentinel), 2 * 16);
}

TEST(DrawStretchedStrip, DrawsThreePiecesOrTheWholeFrameAndRestoresTheStretchMode) {
    TBitmap strip;
    MakeTileStrip(strip);
    DibSection target(60, 10);
    target.Fill(kSentinel);
    ::SetStretchBltMode(target.Dc(), HALFTONE);
    ASSERT_TRUE(DrawStretchedStrip(target.Dc(), {10, 2, 50, 8}, strip, FrameLayout::Horizontal, 1, 1, kTileMargins));
    EXPECT_EQ(::GetStretchBltMode(target.Dc()), HALFTONE);
    EXPECT_TRUE(target.AllEqual({10, 2, 12, 8}, Ref(kEdge)));
    EXPECT_TRUE(target.AllEqual({47, 2, 50, 8}, Ref(kEdge)));
    EXPECT_EQ(target.Pixel(12, 5), Ref(kMark));
    EXPECT_EQ(target.Pixel(46, 5), Ref(kPlain));
    EXPECT_EQ(target.CountOther({0, 0, 60, 10}, kSentinel), 40 * 6);
    target.Fill(kSentinel);  // narrower than the frame: the whole frame squeezed in
    ASSERT_TRUE(DrawStretchedStrip(target.Dc(), {0, 0, 6, 4}, strip, FrameLayout::Horizontal, 1, 1, kTileMargins));
    EXPECT_EQ(target.Pixel(0, 0), Ref(kEdge));
    EXPECT_EQ(target.Pixel(5, 0), Ref(kEdge));
    EXPECT_EQ(target.CountOther({0, 0, 60, 10}, kSentinel), 6 * 4);
}

TEST(TileImage, RepeatsTheSourceDrawingTheLastTilesWhole) {
    TBitmap image;
    MakeTileStrip(image);
    DibSection target(40, 20);
    target.Fill(kSentinel);
    TCanvas canvas;
    canvas.SetHandle(target.Dc());
    ASSERT_TRUE(TileImage(canvas, {1, 1, 16, 8}, image, {2, 0, 9, 3}));  // 7 x 3 tiles at x 1, 8, 15
    EXPECT_EQ(Letters(24, [&](int x) { return target.Pixel(x, 9); }), "-M......M......M......--");
    EXPECT_EQ(target.CountOther({0, 0, 40, 20}, kSentinel), 21 * 9);
    // A huge area costs only the visible tiles.
    ASSERT_TRUE(TileImage(canvas, {-2000000000, -2000000000, 2000000000, 2000000000}, image, {2, 0, 3, 1}));
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(target.AllEqual({0, 0, 40, 20}, Ref(kMark)));
    // Into the bitmap it reads from.
    ASSERT_TRUE(TileImage(image.Canvas(), {0, 0, 12, 4}, image, {2, 0, 4, 4}));
    EXPECT_EQ(Letters(12, [&](int x) { return Ref(image.PixelColour(x, 1)); }), "M.M.M.M.M.M.");
}

TEST(DrawMasked, LeavesExactlyTheKeyPixelsOutWithEveryMethodAndFormat) {
    // 24 and 32 bits are masked from the pixels, palette pictures through GDI.
    for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pf8bit})
        for (const MaskMethod method :
             {MaskMethod::ForPlatform, MaskMethod::MaskedTransfer, MaskMethod::XorAndXor, MaskMethod::Composed}) {
            TBitmap image;
            MakeHoled(image);
            image.Canvas().SetPixel(0, 0, RgbColour(255, 1, 255));  // near the key is not the key
            image.SetPixelFormat(format);
            DibSection target(20, 20);
            target.Fill(kSentinel);
            const DcState before = StateOf(target.Dc());
            const COLORREF imageBack = ::GetBkColor(image.Dc());
            // A rectangle larger than the picture: nothing beyond the picture is touched.
            ASSERT_TRUE(DrawMasked(target.Dc(), {3, 4, 19, 19}, image, kKeyColour, method));
            int shown = 0;
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 6; ++x) {
                    const TColor c = image.PixelColour(x, y);
                    shown += c != kKeyColour;
                    EXPECT_EQ(target.Pixel(3 + x, 4 + y), c == kKeyColour ? kSentinel : Ref(c)) << x << "," << y;
                }
            EXPECT_GE(shown, 6 * 4 - 5);
            EXPECT_EQ(target.CountOther({0, 0, 20, 20}, kSentinel), shown);
            EXPECT_EQ(StateOf(target.Dc()), before);
            EXPECT_EQ(::GetBkColor(image.Dc()), imageBack);
        }
}

TEST(RegionFromBitmap, CutsAwayTheKeyColourWithinTheTolerance) {
    RECT box{};
    TBitmap allKey;
    Prepare(allKey, 30, 20, kKeyColour);
    Paint(allKey, {0, 0, 30, 2}, RgbColour(255, 1, 255));  // within tolerance 1
    const RegionHandle none = RegionFromBitmap(allKey, 0, 0, 1, 1, 1, kKeyColour);
    ASSERT_TRUE(none);
    EXPECT_EQ(::GetRgnBox(none.Get(), &box), NULLREGION);
    EXPECT_EQ(allKey.BitsPerPixel(), 32);  // converted in place

    TBitmap dot;
    Prepare(dot, 1, 1, kInk);
    const RegionHandle single = RegionFromBitmap(dot, 5, 7, 1, 1, 1, kKeyColour);
    ASSERT_TRUE(single);
    EXPECT_EQ(::GetRgnBox(single.Get(), &box), SIMPLEREGION);
    EXPECT_EQ(std::vector<LONG>({box.left, box.top, box.right, box.bottom}), std::vector<LONG>({5, 7, 6, 8}));

    TBitmap empty;
    const RegionHandle fromEmpty = RegionFromBitmap(empty, 0, 0, 1, 1, 1, kKeyColour);
    ASSERT_TRUE(fromEmpty);
    EXPECT_EQ(::GetRgnBox(fromEmpty.Get(), &box), NULLREGION);
}

TEST(RegionFromBitmap, MatchesAPerPixelReferenceOnALargeFrame) {
    // Rounded corners, a hollow client area and slanted stripes of holes that differ on
    // every row: thousands of runs, so several batches of rectangles go into the region.
    const int w = 1024, h = 768;
    TBitmap frame(w, h, TPixelFormat::pf24bit);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = frame.ScanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            const int cx = std::min(x, w - 1 - x), cy = std::min(y, h - 1 - y);
            const bool key = (cx < 8 && cy < 8 && (8 - cx) * (8 - cx) + (8 - cy) * (8 - cy) > 64) ||
                             (cx >= 100 && cy >= 100) || ((x + 3 * y) / 37) % 3 == 0;
            p[0] = key ? 255 : static_cast<uint8_t>(x);
            p[1] = key ? static_cast<uint8_t>(y % 2) : 128;  // green 1 still counts as key
            p[2] = key ? 255 : static_cast<uint8_t>(y);
        }
    }
    const RegionHandle region = RegionFromBitmap(frame, 3, -4, 1, 1, 1, kKeyColour);
    ASSERT_TRUE(region);
    EXPECT_GT(::GetRegionData(region.Get(), 0, nullptr), sizeof(RGNDATAHEADER) + 2000 * sizeof(RECT));
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        const uint8_t* p = frame.ScanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
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
    const auto masked = [&](MaskMethod method) { DrawMasked(dc, {0, 0, 6, 4}, holed, kKeyColour, method); };
    const std::vector<std::pair<const char*, std::function<void()>>> routines{
        {"SliceImage", [&] { (void)SliceImage({0, 0, 40, 20}, strip, kMargins, FrameLayout::Horizontal, MiddleMode::Tile, 2, 1); }},
        {"DrawSliced", [&] { DrawSliced(dc, {1, 1, 41, 21}, strip, FrameLayout::Horizontal, MiddleMode::Stretch, Transparency::KeyColour, 2, 2, kMargins); }},
        {"DrawSliced opaque", [&] { DrawSliced(dc, {1, 1, 41, 21}, strip, FrameLayout::Horizontal, MiddleMode::Tile, Transparency::Opaque, 2, 1, kMargins); }},
        {"DrawThreePart", [&] { DrawThreePart(canvas, {0, 0, 40, 10}, strip, FrameLayout::Vertical, Transparency::KeyColour, 2, 1, kMargins); }},
        {"DrawCell", [&] { DrawCell(dc, {0, 0, 20, 20}, strip, Transparency::KeyColour, 2, 1); }},
        {"DrawCellCentered", [&] { DrawCellCentered(dc, {0, 0, 20, 20}, strip, Transparency::Opaque, 2, 2); }},
        {"DrawStretchedStrip", [&] { DrawStretchedStrip(dc, {0, 0, 50, 10}, strip, FrameLayout::Horizontal, 2, 1, kMargins); }},
        {"TileImage", [&] { TileImage(canvas, {0, 0, 64, 32}, strip, {2, 3, 8, 9}); }},
        {"DrawMasked MaskBlt", [&] { masked(MaskMethod::MaskedTransfer); }},
        {"DrawMasked XOR", [&] { masked(MaskMethod::XorAndXor); }},
        {"DrawMasked composed", [&] { masked(MaskMethod::Composed); }},
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
