#include "skin/data/MaskRuns.h"

#include <gtest/gtest.h>

#include <vector>

// RegionFromBitmap's tests check the regions; these check the tolerance rule and the
// batching, which a region does not show.

namespace {

constexpr uint32_t kKey = Bgra(255, 0, 255);
constexpr uint32_t kInk = Bgra(10, 20, 30);
const KeyColourTest kMagentaWithin1(RgbColour(255, 0, 255), 1, 1, 1);

}  // namespace

TEST(KeyColourTest, AcceptsEachChannelFromTheKeyUpToTheTolerance) {
    EXPECT_TRUE(kMagentaWithin1.Transparent(Bgra(255, 1, 255, 0)));  // alpha does not count
    EXPECT_FALSE(kMagentaWithin1.Transparent(Bgra(255, 2, 255)));
    EXPECT_FALSE(kMagentaWithin1.Transparent(Bgra(254, 0, 255)));     // below the key
    const KeyColourTest wide(RgbColour(250, 0, 0), 255, 3, 1000);     // red and blue capped at 255
    EXPECT_TRUE(wide.Transparent(Bgra(255, 3, 255)));
    EXPECT_FALSE(wide.Transparent(Bgra(255, 4, 255)));
    EXPECT_FALSE(KeyColourTest(RgbColour(255, 0, 255), -1, 0, 0).Transparent(kKey));
}

TEST(CollectOpaqueRuns, SendsFullBatchesWithTheirBoundsAndStopsWhenTheSinkFails) {
    // Five runs a row, three rows: 15 rectangles in batches of 4.
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 30; ++i) pixels.push_back(i % 2 ? kKey : kInk);
    std::vector<size_t> sizes;
    std::vector<RunRect> bounds;
    const auto keep = [&](std::span<const RunRect> rects, const RunRect& box) {
        sizes.push_back(rects.size());
        bounds.push_back(box);
        return true;
    };
    ASSERT_TRUE(CollectOpaqueRuns(PixelView::Packed(pixels, 10, 3), kMagentaWithin1, -3, 0, 4, keep));
    EXPECT_EQ(sizes, (std::vector<size_t>{4, 4, 4, 3}));
    EXPECT_EQ(bounds[0], (RunRect{-3, 0, 4, 1}));  // runs 1 to 4 of row 0, moved left
    EXPECT_EQ(bounds[1], (RunRect{-3, 0, 6, 2}));  // the last of row 0 and three of row 1
    EXPECT_EQ(bounds[3], (RunRect{1, 2, 6, 3}));

    sizes.clear();  // a full last batch is not followed by an empty one; no ink gives one empty batch
    ASSERT_TRUE(CollectOpaqueRuns(PixelView::Packed(pixels, 2, 2), kMagentaWithin1, 0, 0, 2, keep));
    std::vector<uint32_t> keyOnly(4, kKey);
    ASSERT_TRUE(CollectOpaqueRuns(PixelView::Packed(keyOnly, 2, 2), kMagentaWithin1, 0, 0, 2, keep));
    EXPECT_EQ(sizes, (std::vector<size_t>{2, 0}));

    int calls = 0;
    EXPECT_FALSE(CollectOpaqueRuns(PixelView::Packed(pixels, 1, 6), kMagentaWithin1, 0, 0, 2,
                                   [&](std::span<const RunRect>, const RunRect&) { return ++calls > 1; }));
    EXPECT_EQ(calls, 1);
}
