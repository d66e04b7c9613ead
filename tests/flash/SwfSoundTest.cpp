// Sounds: ADPCM coding, DefineSound and sound info records, and the mixer.

#include "flash/SoundMixer.h"
#include "flash/SwfAdpcm.h"
#include "flash/SwfBitReader.h"
#include "flash/SwfMovie.h"
#include "flash/authoring/SwfAdpcmEncoder.h"
#include "flash/authoring/SwfWriter.h"
#include "tests/flash/SoundMeasure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <vector>

namespace {

std::vector<int16_t> Tone(size_t frames, unsigned channels, double hz = 440, double rate = 22050) {
    std::vector<int16_t> samples;
    for (size_t i = 0; i < frames; ++i)
        for (unsigned c = 0; c < channels; ++c)
            samples.push_back(static_cast<int16_t>(12000 * std::sin(2 * std::numbers::pi * hz * i / rate + c)));
    return samples;
}

double RmsError(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += (a[i] - b[i]) * double(a[i] - b[i]);
    return std::sqrt(sum / a.size());
}

TEST(SwfAdpcm, RoundTripsAtEveryCodeSizeAcrossPackets) {
    for (const unsigned channels : {1u, 2u}) {
        const auto tone = Tone(9000, channels);  // three packets, the last one short
        double previous = 1e9;
        for (unsigned bits = 2; bits <= 5; ++bits) {
            SCOPED_TRACE(testing::Message() << channels << " channels, " << bits << " bits");
            const auto data = EncodeAdpcm(tone, channels, bits);
            EXPECT_EQ(data.size(), (2 + 9000 * channels * bits + 3 * channels * (22 - bits) + 7) / 8);
            const auto decoded = DecodeAdpcm(data, channels, 9000);
            ASSERT_EQ(decoded.size(), tone.size());
            // Packet starts carry the sample itself.
            EXPECT_EQ(decoded[4096 * channels], tone[4096 * channels]);
            const double error = RmsError(tone, decoded);
            EXPECT_LT(error, bits >= 4 ? 600 : 3000);
            EXPECT_LT(error, previous);  // more bits, less error
            previous = error;
        }
    }
}

// A loud signal drives the step index past what a packet header can hold (63): each
// packet must start from the index it stores, or everything after the first packet
// is decoded with the wrong step sizes. The packets after the first come back at
// 19, 25 and 29 dB with 3, 4 and 5 bits; with wrong step sizes, at -3 dB.
TEST(SwfAdpcm, LoudSoundsKeepTheirQualityAfterTheFirstPacket) {
    for (const unsigned channels : {1u, 2u}) {
        std::vector<int16_t> loud;
        for (size_t i = 0; i < 3 * 4096 + 500; ++i)
            for (unsigned c = 0; c < channels; ++c)
                loud.push_back(static_cast<int16_t>(14000 * std::sin(2 * std::numbers::pi * 700 * i / 22050.0 + c) +
                                                    14000 * std::sin(2 * std::numbers::pi * 2900 * i / 22050.0)));
        for (const unsigned bits : {3u, 4u, 5u}) {
            SCOPED_TRACE(testing::Message() << channels << " channels, " << bits << " bits");
            const auto decoded = DecodeAdpcm(EncodeAdpcm(loud, channels, bits), channels, loud.size() / channels);
            ASSERT_EQ(decoded.size(), loud.size());
            const std::vector<int16_t> first(loud.begin(), loud.begin() + 4096 * channels);
            const std::vector<int16_t> rest(loud.begin() + 4096 * channels, loud.end());
            const double firstSnr = SnrDb(first, {decoded.begin(), decoded.begin() + 4096 * channels});
            const double restSnr = SnrDb(rest, {decoded.begin() + 4096 * channels, decoded.end()});
            EXPECT_GT(restSnr, bits * 5.0 - 5);
            EXPECT_GT(restSnr, firstSnr - 3);
        }
    }
}

// A packet decodes from the sample and the 6-bit step index its header stores; within
// the packet the index climbs past 63 to the table's top.
TEST(SwfAdpcm, APacketStartsFromItsStoredSampleAndIndex) {
    SwfBitWriter body;
    body.UB(4 - 2, 2);
    body.SB(1000, 16);
    body.UB(63, 6);      // step 3024
    body.UB(0b0111, 4);  // + (3024/8 + 3024 + 3024/2 + 3024/4); index + 8 = 71, step 6484
    body.UB(0b1000, 4);  // - 6484/8
    EXPECT_EQ(DecodeAdpcm(body.Data(), 1, 3), (std::vector<int16_t>{1000, 6670, 5860}));
}

TEST(SwfAdpcm, TruncatedOrOverclaimedDataDecodesWhatIsThere) {
    const auto tone = Tone(5000, 2);
    const auto data = EncodeAdpcm(tone, 2, 4);
    const auto whole = DecodeAdpcm(data, 2, 5000);
    for (const size_t cut : {size_t{0}, size_t{1}, size_t{3}, size_t{5}, data.size() / 2, data.size() - 1}) {
        const auto part = DecodeAdpcm(std::span(data).first(cut), 2, 1'000'000);
        EXPECT_EQ(part.size() % 2, 0u);
        ASSERT_LE(part.size(), whole.size());
        EXPECT_TRUE(std::equal(part.begin(), part.end(), whole.begin()));
    }
    EXPECT_EQ(DecodeAdpcm(data, 2, 100).size(), 200u);  // the count limits as well
}

std::vector<uint8_t> SoundMovie(uint8_t format, uint8_t rate, bool sixteen, unsigned channels, uint32_t frames,
                                std::vector<uint8_t> data) {
    SwfWriter writer{{0, 200, 0, 200}, 12};
    writer.DefineSound(3, static_cast<SwfSoundFormat>(format), rate, sixteen, channels, frames, data);
    writer.ShowFrame();
    return writer.Finish();
}

TEST(SwfSound, DefineSoundDecodesEachFormatAndDropsMalformedOnes) {
    // 16-bit little-endian stereo at 44 kHz.
    auto movie = SwfMovie::Parse(SoundMovie(3, 3, true, 2, 2, {0x01, 0x80, 0xFF, 0x7F, 0x00, 0x00, 0x34, 0x12}));
    const SwfSound* sound = movie.FindSound(3);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->samples, (std::vector<int16_t>{-32767, 32767, 0, 0x1234}));
    EXPECT_EQ(sound->Frames(), 2u);
    EXPECT_EQ(sound->Rate(), 44100);
    // 8-bit is unsigned around 128; a count beyond the data is cut to it.
    movie = SwfMovie::Parse(SoundMovie(0, 0, false, 1, 1000, {0, 128, 255}));
    EXPECT_EQ(movie.FindSound(3)->samples, (std::vector<int16_t>{-32768, 0, 32512}));
    EXPECT_EQ(movie.FindSound(3)->Rate(), 5512.5);
    // ADPCM at 11 kHz.
    const auto tone = Tone(300, 1);
    movie = SwfMovie::Parse(SoundMovie(1, 1, true, 1, 300, EncodeAdpcm(tone, 1, 3)));
    EXPECT_EQ(movie.FindSound(3)->samples.size(), 300u);
    // Compressed data the player does not decode: defined, silent.
    movie = SwfMovie::Parse(SoundMovie(2, 2, true, 1, 1152, {0xFF, 0xFB, 0x90}));
    ASSERT_NE(movie.FindSound(3), nullptr);
    EXPECT_TRUE(movie.FindSound(3)->samples.empty());
    // An unknown format or a header cut short drops the tag, not the movie.
    movie = SwfMovie::Parse(SoundMovie(9, 2, true, 1, 4, {1, 2, 3, 4}));
    EXPECT_EQ(movie.FindSound(3), nullptr);
    EXPECT_EQ(movie.MalformedTags(), 1u);
    SwfWriter writer{{0, 200, 0, 200}, 12};
    const uint8_t shortHeader[] = {3, 0, 0x3E, 1};
    writer.Tag(static_cast<uint16_t>(SwfTagCode::DefineSound), shortHeader);
    writer.ShowFrame();
    movie = SwfMovie::Parse(writer.Finish());
    EXPECT_EQ(movie.FindSound(3), nullptr);
    EXPECT_EQ(movie.MalformedTags(), 1u);
    EXPECT_EQ(movie.FrameCount(), 1u);
    // The movie's sample budget holds across sounds.
    SwfLimits limits;
    limits.maxSoundSamples = 3;
    EXPECT_EQ(SwfMovie::Parse(SoundMovie(0, 0, false, 1, 5, {1, 2, 3, 4, 5}), limits).FindSound(3)->samples.size(), 3u);
}

