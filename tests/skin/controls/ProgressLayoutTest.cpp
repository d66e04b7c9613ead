#include "skin/controls/ProgressLayout.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ProgressLayout, FilledPartFollowsPositionAndMaximum) {
    EXPECT_EQ(ProgressFilled(100, 0, 100), 0);
    EXPECT_EQ(ProgressFilled(100, 50, 0), 0);   // no range at all: nothing, not a division by zero
    EXPECT_EQ(ProgressFilled(100, -5, 100), 0);
    EXPECT_EQ(ProgressFilled(100, 5, -100), 0);
    EXPECT_EQ(ProgressFilled(100, 100, 100), 100);
    EXPECT_EQ(ProgressFilled(101, 1, 2), 51);   // 50.5 rounds up, as MulDiv does
    EXPECT_EQ(ProgressFilled(100, 1, 3), 33);
    EXPECT_EQ(ProgressFilled(100, 250, 100), 100);  // never past the bar
    EXPECT_EQ(ProgressFilled(0, 5, 10), 0);
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_EQ(ProgressFilled(30000, kMax, kMax), 30000);  // no overflow on the way
    EXPECT_EQ(ProgressFilled(30000, kMax / 2, kMax), 15000);
}

TEST(ProgressLayout, AVerticalBarIsComposedOnItsSide) {
    EXPECT_EQ(ProgressPicture({120, 16}, false), (core::Size{120, 16}));
    EXPECT_EQ(ProgressPicture({16, 120}, true), (core::Size{120, 16}));
}

TEST(ProgressLayout, TiledChunksCoverTheFilledPartWithOneToSpare) {
    const ChunkRun run = TiledChunks(25, 16, {8, 10}, 3);
    EXPECT_EQ(run.origin, (core::Point{5, 3}));
    EXPECT_EQ(run.step, 8);
    EXPECT_EQ(run.count, 4);  // 25 / 8 + 1
    EXPECT_EQ(TiledChunks(24, 16, {8, 10}, 0).count, 4);
    EXPECT_EQ(TiledChunks(1, 16, {8, 10}, 0).count, 1);
    EXPECT_EQ(TiledChunks(0, 16, {8, 10}, 0).count, 0);  // nothing filled: not even one chunk
    EXPECT_EQ(TiledChunks(20, 16, {0, 10}, 0).count, 0);
    EXPECT_EQ(TiledChunks(20, 6, {8, 10}, 0).origin.y, -2);  // a taller chunk is centred all the same
}

TEST(ProgressLayout, AStretchedChunkStaysInsideATwoPixelBorder) {
    EXPECT_EQ(StretchedChunk(40, 16), (core::Rect{2, 2, 42, 14}));
    EXPECT_TRUE(StretchedChunk(0, 16).IsEmpty());
    EXPECT_TRUE(StretchedChunk(40, 4).IsEmpty());
}

}  // namespace
