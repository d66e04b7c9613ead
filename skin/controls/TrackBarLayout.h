#pragma once
// What a skinned track bar answers the control's custom-draw notifications, and where
// the groove picture goes in the channel. The control asks before each part it draws;
// the skin draws the channel and the thumb itself and leaves the ticks to the control.
// Platform-neutral: the custom-draw numbers are restated here.

#include "framework/core/Geometry.h"
#include "skin/data/SliceGeometry.h"

#include <cstdint>

namespace customdraw {
constexpr uint32_t kPrePaint = 0x1;          // CDDS_PREPAINT
constexpr uint32_t kItemPrePaint = 0x10001;  // CDDS_ITEMPREPAINT
constexpr uintptr_t kTics = 1;               // TBCD_TICS
constexpr uintptr_t kThumb = 2;              // TBCD_THUMB
constexpr uintptr_t kChannel = 3;            // TBCD_CHANNEL
constexpr intptr_t kDoDefault = 0x0;         // CDRF_DODEFAULT
constexpr intptr_t kSkipDefault = 0x4;       // CDRF_SKIPDEFAULT
constexpr intptr_t kNotifyItemDraw = 0x20;   // CDRF_NOTIFYITEMDRAW
}  // namespace customdraw

// The part of a track bar the skin draws at a stage, if any.
enum class TrackPart { None, Thumb, Channel };

struct TrackDrawAnswer {
    intptr_t result = customdraw::kDoDefault;
    TrackPart draw = TrackPart::None;
    bool operator==(const TrackDrawAnswer&) const noexcept = default;
};

// Asks for every part before painting; draws the thumb and the channel itself (and
// tells the control to skip them); everything else the control draws.
TrackDrawAnswer TrackCustomDraw(uint32_t stage, uintptr_t item) noexcept;

// A rectangle with its axes exchanged.
core::Rect Transposed(const core::Rect& rect) noexcept;

// A vertical bar's channel standing upright. The system's control reports it as if the
// bar lay on its side; Wine's reports it as it stands. A channel is longer than thick,
// so whichever way it came, it is turned to stand.
core::Rect UprightChannel(const core::Rect& reported) noexcept;

// The groove picture (`image` size, cut by `margins`) in `channel`: end caps at their
// own length and the middle stretched between them, across the picture's own thickness,
// centred where the channel is thicker. Vertical grooves run top to bottom and use the
// top and bottom margins. A channel shorter than both caps gets no caps.
SlicePlan GroovePieces(const core::Rect& channel, core::Size image, const SliceMargins& margins, bool vertical) noexcept;
