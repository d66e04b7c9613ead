#include "skin/data/MaskRuns.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kKey = Bgra(255, 0, 255);
constexpr uint32_t kInk = Bgra(10, 20, 30);
const KeyColourTest kMagentaWithin1(RgbColour(255, 0, 255), 1, 1, 1);

struct Collected {
    std::vector<std::vector<RunRect>> batches;
    std::vector<RunRect> bounds;
};

Collected Collect(const PixelView& view, int offsetX, int offsetY, size_t batchSize) {
    Collected out;
    const bool ok = CollectOpaqueRuns(view, kMagentaWithin1, offsetX, offsetY, batchSize,
                                      [&](std::span<const RunRect> rects, const RunRect& bounds) {
                                          out.batches.emplace_back(rects.begin(), rects.end());
                                          out.bounds.push_back(bounds);
                                          return true;
                                      });
    EXPECT_TRUE(ok);
    return out;
}

}  // namespace

TEST(KeyColourTest, AcceptsEachChannelFromTheKeyUpToTheTolerance) {
    EXPECT_TRUE(kMagentaWithin1.Transparent(kKey));
    EXPECT_TRUE(kMagentaWithin1.Transparent(Bgra(255, 1, 255)));
    EXPECT_TRUE(kMagentaWithin1.Transparent(Bgra(255, 0, 255, 0)));  // alpha does not count
    EXPECT_FALSE(kMagentaWithin1.Transparent(Bgra(255, 2, 255)));
    EXPECT_FALSE(kMagentaWithin1.Transparent(Bgra(254, 0, 255)));   // below the key
    const KeyColourTest wide(RgbColour(250, 0, 0), 255, 3, 1000);   // red and blue capped at 255
    EXPECT_TRUE(wide.Transparent(Bgra(255, 3, 255)));
    EXPECT_FALSE(wide.Transparent(Bgra(255, 4, 255)));
    const KeyColourTest none(RgbColour(255, 0, 255), -1, 0, 0);
    EXPECT_FALSE(none.Transparent(kKey));
}

TEST(CollectOpaqueRuns, GivesOneRectanglePerRunMovedByTheOffsets) {
    // Row 0: ink at 1..2 and 4; row 1: all key; row 2: ink throughout.
    std::vector<uint32_t> pixels{kKey, kInk, kInk, kKey, kInk, kKey, kKey, kKey, kKey, kKey,
                                 kInk, kInk, kInk, kInk, kInk};
    const auto out = Collect(PixelView::Packed(pixels, 5, 3), 5, 7, 2000);
    ASSERT_EQ(out.batches.size(), 1u);
    EXPECT_EQ(out.batches[0], (std::vector<RunRect>{{6, 7, 8, 8}, {9, 7, 10, 8}, {5, 9, 10, 10}}));
    EXPECT_EQ(out.bounds[0], (RunRect{5, 7, 10, 10}));

    std::vector<uint32_t> one{kInk};
    EXPECT_EQ(Collect(PixelView::Packed(one, 1, 1), 5, 7, 2000).batches[0], (std::vector<RunRect>{{5, 7, 6, 8}}));
}

TEST(CollectOpaqueRuns, AllKeyGivesOneEmptyBatch) {
    std::vector<uint32_t> pixels(12, kKey);
    const auto out = Collect(PixelView::Packed(pixels, 4, 3), 0, 0, 2000);
    ASSERT_EQ(out.batches.size(), 1u);
    EXPECT_TRUE(out.batches[0].empty());
    EXPECT_EQ(Collect(PixelView{}, 0, 0, 2000).batches.size(), 1u);
}

TEST(CollectOpaqueRuns, SendsFullBatchesWithTheirOwnBounds) {
    // A checkerboard row of 5 runs, 3 rows: 15 rectangles in batches of 4.
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 10; ++x) pixels.push_back(x % 2 ? kKey : kInk);
    const auto out = Collect(PixelView::Packed(pixels, 10, 3), -3, 0, 4);
    ASSERT_EQ(out.batches.size(), 4u);
    EXPECT_EQ(out.batches[3].size(), 3u);
    EXPECT_EQ(out.bounds[0], (RunRect{-3, 0, 4, 1}));   // runs 0..3 of row 0, moved left
    EXPECT_EQ(out.bounds[1], (RunRect{-3, 0, 6, 2}));   // the last of row 0 and three of row 1
    EXPECT_EQ(out.bounds[3], (RunRect{1, 2, 6, 3}));

    // A full last batch is not followed by an empty one.
    std::vector<uint32_t> four{kInk, kKey, kInk, kKey};
    EXPECT_EQ(Collect(PixelView::Packed(four, 2, 2), 0, 0, 2).batches.size(), 1u);
}

TEST(CollectOpaqueRuns, StopsWhenTheSinkFails) {
    std::vector<uint32_t> pixels(6, kInk);
    int calls = 0;
    EXPECT_FALSE(CollectOpaqueRuns(PixelView::Packed(pixels, 1, 6), kMagentaWithin1, 0, 0, 2,
                                   [&](std::span<const RunRect>, const RunRect&) { return ++calls > 1 ? true : false; }));
    EXPECT_EQ(calls, 1);
}
