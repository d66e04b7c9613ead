#pragma once
// The transport buttons of a media player: their identifiers, which of them the text of
// a button-set property names, where each visible one lies in a row of equally wide
// buttons, and how a button looks in each state. Platform-neutral; the player and the
// skin's overlay on it lay out, hit and draw their buttons by the same rules.

#include "framework/controls/ControlTypes.h"
#include "framework/core/Geometry.h"

#include <array>
#include <cstdint>
#include <string_view>

enum class TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
KESTRELLE_IDENTS(TMPBtnType, u"btPlay", u"btPause", u"btStop", u"btNext", u"btPrev", u"btStep", u"btBack",
                 u"btRecord", u"btEject")
using TButtonSet = EnumSet<TMPBtnType>;

enum class TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };
KESTRELLE_IDENTS(TMPModes, u"mpNotReady", u"mpStopped", u"mpPlaying", u"mpRecording", u"mpSeeking", u"mpPaused",
                 u"mpOpen")

constexpr int kMediaButtonCount = 9;
// The answer of a hit test that finds no button.
constexpr uint8_t kNoMediaButton = 9;
constexpr TButtonSet kAllMediaButtons = TButtonSet::FromBits((1u << kMediaButtonCount) - 1);

// The buttons whose identifier occurs in `text` (letter case ignored), such as the
// text "[btPlay,btStop]" of a set property.
TButtonSet ButtonsNamedIn(std::u16string_view text);

// The visible buttons side by side from the left, each `buttonWidth` wide and as high
// as the row; what is left over at the right belongs to no button.
struct MediaButtonRow {
    int buttonWidth = 0;
    int visibleCount = 0;
    std::array<uint8_t, kMediaButtonCount> order{};  // the visible buttons, left to right

    // The button at `x`, walking from the left: the first whose span [s, s + width]
    // holds x (a shared edge goes to the left one); kNoMediaButton when none does.
    uint8_t ButtonAt(int x) const noexcept;
    // The rectangle of the `slot`-th visible button in a row `height` high.
    core::Rect SlotRect(int slot, int height) const noexcept;
};

MediaButtonRow LayOutMediaButtons(TButtonSet visible, int width) noexcept;

// The buttons a device that plays (and neither records nor ejects) can use in `mode`:
// none before it is open; pause and stop only while something plays or is paused.
TButtonSet AutoEnabledButtons(TMPModes mode) noexcept;

// Which of a button's three glyphs shows, and which frame of the skin's button picture.
enum class MediaGlyphSet { Enabled, Disabled, Coloured };
constexpr int kMediaGlyphSets = 3;
MediaGlyphSet GlyphSetFor(bool enabled, bool coloured) noexcept;
// 1 normal, 2 pressed (the glyph then moves one pixel right and down), 3 disabled.
int MediaButtonFrame(bool enabled, bool pressed) noexcept;

// The resource name of a glyph: "EN_MPPLAY", "DI_MPSTOP", "CL_MPEJECT" ...
std::u16string MediaGlyphName(MediaGlyphSet set, uint8_t button);
