// Wave files: what the writer makes reads back, the 8-bit and stereo layouts, and
// malformed files turned into errors or shorter sounds, never a read past the bytes.

#include "framework/core/Exception.h"
#include "framework/core/LittleEndian.h"
#include "framework/core/WaveFile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::byte> Stereo8Bit() {
    // Header of WriteWave's form with 2 channels of 8 bits, then two frames.
    std::vector<std::byte> bytes = WriteWave(11025, std::vector<int16_t>(1));
    PutLe16(bytes, 22, 2);   // channels
    PutLe16(bytes, 32, 2);   // bytes a frame
    PutLe16(bytes, 34, 8);   // bits
    PutLe32(bytes, 40, 4);   // data size
    bytes.resize(44);
    for (uint8_t b : {0x80, 0xFF, 0x00, 0x80}) bytes.push_back(std::byte{b});
    return bytes;
}

TEST(WaveFile, WrittenSoundReadsBackAndOtherLayoutsWiden) {
    const std::vector<int16_t> tone{0, 1000, -1000, 32767, -32768};
    const WaveSound sound = ReadWave(WriteWave(22050, tone));
    EXPECT_EQ(sound.rate, 22050u);
    EXPECT_EQ(sound.channels, 1u);
    EXPECT_EQ(sound.samples, tone);
    EXPECT_EQ(sound.FrameToMs(22050), 1000u);
    EXPECT_EQ(sound.MsToFrame(500), 11025u);

    const WaveSound eight = ReadWave(Stereo8Bit());
    EXPECT_EQ(eight.channels, 2u);
    EXPECT_EQ(eight.Frames(), 2u);
    EXPECT_EQ(eight.samples, (std::vector<int16_t>{0, 127 * 256, -128 * 256, 0}));
}

TEST(WaveFile, UnknownChunksAreSkippedAndShortDataGivesWhatIsThere) {
    std::vector<std::byte> bytes = WriteWave(8000, std::vector<int16_t>{5, 6, 7});
    // A three-byte "LIST" chunk (padded to four) before the data.
    const std::vector<std::byte> list{std::byte{'L'}, std::byte{'I'}, std::byte{'S'}, std::byte{'T'}, std::byte{3},
                                      std::byte{0}, std::byte{0}, std::byte{0}, std::byte{1}, std::byte{2},
                                      std::byte{3}, std::byte{0}};
    bytes.insert(bytes.begin() + 36, list.begin(), list.end());
    EXPECT_EQ(ReadWave(bytes).samples, (std::vector<int16_t>{5, 6, 7}));
    bytes.resize(bytes.size() - 1);  // the last sample cut in half
    EXPECT_EQ(ReadWave(bytes).samples, (std::vector<int16_t>{5, 6}));
}

TEST(WaveFile, MalformedFilesAreRefused) {
    const std::vector<std::byte> good = WriteWave(8000, std::vector<int16_t>{1, 2});
    auto with = [&](size_t at, uint16_t value) {
        std::vector<std::byte> bytes = good;
        PutLe16(bytes, at, value);
        return bytes;
    };
    const std::vector<std::vector<std::byte>> bad{
        {},
        std::vector<std::byte>(good.begin(), good.begin() + 20),  // format cut short
        std::vector<std::byte>(good.begin(), good.begin() + 36),  // no data chunk
        with(0, 0x5858),                                          // not RIFF
        with(20, 3),                                              // floating point
        with(22, 0),                                              // no channels
        with(22, 6),                                              // six channels
        with(34, 24),                                             // 24 bits
        with(24, 10),                                             // 10 frames a second
    };
    for (const auto& bytes : bad) EXPECT_THROW((void)ReadWave(bytes), EReadError);
    // Data before its format, and a chunk that claims more than the file holds.
    std::vector<std::byte> early = good;
    early[12] = std::byte{'d'}, early[13] = std::byte{'a'}, early[14] = std::byte{'t'}, early[15] = std::byte{'a'};
    EXPECT_THROW((void)ReadWave(early), EReadError);
    std::vector<std::byte> huge = good;
    PutLe32(huge, 16, 0xFFFFFFF0u);
    EXPECT_THROW((void)ReadWave(huge), EReadError);
}

}  // namespace
