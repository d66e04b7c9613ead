#include "framework/graphics/BmpCodec.h"

#include "framework/core/Exception.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<std::byte> Bytes(std::initializer_list<int> values) {
    std::vector<std::byte> out;
    for (int v : values) out.push_back(std::byte(v));
    return out;
}

// File header + 40-byte info header; the caller appends palette and pixels.
std::vector<std::byte> Header(int width, int height, int bitCount, int compression, int colours, size_t dataOffset) {
    std::vector<std::byte> file(54);
    auto put = [&](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = std::byte((v >> (8 * i)) & 0xFF);
    };
    put(0, 0x4D42, 2);
    put(10, static_cast<uint32_t>(dataOffset), 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, static_cast<uint32_t>(bitCount), 2);
    put(30, static_cast<uint32_t>(compression), 4);
    put(46, static_cast<uint32_t>(colours), 4);
    return file;
}

TEST(BmpCodec, PlainFormatsRoundTripTopRowFirst) {
    for (int bits : {1, 4, 8, 24, 32}) {
        DecodedBmp image;
        image.width = 5;
        image.height = 3;
        image.bitCount = bits;
        if (bits <= 8) image.palette = std::vector<uint32_t>(size_t{1} << bits, 0x123456);
        image.pixels.resize(image.Stride() * 3);
        for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(i * 7 + bits);
        const DecodedBmp back = DecodeBmp(EncodeBmp(image));
        EXPECT_EQ(back.width, 5);
        EXPECT_EQ(back.height, 3);
        EXPECT_EQ(back.bitCount, bits);
        EXPECT_EQ(back.palette, image.palette);
        EXPECT_EQ(back.pixels, image.pixels) << bits << " bits";
    }
}

TEST(BmpCodec, SixteenBitsAndTopDownFilesBecomeTwentyFourBitRows) {
    // 2 x 2, 16 bits 5-5-5, top-down (negative height): pure red, green / blue, white.
    auto file = Header(2, -2, 16, 0, 0, 54);
    const auto pixels = Bytes({0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F});
    file.insert(file.end(), pixels.begin(), pixels.end());
    const DecodedBmp image = DecodeBmp(file);
    ASSERT_EQ(image.bitCount, 24);
    const uint8_t* row0 = image.pixels.data();
    const uint8_t* row1 = image.pixels.data() + image.Stride();
    EXPECT_EQ(row0[2], 255);  // red, first pixel of the top row
    EXPECT_EQ(row0[0], 0);
    EXPECT_EQ(row0[4], 255);  // green
    EXPECT_EQ(row1[0], 255);  // blue
    EXPECT_EQ(row1[3] + row1[4] + row1[5], 3 * 255);
}

TEST(BmpCodec, RunLengthEightBitExpandsAndStopsSafelyOnAShortStream) {
    // 4 x 2 bottom-up, RLE8. Bottom row: literal 1,2,1 (padded), run of one 3, end of line.
    // Top row: run of two 2s, end of bitmap.
    auto file = Header(4, 2, 8, 1, 4, 54 + 16);
    const auto palette = Bytes({0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0});
    file.insert(file.end(), palette.begin(), palette.end());
    const auto rle = Bytes({0, 3, 1, 2, 1, 0, 1, 3, 0, 0, 2, 2, 0, 1});
    file.insert(file.end(), rle.begin(), rle.end());
    const DecodedBmp image = DecodeBmp(file);
    const uint8_t* top = image.pixels.data();
    const uint8_t* bottom = image.pixels.data() + image.Stride();
    EXPECT_EQ(std::vector<uint8_t>(bottom, bottom + 4), (std::vector<uint8_t>{1, 2, 1, 3}));
    EXPECT_EQ(std::vector<uint8_t>(top, top + 4), (std::vector<uint8_t>{2, 2, 0, 0}));

    file.resize(file.size() - 8);  // the stream ends after the literal: what came before stays
    const DecodedBmp cut = DecodeBmp(file);
    EXPECT_EQ(cut.pixels[image.Stride() + 2], 1);
    EXPECT_EQ(cut.pixels[image.Stride() + 3], 0);
}

TEST(BmpCodec, MalformedFilesAreRefusedWithAClearError) {
    DecodedBmp image;
    image.width = 4;
    image.height = 4;
    image.bitCount = 24;
    image.pixels.assign(image.Stride() * 4, 9);
    const auto good = EncodeBmp(image);
    for (size_t cut = 0; cut < good.size(); ++cut) {  // every truncation
        const std::vector<std::byte> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_THROW(DecodeBmp(part), EInvalidGraphic) << "cut at " << cut;
    }
    EXPECT_THROW(DecodeBmp(Header(0, 4, 24, 0, 0, 54)), EInvalidGraphic);            // no width
    EXPECT_THROW(DecodeBmp(Header(40000, 4, 24, 0, 0, 54)), EInvalidGraphic);        // wider than allowed
    EXPECT_THROW(DecodeBmp(Header(20000, 20000, 24, 0, 0, 54)), EInvalidGraphic);    // too many pixels
    EXPECT_THROW(DecodeBmp(Header(4, 4, 7, 0, 0, 54)), EInvalidGraphic);             // no such depth
    EXPECT_THROW(DecodeBmp(Header(4, 4, 24, 1, 0, 54)), EInvalidGraphic);            // RLE8 on 24 bits
    auto wrongMagic = good;
    wrongMagic[0] = std::byte('X');
    EXPECT_THROW(DecodeBmp(wrongMagic), EInvalidGraphic);
}

}  // namespace
