#include "skin/data/ColourMath.h"

#include <gtest/gtest.h>

#include <vector>

TEST(MixRgb, WeighsByPercentBelowOneHundredAndByThousandthsAbove) {
    EXPECT_EQ(MixRgb(clBlack, clWhite, 150), RgbColour(217, 217, 217));  // (255 * 850 + 500) div 1000
    EXPECT_EQ(MixRgb(clWhite, clBlack, 50), RgbColour(128, 128, 128));   // (255 * 50 + 50) div 100
    EXPECT_EQ(MixRgb(RgbColour(10, 20, 30), RgbColour(110, 220, 130), 0), RgbColour(110, 220, 130));
    EXPECT_EQ(MixRgb(RgbColour(10, 20, 30), RgbColour(110, 220, 130), 1000), RgbColour(10, 20, 30));
    // Channels stay apart: no carry from one into the next.
    EXPECT_EQ(MixRgb(RgbColour(255, 0, 255), RgbColour(0, 255, 0), 99), RgbColour(252, 3, 252));
}

TEST(RgbSaturation, ScalesToByteAndReportsDarkColoursAs200) {
    EXPECT_EQ(RgbSaturation(clRed), 255);
    EXPECT_EQ(RgbSaturation(RgbColour(128, 128, 128)), 200);
    EXPECT_EQ(RgbSaturation(clBlack), 200);
    EXPECT_EQ(RgbSaturation(clWhite), 0);
    EXPECT_EQ(RgbSaturation(RgbColour(200, 100, 150)), 128);  // 127.5: the tie goes to the even value
    EXPECT_EQ(RgbSaturation(RgbColour(160, 150, 150)), 16);   // 15.94
    EXPECT_EQ(RgbSaturation(RgbColour(159, 0, 0)), 200);
}

TEST(GradientEntry, SpreadsTheDifferenceWithRounding) {
    EXPECT_EQ(GradientEntry(0, 1, RgbColour(0, 0, 0), RgbColour(255, 0, 0)), RgbColour(127, 0, 0));
    std::vector<TColor> three;
    for (int i = 0; i < 3; ++i) three.push_back(GradientEntry(i, 3, RgbColour(0, 0, 0), RgbColour(10, 0, 0)));
    EXPECT_EQ(three, (std::vector<TColor>{RgbColour(0, 0, 0), RgbColour(5, 0, 0), RgbColour(10, 0, 0)}));
    // Falling channels truncate toward zero, so they stop one short of the end colour.
    EXPECT_EQ(GradientEntry(1, 4, RgbColour(0, 100, 9), RgbColour(0, 0, 0)), RgbColour(0, 67, 7));
    EXPECT_EQ(GradientEntry(3, 4, RgbColour(0, 100, 9), RgbColour(3, 0, 0)), RgbColour(3, 1, 1));
}

TEST(GradientCache, ReusesTablesAndOverwritesTheOldestSlot) {
    GradientCache cache;
    const auto first = cache.Table(10, clBlack, clWhite);
    ASSERT_EQ(first.size(), 10u);
    EXPECT_EQ(first.front(), clBlack);
    EXPECT_EQ(first.back(), clWhite);
    EXPECT_EQ(cache.Table(10, clBlack, clWhite).data(), first.data());  // the same table again
    EXPECT_EQ(cache.NextSlot(), 1);
    // Fifteen more different gradients fill the cache; the first is still there.
    for (int n = 2; n <= 16; ++n) cache.Table(n, clBlack, clRed);
    EXPECT_EQ(cache.NextSlot(), 0);
    EXPECT_EQ(cache.Table(10, clBlack, clWhite).data(), first.data());
    // The seventeenth different one takes the oldest slot: the first must be made again.
    const auto seventeenth = cache.Table(17, clBlack, clRed);
    EXPECT_EQ(seventeenth.size(), 17u);
    EXPECT_EQ(seventeenth.back(), clRed);
    EXPECT_EQ(cache.NextSlot(), 1);
    EXPECT_EQ(cache.Table(16, clBlack, clRed).size(), 16u);  // still cached
    EXPECT_EQ(cache.NextSlot(), 1);
    EXPECT_EQ(cache.Table(10, clBlack, clWhite).back(), clWhite);
    EXPECT_EQ(cache.NextSlot(), 2);
    // A single-entry gradient is found again too.
    const auto one = cache.Table(1, clBlack, clWhite);
    const int next = cache.NextSlot();
    EXPECT_EQ(cache.Table(1, clBlack, clWhite).data(), one.data());
    EXPECT_EQ(cache.NextSlot(), next);
}
