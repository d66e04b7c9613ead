#include "framework/graphics/Graphics.h"

#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/graphics/IconFile.h"
#include "framework/win/DibSection.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);

// A 32 x 32 icon: opaque red square in the middle, the rest transparent.
std::vector<std::byte> RedSquareIcon() {
    std::vector<uint32_t> colour(32 * 32, 0);
    std::vector<uint8_t> mask(4 * 32, 0xFF);
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x) {
            colour[static_cast<size_t>(y) * 32 + x] = 0xFFFF0000;
            mask[static_cast<size_t>(y) * 4 + x / 8] &= static_cast<uint8_t>(~(0x80 >> (x % 8)));
        }
    return EncodeIconFile(32, 32, colour, mask);
}

void ExpectRedSquare(const TIcon& icon) {
    DibSection target(40, 40);
    target.Fill(kSentinel);
    TCanvas canvas;
    canvas.SetHandle(target.Dc());
    canvas.Draw(0, 0, icon);
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(target.AllEqual({8, 8, 24, 24}, RGB(255, 0, 0)));
    EXPECT_TRUE(target.AllEqual({0, 0, 40, 8}, kSentinel));
    EXPECT_TRUE(target.AllEqual({24, 0, 40, 40}, kSentinel));
}

TEST(Icon, LoadsAnIconFileAndDrawsItWithItsMask) {
    TIcon icon;
    icon.LoadFromBytes(RedSquareIcon());
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.ImageSizes(), std::vector<int>{32});
    ExpectRedSquare(icon);
    IconHandle small = icon.CreateHandleForSize(16);
    EXPECT_TRUE(small);

    TIcon copy;
    copy.Assign(icon);
    ExpectRedSquare(copy);
}

TEST(Icon, AnIconMadeFromAHandleSavesAsAFile) {
    TIcon source;
    source.LoadFromBytes(RedSquareIcon());
    TIcon fromHandle;
    fromHandle.SetHandle(IconHandle{::CopyIcon(source.Handle())});
    EXPECT_EQ(fromHandle.Width(), 32);
    TMemoryStream stream;
    fromHandle.SaveToStream(stream);
    stream.SetPosition(0);
    TIcon reloaded;
    reloaded.LoadFromStream(stream);
    ExpectRedSquare(reloaded);
}

TEST(Icon, MalformedFilesAreRefused) {
    auto bytes = RedSquareIcon();
    TIcon icon;
    EXPECT_THROW(icon.LoadFromBytes(std::span(bytes).first(20)), EInvalidGraphic);  // image outside the file
    bytes[2] = std::byte{2};                                                        // a cursor, not an icon
    EXPECT_THROW(icon.LoadFromBytes(bytes), EInvalidGraphic);
    EXPECT_TRUE(icon.Empty());
}

TEST(ImageList, MaskedImagesDrawWithoutTheirKeyColour) {
    TBitmap strip;
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    strip.SetSize(32, 16);  // two 16 x 16 images
    strip.Canvas().Brush().SetColor(RgbColour(255, 0, 255));
    strip.Canvas().FillRect({0, 0, 32, 16});
    strip.Canvas().Brush().SetColor(clBlue);
    strip.Canvas().FillRect({20, 4, 28, 12});
    TImageList list(16, 16);
    EXPECT_EQ(list.AddMasked(strip, RgbColour(255, 0, 255)), 0);
    EXPECT_EQ(list.Count(), 2);

    DibSection target(16, 16);
    target.Fill(kSentinel);
    TCanvas canvas;
    canvas.SetHandle(target.Dc());
    list.Draw(canvas, 0, 0, 1);
    list.Draw(canvas, 0, 0, 5);  // no such image: nothing
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(target.AllEqual({4, 4, 12, 12}, RGB(0, 0, 255)));
    EXPECT_EQ(target.CountOther({0, 0, 16, 16}, kSentinel), 64);
}

}  // namespace
