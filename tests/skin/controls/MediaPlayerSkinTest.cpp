// The skinned media player: an overlay laid over the player that paints the buttons
// from the skin's button frames, passes a press and a matching release on to the player,
// follows the player about, and goes when the skin goes.

#include "skin/controls/MediaPlayerSkin.h"

#include "framework/controls/MediaPlayer.h"
#include "framework/core/WaveFile.h"
#include "framework/forms/Application.h"
#include "tests/skin/controls/ControlTestSkin.h"
#include "tests/support/TempFiles.h"
#include "tests/support/WaveLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace control_skin;
using enum TMPBtnType;

class MediaPlayerSkinTest : public ControlSkinTest {
protected:
    void SetUp() override {
        ControlSkinTest::SetUp();
        form = &app.CreateForm<TForm>();
        form->SetBounds(0, 0, 300, 200);
        player = &form->Create<TMediaPlayer>();
        player->SetParent(form);
        player->SetBounds(10, 10, 100, 30);
        player->SetAutoEnable(false);
        player->SetVisibleButtons({btPlay, btStop, btEject});
        player->SetEnabledButtons({btPlay, btStop});
        player->SetWaveSinkFactory(LogTo(log));
        skinned = &player->Create<TSkinMP>();
        skinned->AttachControl(host, *skin, false, nullptr);
    }
    TWMediaPlayer& Overlay() { return *skinned->Player(); }
    // The overlay's paint into a picture of its size.
    void Paint(DibSection& target) {
        target.Fill(kSentinel);
        ::SendMessageW(Overlay().Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc()), PRF_CLIENT);
        ::GdiFlush();
    }
    void Mouse(UINT message, int x) { ::SendMessageW(Overlay().Handle(), message, 0, MAKELPARAM(x, 15)); }
    // Whether `window` lies at `bounds` in its parent.
    static bool At(HWND window, RECT bounds) {
        RECT r{};
        ::GetWindowRect(window, &r);
        ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
        return ::EqualRect(&r, &bounds) != FALSE;
    }

    TApplication app;
    TForm* form = nullptr;
    TMediaPlayer* player = nullptr;
    TSkinMP* skinned = nullptr;
    WaveLog log;
};

TEST_F(MediaPlayerSkinTest, ThreeButtonsShareTheOverlayFromTheLeftInTheirFrames) {
    TWMediaPlayer& overlay = Overlay();
    EXPECT_EQ(overlay.Tag(), skin->DisableTag());
    EXPECT_EQ(overlay.ButtonAt(66), static_cast<uint8_t>(btStop));
    EXPECT_EQ(overlay.ButtonWidth(), 33);
    EXPECT_EQ(overlay.VisibleCount(), 3);
    DibSection target{100, 30};
    Paint(target);
    // Frame 1 for the enabled play and stop, frame 3 for the disabled eject, each 33
    // wide (inside the 2-pixel margins, clear of the glyph); the pixel left over shows
    // the skin's face.
    EXPECT_TRUE(AllOf(target, {3, 3, 30, 6}, kFrames[0]));
    EXPECT_TRUE(AllOf(target, {36, 3, 63, 6}, kFrames[0]));
    EXPECT_TRUE(AllOf(target, {69, 3, 96, 6}, kFrames[2]));
    EXPECT_TRUE(AllOf(target, {99, 0, 100, 30}, kFace));
    // The glyphs are the program's: the test program carries none, so none shows.
    EXPECT_TRUE(AllOf(target, {3, 12, 30, 18}, kFrames[0]));

    // With no button to show, the overlay is all face and no point hits a button.
    player->SetVisibleButtons({});
    Paint(target);
    EXPECT_TRUE(AllOf(target, {0, 0, 100, 30}, kFace));
    EXPECT_EQ(overlay.ButtonAt(10), kNoMediaButton);
}

