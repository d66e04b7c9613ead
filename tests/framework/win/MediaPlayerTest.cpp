// The media player: its buttons perform on a press and a release over the same button,
// the device plays, pauses, stops and ends a wave sound through the wave output (logged
// here instead of heard), and the buttons show what the device can do.

#include "framework/controls/MediaPlayer.h"
#include "framework/core/Exception.h"
#include "framework/core/WaveFile.h"
#include "framework/win/DibSection.h"
#include "tests/framework/win/FormFixture.h"
#include "tests/support/FailureLogCapture.h"
#include "tests/support/TempFiles.h"
#include "tests/support/WaveLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using enum TMPBtnType;

// One second at 8,000 frames a second; sample i is i, so positions can be read off the stream.
std::wstring WriteRamp() {
    std::vector<int16_t> ramp(8000);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<int16_t>(i);
    const std::vector<std::byte> bytes = WriteWave(8000, ramp);
    const std::wstring path = TempFile(L"kestrelle-media-ramp.wav");
    WriteBytes(path, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    return path;
}

class MediaPlayerTest : public FormFixture {
protected:
    std::wstring path = WriteRamp();
    WaveLog log;
    uint32_t now = 1000;
    TMediaPlayer& player = Make<TMediaPlayer>(form);

    void SetUp() override {
        FormFixture::SetUp();
        player.SetBounds(0, 0, 90, 30);  // nine buttons 10 wide
        log.holdBuffers = true;  // the device is never done with a buffer
        player.SetWaveSinkFactory(LogTo(log));
        player.Device().SetClock([this] { return now; });
        player.SetFileName(path);
        player.Open();
    }
    void TearDown() override { ::DeleteFileW(path.c_str()); }

    // The mouse pressed over one button and let go over another, as the window gets it.
    void Press(TMPBtnType down, TMPBtnType up) {
        HWND window = player.Handle();
        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<int>(down) * 10 + 5, 15));
        ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<int>(up) * 10 + 5, 15));
    }
};

TEST_F(MediaPlayerTest, PlayPauseAndStopDriveTheDeviceAndItsSound) {
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player.Length(), 1000);
    Press(btPlay, btPlay);
    EXPECT_EQ(player.Mode(), TMPModes::mpPlaying);
    EXPECT_TRUE(player.Device().Audible());
    // Queued ahead, no further, each sample on both sides.
    ASSERT_EQ(log.stream.size(), kWaveSinkBuffers * MediaPlayback::kBufferFrames * 2);
    EXPECT_EQ(log.stream[2 * 100], 100);
    EXPECT_EQ(log.stream[2 * 100 + 1], 100);

    // A quarter of a second later, paused: the position stays there, the device closes.
    now += 250;
    Press(btPause, btPause);
    EXPECT_EQ(player.Mode(), TMPModes::mpPaused);
    EXPECT_EQ(player.Position(), 250);
    EXPECT_EQ(log.closes, 1);
    now += 5000;
    EXPECT_EQ(player.Position(), 250);

    // Play goes on from there: the new stream starts at frame 2,000.
    Press(btPlay, btPlay);
    EXPECT_EQ(log.stream.front(), 2000);
    now += 100;
    Press(btStop, btStop);
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player.Position(), 350);
    EXPECT_EQ(log.closes, 2);
    EXPECT_FALSE(player.Device().Audible());
}

TEST_F(MediaPlayerTest, OnlyAReleaseOverThePressedButtonPerformsIt) {
    int clicks = 0;
    player.OnClick = [&](TObject*, TMPBtnType, bool&) { ++clicks; };
    Press(btPlay, btStop);
    Press(btPlay, btNext);
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(log.opens, 0);
    EXPECT_EQ(clicks, 0);
    // A press on a disabled button (stop, while stopped) does nothing either.
    Press(btStop, btStop);
    EXPECT_EQ(clicks, 0);
    // OnClick may keep the button from doing its work.
    player.OnClick = [&](TObject*, TMPBtnType button, bool& doDefault) {
        ++clicks;
        doDefault = button != btPlay;
    };
    Press(btPlay, btPlay);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
}

