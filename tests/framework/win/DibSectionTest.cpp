#include "framework/win/DibSection.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(DibSection, GdiDrawingLandsInTheTopDownPixels) {
    DibSection dib(40, 30);
    dib.Fill(RGB(1, 2, 3));
    BrushHandle red{::CreateSolidBrush(RGB(255, 0, 0))};
    const RECT box{5, 5, 10, 8};
    ::FillRect(dib.Dc(), &box, red.Get());
    EXPECT_TRUE(dib.AllEqual(box, RGB(255, 0, 0)));
    EXPECT_EQ(dib.CountOther({0, 0, 40, 30}, RGB(1, 2, 3)), 5 * 3);
    EXPECT_EQ(dib.Pixel(5, 5), RGB(255, 0, 0));                    // row 5 from the top
    EXPECT_EQ(dib.View().At(9, 7) & 0xFFFFFF, Bgra(255, 0, 0, 0));  // BGRA in memory
    EXPECT_EQ(dib.Pixel(40, 0), CLR_INVALID);
}

TEST(DibSection, GrowsOnlyWhenTheNewSizeDoesNotFit) {
    DibSection dib(100, 50);
    const HBITMAP first = dib.Bitmap();
    ASSERT_TRUE(dib.EnsureSize(60, 20));
    EXPECT_EQ(dib.Bitmap(), first);
    EXPECT_EQ(dib.View().width, 60);
    EXPECT_EQ(dib.View().stride, 100);
    ASSERT_TRUE(dib.EnsureSize(120, 20));
    EXPECT_NE(dib.Bitmap(), nullptr);
    EXPECT_EQ(dib.View().stride, 120);
    EXPECT_EQ(::GetCurrentObject(dib.Dc(), OBJ_BITMAP), dib.Bitmap());
}