TEST(SwfSound, SoundInfoSurvivesWriteAndRead) {
    SwfSoundInfo full;
    full.stop = true;
    full.noMultiple = true;
    full.loops = 3;
    full.inPoint = 10;
    full.outPoint = 70000;
    full.hasOutPoint = true;
    full.envelope = {{0, 0, 32768}, {44100, 32768, 100}};
    for (const SwfSoundInfo& info : {SwfSoundInfo{}, full}) {
        SwfBitWriter out;
        WriteSoundInfo(out, info);
        out.U8(0xAB);
        SwfBitReader in{out.Data()};
        EXPECT_EQ(ReadSoundInfo(in), info);
        EXPECT_EQ(in.U8(), 0xAB);
    }
}

std::shared_ptr<const SwfSound> MakeSound(uint16_t id, uint8_t rateCode, std::vector<int16_t> samples,
                                          unsigned channels = 1) {
    auto sound = std::make_shared<SwfSound>();
    sound->id = id;
    sound->rateCode = rateCode;
    sound->channels = channels;
    sound->samples = std::move(samples);
    return sound;
}

std::vector<int16_t> MixAll(SoundMixer& mixer, size_t frames) {
    std::vector<int16_t> out(frames * 2);
    mixer.Mix(out);
    return out;
}

