// The player's sound: a movie's sounds reach the wave output, stopping or replacing
// the movie silences them, and without a device the movie plays on in silence.

#include "flash/MoviePlayer.h"
#include "flash/authoring/SwfWriter.h"
#include "tests/flash/PlayerHost.h"
#include "tests/flash/SwfTestMovies.h"
#include "tests/support/FailureLogCapture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

// Two frames at 50 per second; the first starts a second-long tone, sound 1.
std::vector<uint8_t> ToneMovie() {
    SwfWriter writer{{0, 2000, 0, 1000}, 50};
    std::vector<int16_t> tone(22050);
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<int16_t>((i / 25) % 2 ? 8000 : -8000);
    writer.DefineSound(1, SwfSoundFormat::PcmLittleEndian, 2, true, 1, static_cast<uint32_t>(tone.size()),
                       {reinterpret_cast<const uint8_t*>(tone.data()), tone.size() * 2});
    writer.DefineShape(2, RectShape(0, 0, 600, 600, {255, 0, 0}));
    writer.PlaceObject2(NewPlace(1, 2));
    writer.StartSound(1);
    writer.ShowFrame();
    writer.ShowFrame();
    return writer.Finish();
}

TEST(MoviePlayerSound, StoppingLoadingAndDestroyingSilenceTheMovie) {
    const std::wstring path = WriteTempMovie(L"kestrelle-tone.swf", ToneMovie());
    PlayerHost host{0, 0, 200, 100, false};
    WaveLog log;
    log.holdBuffers = true;  // the tone goes on sounding until stopped
    auto player = std::make_unique<MoviePlayer>(host.Window(), LogTo(log));
    const auto sounding = [&] {
        ASSERT_TRUE(player->Load(path));
        player->Play();
        EXPECT_TRUE(player->Sound().IsPlaying(1));
        EXPECT_EQ(log.writes, static_cast<int>(WaveOutput::kQueuedBuffers));  // queued ahead, no more
    };
    sounding();
    // The tone's samples go out on both channels as they are.
    EXPECT_EQ(log.stream[0], -8000);
    EXPECT_EQ(log.stream[1], -8000);
    EXPECT_EQ(log.stream[50], 8000);
    player->Stop();
    EXPECT_FALSE(player->Sound().IsActive());
    EXPECT_EQ(log.closes, 1);

    log.writes = 0;
    sounding();
    ASSERT_TRUE(player->Load(path));  // another movie (the same file again) replaces it
    EXPECT_FALSE(player->Sound().IsActive());
    EXPECT_EQ(log.closes, 2);

    log.writes = 0;
    sounding();
    player.reset();
    EXPECT_EQ(log.closes, 3);
    host.PumpUntil([] { return false; }, 100);  // a timer message still queued finds no output
    ::DeleteFileW(path.c_str());
}

TEST(MoviePlayerSound, WithoutADeviceOrWithOneThatFailsTheMovieRunsOnSilent) {
    const std::wstring path = WriteTempMovie(L"kestrelle-silent.swf", ToneMovie());
    PlayerHost host{0, 0, 200, 100, false};
    FailureLogCapture failures;
    WaveLog none, failing;
    none.device = false;
    failing.failWrites = true;
    const WaveSinkFactory unmade = []() -> std::unique_ptr<WaveSink> { throw std::runtime_error("no sink"); };
    for (const WaveSinkFactory& sound : {LogTo(none), LogTo(failing), unmade}) {
        MoviePlayer player{host.Window(), sound};
        ASSERT_TRUE(player.Load(path));
        player.Play();
        EXPECT_FALSE(player.Sound().IsActive());
        EXPECT_TRUE(host.PumpUntil([&] { return player.CurrentFrame() == 1; }));
    }
    EXPECT_EQ(none.opens, 1);
    EXPECT_EQ(none.writes, 0);
    EXPECT_EQ(failing.writes, 1);
    EXPECT_EQ(failing.closes, 1);  // given up at once
    // A device that fails, or none to be had, is logged; no device at all is no failure.
    EXPECT_EQ(failures.Count(u"The sound output failed; the movie goes on silent: the device failed"), 1u);
    EXPECT_EQ(failures.Count(u"A sound could not be played: no sink"), 1u);
    EXPECT_EQ(failures.lines.size(), 2u);

    // The system's own output, whatever this machine has: it plays or stays quiet,
    // and the movie goes on either way.
    MoviePlayer system{host.Window()};
    ASSERT_TRUE(system.Load(path));
    system.Play();
    EXPECT_TRUE(host.PumpUntil([&] { return system.CurrentFrame() == 1; }));
    system.Stop();
    EXPECT_FALSE(system.Sound().IsActive());
    ::DeleteFileW(path.c_str());
}

}  // namespace
