#include "skin/data/SliceGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<SlicePiece> PiecesOf(const SlicePlan& plan) { return {plan.Pieces().begin(), plan.Pieces().end()}; }

}  // namespace

TEST(FrameCell, LaysFramesSideBySideOrStackedAndRefusesMissingOnes) {
    // A 96 x 16 strip of 6 frames: frame 3 starts at x = 32.
    EXPECT_EQ(FrameCell(96, 16, FrameLayout::Horizontal, 6, 3), (SkinRect{32, 0, 16, 16}));
    // A caption strip of 2 stacked frames: the inactive look is the lower half.
    EXPECT_EQ(FrameCell(170, 58, FrameLayout::Vertical, 2, 2), (SkinRect{0, 29, 170, 29}));
    // Width not a multiple of the count: the cells are cut short, never past the bitmap.
    EXPECT_EQ(FrameCell(10, 4, FrameLayout::Horizontal, 3, 3), (SkinRect{6, 0, 3, 4}));

    EXPECT_FALSE(FrameCell(0, 16, FrameLayout::Horizontal, 1, 1));   // empty image
    EXPECT_FALSE(FrameCell(96, 16, FrameLayout::Horizontal, 0, 1));  // zero frame count
    EXPECT_FALSE(FrameCell(96, 16, FrameLayout::Horizontal, -2, 1));
    EXPECT_FALSE(FrameCell(96, 16, FrameLayout::Horizontal, 6, 7));  // beyond the count
    EXPECT_FALSE(FrameCell(96, 16, FrameLayout::Horizontal, 6, 0));
    EXPECT_FALSE(FrameCell(4, 16, FrameLayout::Horizontal, 5, 1));   // cells of no width
}

TEST(NineSlice, CutsCornersEdgesAndMiddleInDrawingOrder) {
    const SkinRect cell{20, 0, 10, 10};
    const auto pieces = PiecesOf(NineSlice(cell, {2, 3, 4, 1}, 40, 20, MiddleMode::Tile));
    const std::vector<SlicePiece> expected{
        {{20, 0, 2, 3}, {0, 0, 2, 3}, MiddleMode::Stretch},      // top-left
        {{20, 9, 2, 1}, {0, 19, 2, 1}, MiddleMode::Stretch},     // bottom-left
        {{26, 0, 4, 3}, {36, 0, 4, 3}, MiddleMode::Stretch},     // top-right
        {{20, 3, 2, 6}, {0, 3, 2, 16}, MiddleMode::Stretch},     // left
        {{22, 0, 4, 3}, {2, 0, 34, 3}, MiddleMode::Stretch},     // top
        {{22, 3, 4, 6}, {2, 3, 34, 16}, MiddleMode::Tile},       // middle
        {{26, 9, 4, 1}, {36, 19, 4, 1}, MiddleMode::Stretch},    // bottom-right
        {{26, 3, 4, 6}, {36, 3, 4, 16}, MiddleMode::Stretch},    // right
        {{22, 9, 4, 1}, {2, 19, 34, 1}, MiddleMode::Stretch},    // bottom
    };
    EXPECT_EQ(pieces, expected);
}

TEST(NineSlice, NarrowOrLowTargetsDropTheirMargins) {
    const SkinRect cell{0, 0, 12, 12};
    // Narrower than left + right: no corners, the top and bottom edges span the full width.
    const auto narrow = PiecesOf(NineSlice(cell, {4, 3, 4, 3}, 7, 20, MiddleMode::Stretch));
    const std::vector<SlicePiece> expected{
        {{0, 0, 12, 3}, {0, 0, 7, 3}, MiddleMode::Stretch},
        {{0, 3, 12, 6}, {0, 3, 7, 14}, MiddleMode::Stretch},
        {{0, 9, 12, 3}, {0, 17, 7, 3}, MiddleMode::Stretch},
    };
    EXPECT_EQ(narrow, expected);
    // Both directions too small: the whole cell stretched once.
    const auto tiny = PiecesOf(NineSlice(cell, {4, 3, 4, 3}, 5, 5, MiddleMode::Stretch));
    ASSERT_EQ(tiny.size(), 1u);
    EXPECT_EQ(tiny[0].source, cell);
    EXPECT_EQ(tiny[0].target, (SkinRect{0, 0, 5, 5}));
}

