#include "framework/core/Stream.h"

#include "framework/core/Exception.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(MemoryStream, ReadsStopAtTheEndAndExactReadsThrow) {
    TMemoryStream stream;
    stream.WriteInt32(-4);
    stream.WriteInt32(0x4E20);
    EXPECT_EQ(stream.Size(), 8);
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInt32(), -4);
    EXPECT_EQ(stream.ReadInt32(), 20000);
    EXPECT_THROW((void)stream.ReadInt32(), EReadError);

    stream.SetPosition(6);
    std::byte buffer[8]{};
    EXPECT_EQ(stream.Read(buffer), 2u);
    EXPECT_EQ(stream.Read(buffer), 0u);
    EXPECT_EQ(stream.Seek(-100, SeekOrigin::Current), 0);  // clamped at the start
}

TEST(MemoryStream, WritingPastTheEndGrowsWithZeros) {
    TMemoryStream stream;
    stream.Seek(3, SeekOrigin::Begin);
    const std::byte one[1] = {std::byte{7}};
    stream.WriteBuffer(one);
    ASSERT_EQ(stream.Size(), 4);
    EXPECT_EQ(stream.Bytes()[0], std::byte{0});
    EXPECT_EQ(stream.Bytes()[3], std::byte{7});

    TMemoryStream copy;
    stream.SetPosition(1);
    EXPECT_EQ(copy.CopyFrom(stream, -1), 3);
    EXPECT_EQ(copy.Size(), 3);
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);

    // A write that starts inside and runs past the end overwrites, then appends.
    stream.SetPosition(1);
    const std::byte three[3] = {std::byte{1}, std::byte{2}, std::byte{3}};
    stream.WriteBuffer(three);
    EXPECT_EQ(stream.Position(), 4);
    const std::byte expected[4] = {std::byte{0}, std::byte{1}, std::byte{2}, std::byte{3}};
    EXPECT_TRUE(std::ranges::equal(stream.Bytes(), expected));
}
