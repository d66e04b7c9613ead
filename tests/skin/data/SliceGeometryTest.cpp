#include "skin/data/SliceGeometry.h"

#include <gtest/gtest.h>

// The pixel tests of SkinDrawTest cover the plans' geometry; these cover what pixels
// cannot show: refused frames, hostile margins and huge tile ranges.

TEST(FrameCell, LaysFramesOutAndRefusesMissingOnes) {
    EXPECT_EQ(FrameCell(96, 16, FrameLayout::Horizontal, 6, 3), (SkinRect{32, 0, 16, 16}));
    EXPECT_EQ(FrameCell(170, 58, FrameLayout::Vertical, 2, 2), (SkinRect{0, 29, 170, 29}));
    EXPECT_EQ(FrameCell(10, 4, FrameLayout::Horizontal, 3, 3), (SkinRect{6, 0, 3, 4}));  // never past the edge
    const int refused[][3] = {{0, 1, 1}, {96, 0, 1}, {96, -2, 1}, {96, 6, 7}, {96, 6, 0}, {4, 5, 1}};  // width, count, frame
    for (const auto& r : refused)
        EXPECT_FALSE(FrameCell(r[0], 16, FrameLayout::Horizontal, r[1], r[2])) << r[0] << " " << r[1] << " " << r[2];
}

TEST(NineSlice, HostileMarginsNeverReachOutsideTheCell) {
    const SkinRect cell{16, 0, 16, 16};
    for (const SliceMargins m : {SliceMargins{-5, -5, -5, -5}, SliceMargins{40, 40, 40, 40}, SliceMargins{10, 0, 10, 0}}) {
        const SlicePlan plan = NineSlice(cell, m, 100, 100, MiddleMode::Stretch);
        for (const SlicePiece& p : plan.Pieces()) {
            EXPECT_FALSE(p.source.Empty());
            EXPECT_GE(p.source.x, cell.x);
            EXPECT_LE(p.source.x + p.source.width, cell.x + cell.width);
            EXPECT_LE(p.source.y + p.source.height, cell.height);
        }
    }
    EXPECT_EQ(FitMargins({10, 0, 10, 0}, 16, 16), (SliceMargins{10, 0, 6, 0}));
    EXPECT_FALSE(ThreePart({0, 0, 10, 8}, {8, 0, 8, 0}, 30, 12).middleSource);  // no middle to repeat
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