TEST(SoundMixer, ResamplesToItsRateAndFollowsTheSoundInfo) {
    SoundMixer mixer;
    // 22 kHz mono: copied to both channels as it is.
    mixer.Start(MakeSound(1, 2, {100, -200, 300}), {});
    std::vector<int16_t> out(10, 7);
    EXPECT_EQ(mixer.Mix(out), 3u);
    EXPECT_EQ(out, (std::vector<int16_t>{100, 100, -200, -200, 300, 300, 0, 0, 0, 0}));
    EXPECT_FALSE(mixer.IsActive());
    EXPECT_EQ(mixer.Mix(out), 0u);

    // 11 kHz stereo: twice as many frames, the new ones half way between.
    mixer.Start(MakeSound(2, 1, {0, 1000, 400, -1000}, 2), {});
    EXPECT_EQ(MixAll(mixer, 4), (std::vector<int16_t>{0, 1000, 200, 0, 400, -1000, 400, -1000}));

    // No multiple, stop and loops.
    const auto tick = MakeSound(3, 2, {1000, 1000});
    SwfSoundInfo once;
    once.noMultiple = true;
    mixer.Start(tick, once);
    mixer.Start(tick, once);
    EXPECT_EQ(mixer.VoiceCount(), 1u);
    SwfSoundInfo stop;
    stop.stop = true;
    mixer.Start(tick, stop);
    EXPECT_FALSE(mixer.IsActive());
    SwfSoundInfo thrice;
    thrice.loops = 3;
    mixer.Start(tick, thrice);
    std::vector<int16_t> looped(20);
    EXPECT_EQ(mixer.Mix(looped), 6u);

    // In and out points count 44 kHz samples: 2..6 is source frames 1..3 at 22 kHz.
    SwfSoundInfo part;
    part.inPoint = 2;
    part.outPoint = 6;
    part.hasOutPoint = true;
    mixer.Start(MakeSound(4, 2, {1, 2, 3, 4, 5}), part);
    EXPECT_EQ(MixAll(mixer, 3), (std::vector<int16_t>{2, 2, 3, 3, 0, 0}));

    // An envelope at half level on the left, silent on the right.
    SwfSoundInfo quiet;
    quiet.envelope = {{0, 16384, 0}};
    mixer.Start(MakeSound(5, 2, {1000, -1000}), quiet);
    EXPECT_EQ(MixAll(mixer, 2), (std::vector<int16_t>{500, 0, -500, 0}));

    // Voices add up and clip instead of wrapping.
    mixer.Start(MakeSound(6, 2, {30000}), {});
    mixer.Start(MakeSound(7, 2, {30000}), {});
    EXPECT_EQ(MixAll(mixer, 1), (std::vector<int16_t>{32767, 32767}));
    mixer.Start(MakeSound(8, 2, {}), {});  // nothing to play
    EXPECT_FALSE(mixer.IsActive());
}

}  // namespace
