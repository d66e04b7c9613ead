#include "skin/data/ColourMath.h"

#include <gtest/gtest.h>

TEST(MixRgb, WeighsByPercentBelowOneHundredAndByThousandthsAbove) {
    EXPECT_EQ(MixRgb(clBlack, clWhite, 150), RgbColour(217, 217, 217));  // (255 * 850 + 500) div 1000
    EXPECT_EQ(MixRgb(clWhite, clBlack, 50), RgbColour(128, 128, 128));   // (255 * 50 + 50) div 100
    EXPECT_EQ(MixRgb(RgbColour(255, 0, 255), RgbColour(0, 255, 0), 99), RgbColour(252, 3, 252));  // no carries
}

TEST(RgbSaturation, ScalesToByteAndReportsDarkColoursAs200) {
    EXPECT_EQ(RgbSaturation(clRed), 255);
    EXPECT_EQ(RgbSaturation(RgbColour(128, 128, 128)), 200);
    EXPECT_EQ(RgbSaturation(clWhite), 0);
    EXPECT_EQ(RgbSaturation(RgbColour(200, 100, 150)), 128);  // 127.5: the tie goes to the even value
    EXPECT_EQ(RgbSaturation(RgbColour(160, 150, 150)), 16);   // 15.94
}

TEST(GradientEntry, SpreadsTheDifferenceWithRounding) {
    EXPECT_EQ(GradientEntry(0, 1, clBlack, RgbColour(255, 0, 0)), RgbColour(127, 0, 0));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(GradientEntry(i, 3, clBlack, RgbColour(10, 0, 0)), RgbColour(5 * i, 0, 0));
    // Falling channels truncate toward zero, so they stop one short of the end colour.
    EXPECT_EQ(GradientEntry(3, 4, RgbColour(0, 100, 9), RgbColour(3, 0, 0)), RgbColour(3, 1, 1));
}

TEST(GradientCache, ReusesTablesAndOverwritesTheOldestSlot) {
    GradientCache cache;
    const auto first = cache.Table(10, clBlack, clWhite);
    ASSERT_EQ(first.size(), 10u);
    EXPECT_EQ(first.back(), clWhite);
    for (int n = 2; n <= 16; ++n) cache.Table(n, clBlack, clRed);  // fifteen more fill the cache
    EXPECT_EQ(cache.Table(10, clBlack, clWhite).data(), first.data());
    EXPECT_EQ(cache.NextSlot(), 0);
    cache.Table(17, clBlack, clRed);  // the seventeenth takes the oldest slot
    EXPECT_EQ(cache.NextSlot(), 1);
    cache.Table(16, clBlack, clRed);  // still cached
    EXPECT_EQ(cache.NextSlot(), 1);
    EXPECT_EQ(cache.Table(10, clBlack, clWhite).back(), clWhite);  // made again
    EXPECT_EQ(cache.NextSlot(), 2);
    const auto one = cache.Table(1, clBlack, clWhite);  // single entries are found again too
    EXPECT_EQ(cache.Table(1, clBlack, clWhite).data(), one.data());
    EXPECT_EQ(cache.NextSlot(), 3);
}
