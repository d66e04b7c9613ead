#pragma once
// Where a skinned status bar puts its pieces: the frame each panel's bevel takes, the
// panel rectangles as the skin draws them (the last one always reaches the bar's right
// edge), where a panel's text goes, and where the size grip sits. The status-bar skin
// reads the bar and calls these. Platform-neutral.

#include "framework/controls/ControlTypes.h"
#include "framework/core/Geometry.h"

#include <optional>

// The frame of the three-frame status-bar picture a bevel takes: lowered 1, raised 2,
// none 3.
int StatusFrameOf(TStatusPanelBevel bevel) noexcept;

// The rectangle a panel is framed in, from the one the bar reports for it: two pixels
// wider to the right, so that the frames of neighbours meet; the last panel's runs to
// `barRight`, whatever its width.
core::Rect StatusPanelFrame(const core::Rect& reported, bool last, int barRight) noexcept;

// Which way a panel's text is aligned: its own alignment, left and right swapped when the
// panel reads right to left.
TAlignment StatusTextAlignment(TAlignment alignment, bool rightToLeft) noexcept;

// Where text of `measured` size goes in `area`: inside two pixels left and right; centred
// text at the middle of that, other text across all of it; vertically one pixel above
// the middle, as captions are.
core::Rect StatusTextBox(const core::Rect& area, core::Size measured, TAlignment alignment) noexcept;

// The size grip's cell (cell 5) of a strip of `cellCount` cells side by side; nothing when
// the strip has no such cell.
std::optional<core::Rect> SizeGripCell(int stripWidth, int stripHeight, int cellCount) noexcept;

// Where a grip of `cell` size is drawn: its bottom-right corner one pixel inside the bar's.
core::Rect SizeGripPlace(const core::Rect& bar, core::Size cell) noexcept;