TEST(NineSlice, HostileMarginsNeverReachOutsideTheCell) {
    const SkinRect cell{16, 0, 16, 16};
    for (const SliceMargins m : {SliceMargins{-5, -5, -5, -5}, SliceMargins{40, 40, 40, 40}, SliceMargins{10, 0, 10, 0}}) {
        const SlicePlan plan = NineSlice(cell, m, 100, 100, MiddleMode::Stretch);
        for (const SlicePiece& p : plan.Pieces()) {
            EXPECT_GT(p.source.width, 0);
            EXPECT_GT(p.source.height, 0);
            EXPECT_GE(p.source.x, cell.x);
            EXPECT_LE(p.source.x + p.source.width, cell.x + cell.width);
            EXPECT_LE(p.source.y + p.source.height, cell.height);
            EXPECT_GE(p.target.width, 0);
        }
    }
    EXPECT_EQ(FitMargins({10, 0, 10, 0}, 16, 16), (SliceMargins{10, 0, 6, 0}));
    EXPECT_TRUE(PiecesOf(NineSlice(cell, {}, 0, 10, MiddleMode::Stretch)).empty());
}

TEST(ThreePart, RepeatsTheMiddleOnlyWhenItHasWidth) {
    const ThreePartPlan plan = ThreePart({0, 8, 10, 8}, {3, 1, 2, 1}, 30, 12);
    EXPECT_EQ(plan.left.target, (SkinRect{0, 0, 3, 12}));
    EXPECT_EQ(plan.right.source, (SkinRect{8, 8, 2, 8}));
    EXPECT_EQ(plan.right.target, (SkinRect{28, 0, 2, 12}));
    ASSERT_TRUE(plan.middleSource);
    EXPECT_EQ(*plan.middleSource, (SkinRect{3, 8, 5, 8}));
    EXPECT_EQ(plan.middleFrom, 3);
    EXPECT_EQ(plan.middleTo, 28);
    // Margins filling the whole cell leave no middle to repeat.
    EXPECT_FALSE(ThreePart({0, 0, 10, 8}, {6, 0, 4, 0}, 30, 12).middleSource);
    EXPECT_FALSE(ThreePart({0, 0, 10, 8}, {8, 0, 8, 0}, 30, 12).middleSource);
}

TEST(StretchedStrip, StretchesTheWholeCellIntoANarrowerArea) {
    const SkinRect cell{0, 0, 20, 6};
    const auto wide = PiecesOf(StretchedStrip(cell, {4, 0, 5, 0}, {10, 2, 50, 8}));
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(wide[0].target, (SkinRect{10, 2, 4, 8}));
    EXPECT_EQ(wide[1].source, (SkinRect{4, 0, 11, 6}));
    EXPECT_EQ(wide[1].target, (SkinRect{14, 2, 41, 8}));
    EXPECT_EQ(wide[2].target, (SkinRect{55, 2, 5, 8}));
    const auto narrow = PiecesOf(StretchedStrip(cell, {4, 0, 5, 0}, {0, 0, 19, 8}));
    ASSERT_EQ(narrow.size(), 1u);
    EXPECT_EQ(narrow[0].source, cell);
}

TEST(CentredIn, OffsetsTruncateTowardZero) {
    EXPECT_EQ(CentredIn({10, 20, 15, 15}, 16, 16), (SkinRect{10, 20, 16, 16}));  // -1 div 2 is 0
    EXPECT_EQ(CentredIn({10, 20, 12, 12}, 16, 16), (SkinRect{8, 18, 16, 16}));   // -4 div 2 is -2
    EXPECT_EQ(CentredIn({0, 0, 21, 20}, 16, 16), (SkinRect{2, 2, 16, 16}));
}

TEST(VisibleTiles, SkipsTilesOutsideTheVisiblePart) {
    const TileRun all = VisibleTiles(0, 20, 7, -100, 100);  // tiles at 0, 7 and 14
    EXPECT_EQ(all.first, 0);
    EXPECT_EQ(all.count, 3);
    const TileRun part = VisibleTiles(0, 1000000, 7, 698, 720);  // 698 lies in the tile at 693
    EXPECT_EQ(part.first, 99);
    EXPECT_EQ(part.count, 4);
    EXPECT_EQ(VisibleTiles(0, 20, 0, 0, 20).count, 0);
    EXPECT_EQ(VisibleTiles(0, 20, 7, 30, 40).count, 0);
    EXPECT_EQ(VisibleTiles(-2147483647, 2147483647, 1, 0, 3).count, 3);
}