TEST_F(MediaPlayerSkinTest, APressAndAReleaseOverTheSameButtonReachThePlayer) {
    std::vector<int16_t> tone(8000, 100);
    const std::wstring path = TempFile(L"kestrelle-media-skin.wav");
    const std::vector<std::byte> bytes = WriteWave(8000, tone);
    WriteBytes(path, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    player->SetFileName(path);
    player->Open();

    DibSection target{100, 30};
    Mouse(WM_LBUTTONDOWN, 10);
    EXPECT_TRUE(Overlay().Tracking());
    EXPECT_EQ(Overlay().PressedButton(), static_cast<uint8_t>(btPlay));
    Paint(target);
    EXPECT_TRUE(AllOf(target, {3, 3, 30, 6}, kFrames[1]));  // pressed
    EXPECT_TRUE(AllOf(target, {36, 3, 63, 6}, kFrames[0]));
    // Let go over stop: nothing is performed, and the button is up again.
    Mouse(WM_LBUTTONUP, 50);
    EXPECT_FALSE(Overlay().Tracking());
    EXPECT_EQ(player->Mode(), TMPModes::mpStopped);
    EXPECT_EQ(log.opens, 0);
    Paint(target);
    EXPECT_TRUE(AllOf(target, {3, 3, 30, 6}, kFrames[0]));

    Mouse(WM_LBUTTONDOWN, 10);
    Mouse(WM_LBUTTONUP, 20);
    EXPECT_EQ(player->Mode(), TMPModes::mpPlaying);
    EXPECT_EQ(log.opens, 1);
    EXPECT_EQ(log.stream.front(), 100);
    Mouse(WM_LBUTTONDOWN, 40);
    Mouse(WM_LBUTTONUP, 60);
    EXPECT_EQ(player->Mode(), TMPModes::mpStopped);
    EXPECT_EQ(log.closes, 1);

    // A disabled player shows every button disabled and takes no press through the overlay.
    player->SetEnabled(false);
    Paint(target);
    EXPECT_TRUE(AllOf(target, {3, 3, 30, 6}, kFrames[2]));
    Mouse(WM_LBUTTONDOWN, 10);
    Mouse(WM_LBUTTONUP, 10);
    EXPECT_EQ(player->Mode(), TMPModes::mpStopped);
    ::DeleteFileW(path.c_str());
}

TEST_F(MediaPlayerSkinTest, TheOverlayFollowsThePlayersBoundsAndVisibility) {
    HWND overlay = Overlay().Handle();
    EXPECT_EQ(::GetParent(overlay), form->Handle());
    EXPECT_TRUE(At(overlay, {10, 10, 110, 40}));
    EXPECT_EQ(::GetWindow(player->Handle(), GW_HWNDPREV), overlay);  // just in front of it

    player->SetBounds(40, 50, 150, 24);
    EXPECT_TRUE(At(overlay, {40, 50, 190, 74}));
    player->SetVisible(false);
    EXPECT_FALSE(::IsWindowVisible(overlay) || Overlay().Visible());
    player->SetBounds(60, 50, 150, 24);  // moved while hidden, shown again where it is
    player->SetVisible(true);
    EXPECT_TRUE(Overlay().Visible());
    EXPECT_TRUE(At(overlay, {60, 50, 210, 74}));
}

TEST_F(MediaPlayerSkinTest, UnskinningFreesTheOverlayUnlessThePlayersWindowIsGone) {
    HWND overlay = Overlay().Handle();
    skinned->Unskin();
    EXPECT_EQ(skinned->Player(), nullptr);
    EXPECT_FALSE(::IsWindow(overlay));

    // A player whose window has gone leaves its overlay to the skin, freed with it.
    auto& again = player->Create<TSkinMP>();
    again.AttachControl(host, *skin, false, nullptr);
    const ComponentRef<TWMediaPlayer> left{again.Player()};
    player->DestroyHandle();
    EXPECT_EQ(again.State(), TSkinControl::kWindowGone);
    EXPECT_NE(left.Get(), nullptr);
    FreeComponent(&again);
    EXPECT_EQ(left.Get(), nullptr);
}

}  // namespace