TEST_F(MediaPlayerTest, PlayingToTheEndStopsAndReportsAndStoppingEarlyReportsAnAbort) {
    std::vector<TMPNotifyValues> reports;
    player.OnNotify = [&](TObject*) { reports.push_back(player.NotifyValue()); };
    player.SetNotify(true);
    player.Play();
    EXPECT_EQ(player.EnabledButtons(), AutoEnabledButtons(TMPModes::mpPlaying));
    now += 999;
    player.Device().Pump();
    EXPECT_EQ(player.Mode(), TMPModes::mpPlaying);
    now += 1;
    player.Device().Pump();
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player.Position(), 1000);
    EXPECT_EQ(reports, std::vector{TMPNotifyValues::nvSuccessful});
    EXPECT_EQ(player.EnabledButtons(), AutoEnabledButtons(TMPModes::mpStopped));

    // At the end, Play starts again from the start; a stop before the end is an abort.
    player.SetNotify(true);
    player.Play();
    EXPECT_EQ(log.stream.front(), 0);
    player.Stop();
    EXPECT_EQ(reports, (std::vector{TMPNotifyValues::nvSuccessful, TMPNotifyValues::nvAborted}));
    // Without Notify nothing is reported.
    player.Play();
    player.Stop();
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(MediaPlayerTest, StepBackNextAndPreviousMoveWithinTheSound) {
    player.SetFrames(300);
    player.Step();
    EXPECT_EQ(player.Position(), 300);
    player.Back();
    player.Back();
    EXPECT_EQ(player.Position(), 0);
    player.Next();
    EXPECT_EQ(player.Position(), 1000);
    player.Step();
    EXPECT_EQ(player.Position(), 1000);
    player.Previous();
    EXPECT_EQ(player.Position(), 0);
    // Without Frames a step is a tenth of the sound.
    player.SetFrames(0);
    player.Step();
    EXPECT_EQ(player.Position(), 100);
}

TEST_F(MediaPlayerTest, WithoutADeviceItPlaysSilentAndFilesItCannotPlayAreRefused) {
    FailureLogCapture failures;
    log.device = false;
    player.Play();
    EXPECT_EQ(player.Mode(), TMPModes::mpPlaying);
    EXPECT_FALSE(player.Device().Audible());
    now += 1000;
    player.Device().Pump();
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(failures.Count(u"no wave output"), 1u);

    player.SetFileName(path + L".missing");
    EXPECT_THROW(player.Open(), EReadError);
    EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);
    EXPECT_EQ(player.EnabledButtons(), TButtonSet{});
    EXPECT_THROW(player.Play(), EInvalidOperation);
    const std::wstring junk = TempFile(L"kestrelle-media-junk.wav");
    WriteBytes(junk, std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '});
    player.SetFileName(junk);
    EXPECT_THROW(player.Open(), EReadError);
    ::DeleteFileW(junk.c_str());
}

TEST_F(MediaPlayerTest, ButtonsShowTheirGlyphsEnabledDisabledAndPressed) {
    player.SetAutoEnable(false);
    player.SetBounds(0, 0, 90, 30);
    player.SetVisibleButtons({btPlay, btPause, btStop});  // 30 wide each
    player.SetEnabledButtons({btPlay, btStop});
    player.SetColoredButtons({btStop});
    DibSection target{90, 30};
    const auto paint = [&] {
        target.Fill(RGB(1, 2, 3));
        ::SendMessageW(player.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc()), PRF_CLIENT);
        ::GdiFlush();
    };
    paint();
    // The glyphs are 16 x 16, centred: play black at its middle, pause grey
    // (disabled), stop in its colour, red.
    EXPECT_EQ(target.Pixel(15, 15) & 0xFFFFFF, RGB(0, 0, 0));
    EXPECT_EQ(target.Pixel(42, 15) & 0xFFFFFF, RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(target.Pixel(75, 15) & 0xFFFFFF, RGB(0xD0, 0x10, 0x18));
    // The olive round the glyph is left out.
    for (int x = 0; x < 90; ++x) EXPECT_NE(target.Pixel(x, 7) & 0xFFFFFF, RGB(0x80, 0x80, 0x00)) << x;
    // Pressed, the play glyph (its left edge at 11) moves one pixel right and down.
    EXPECT_EQ(target.Pixel(11, 15) & 0xFFFFFF, RGB(0, 0, 0));
    ::SendMessageW(player.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(player.PressedButton(), static_cast<uint8_t>(btPlay));
    paint();
    EXPECT_NE(target.Pixel(11, 15) & 0xFFFFFF, RGB(0, 0, 0));
    EXPECT_EQ(target.Pixel(12, 15) & 0xFFFFFF, RGB(0, 0, 0));
    ::SendMessageW(player.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(85, 5));
    EXPECT_EQ(player.PressedButton(), kNoMediaButton);
}

TEST_F(MediaPlayerTest, ButtonSetsRoundTripAsText) {
    EXPECT_TRUE(SetPropText(&player, u"VisibleButtons", u"[btPlay,btEject]"));
    EXPECT_EQ(player.VisibleButtons(), (TButtonSet{btPlay, btEject}));
    EXPECT_EQ(ButtonsNamedIn(*GetPropText(&player, u"VisibleButtons")), (TButtonSet{btPlay, btEject}));
    EXPECT_EQ(GetPropText(&player, u"Mode"), u"mpStopped");
}

}  // namespace
