// The transport-button row: which buttons a set's text names, where each lies, which
// a point hits, and the buttons a playing device offers.

#include "framework/controls/MediaButtons.h"

#include <gtest/gtest.h>

namespace {

using enum TMPBtnType;

TEST(MediaButtons, TextOfASetNamesItsButtonsWhateverTheCase) {
    EXPECT_EQ(ButtonsNamedIn(u"[btPlay,btStop,btEject]"), (TButtonSet{btPlay, btStop, btEject}));
    EXPECT_EQ(ButtonsNamedIn(u"[BTPAUSE,btprev]"), (TButtonSet{btPause, btPrev}));
    EXPECT_EQ(ButtonsNamedIn(u"[]"), TButtonSet{});
    EXPECT_EQ(ButtonsNamedIn(u""), TButtonSet{});
}

TEST(MediaButtons, ThreeVisibleButtonsShareAHundredPixelsFromTheLeft) {
    const MediaButtonRow row = LayOutMediaButtons({btPlay, btStop, btEject}, 100);
    EXPECT_EQ(row.visibleCount, 3);
    EXPECT_EQ(row.buttonWidth, 33);
    EXPECT_EQ(row.SlotRect(0, 30), core::Rect::FromBounds(0, 0, 33, 30));
    EXPECT_EQ(row.SlotRect(2, 30), core::Rect::FromBounds(66, 0, 33, 30));
    // In the order of the buttons, not of the set's text.
    EXPECT_EQ(row.order[0], static_cast<uint8_t>(btPlay));
    EXPECT_EQ(row.order[1], static_cast<uint8_t>(btStop));
    EXPECT_EQ(row.order[2], static_cast<uint8_t>(btEject));

    EXPECT_EQ(row.ButtonAt(0), static_cast<uint8_t>(btPlay));
    EXPECT_EQ(row.ButtonAt(33), static_cast<uint8_t>(btPlay));  // a shared edge goes left
    EXPECT_EQ(row.ButtonAt(34), static_cast<uint8_t>(btStop));
    EXPECT_EQ(row.ButtonAt(66), static_cast<uint8_t>(btStop));
    EXPECT_EQ(row.ButtonAt(99), static_cast<uint8_t>(btEject));
    // The pixel left over at the right and anything outside belong to no button.
    EXPECT_EQ(row.ButtonAt(100), kNoMediaButton);
    EXPECT_EQ(row.ButtonAt(-1), kNoMediaButton);
}

TEST(MediaButtons, ARowWithNoRoomOrNoButtonsHitsNothing) {
    for (const auto& [visible, width] : {std::pair{TButtonSet{}, 100}, std::pair{kAllMediaButtons, 0},
                                         std::pair{kAllMediaButtons, -5}, std::pair{kAllMediaButtons, 8}}) {
        const MediaButtonRow row = LayOutMediaButtons(visible, width);
        EXPECT_EQ(row.buttonWidth, 0);
        EXPECT_EQ(row.ButtonAt(0), kNoMediaButton);
        EXPECT_EQ(row.ButtonAt(3), kNoMediaButton);
    }
    EXPECT_EQ(LayOutMediaButtons(kAllMediaButtons, 8).SlotRect(9, 20), core::Rect{});
}

TEST(MediaButtons, LookFollowsEnabledColouredAndPressed) {
    EXPECT_EQ(GlyphSetFor(false, true), MediaGlyphSet::Disabled);
    EXPECT_EQ(GlyphSetFor(true, true), MediaGlyphSet::Coloured);
    EXPECT_EQ(GlyphSetFor(true, false), MediaGlyphSet::Enabled);
    EXPECT_EQ(MediaButtonFrame(false, true), 3);
    EXPECT_EQ(MediaButtonFrame(true, true), 2);
    EXPECT_EQ(MediaButtonFrame(true, false), 1);
    EXPECT_EQ(MediaGlyphName(MediaGlyphSet::Coloured, static_cast<uint8_t>(btRecord)), u"CL_MPRECORD");
    EXPECT_EQ(MediaGlyphName(MediaGlyphSet::Disabled, static_cast<uint8_t>(btPrev)), u"DI_MPPREV");
    EXPECT_EQ(MediaGlyphName(MediaGlyphSet::Enabled, kNoMediaButton), u"");
}

TEST(MediaButtons, AutoEnableOffersWhatThePlayingDeviceCanDo) {
    EXPECT_EQ(AutoEnabledButtons(TMPModes::mpNotReady), TButtonSet{});
    const TButtonSet stopped = AutoEnabledButtons(TMPModes::mpStopped);
    EXPECT_TRUE(stopped.Contains(btPlay));
    EXPECT_FALSE(stopped.Contains(btPause) || stopped.Contains(btStop));
    const TButtonSet playing = AutoEnabledButtons(TMPModes::mpPlaying);
    EXPECT_FALSE(playing.Contains(btPlay));
    EXPECT_TRUE(playing.Contains(btPause) && playing.Contains(btStop) && playing.Contains(btStep));
    EXPECT_TRUE(AutoEnabledButtons(TMPModes::mpPaused).Contains(btPlay));
    for (TMPModes mode : {TMPModes::mpStopped, TMPModes::mpPlaying, TMPModes::mpPaused})
        EXPECT_FALSE(AutoEnabledButtons(mode).Contains(btRecord) || AutoEnabledButtons(mode).Contains(btEject));
}

}  // namespace
