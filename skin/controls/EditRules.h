#pragma once
// What the skins of edits, combo boxes, up-down buttons and date-time pickers decide
// before they draw: whether an edit gets a frame, the frame a combo's state takes, where
// a combo's drop button, glyph and text area go (the button on either side), the halves
// of an up-down and the frame each half shows, and where a picker's arrow lies. The
// skins read windows and transfer pixels; the choices and the arithmetic are here.
// Platform-neutral.

#include "framework/core/Geometry.h"

#include <array>

// --- edits ---------------------------------------------------------------------------------

// A window whose client area is as wide or as high as the window has no border, and a
// skinned frame would cover its text.
bool EditHasFrame(core::Size window, core::Size client) noexcept;
// A printed frame needs room on both axes: more than 2 pixels of border in all.
bool EditPrintsFrame(core::Size window, core::Size client) noexcept;

// --- combo boxes ---------------------------------------------------------------------------

// Frames of the combo-button and sunken-edge objects.
enum class ComboState { Normal = 1, Pressed = 2, Disabled = 3, Hover = 4 };

struct ComboFacts {
    bool pressed = false;
    bool hover = false;
    bool focused = false;
    bool enabled = true;
};

// Pressed, else focused or hovered, else normal; a disabled combo always looks disabled.
ComboState ComboButtonState(const ComboFacts& facts) noexcept;
// The flat look: pressed and hover win even over disabled, which shows only at rest.
ComboState FlatComboState(const ComboFacts& facts) noexcept;

// A strip mirrored as a whole (the pictures of a combo with its button on the left) holds
// its frames in the opposite order: the frame that stands where `frame` stood before.
int MirroredFrame(int frameCount, int frame) noexcept;

// Where a combo's parts go in its window (origin 0, 0): the text area that the skin
// leaves to the control, the drop button, and the box its glyph is centred in.
struct ComboPlaces {
    core::Rect excluded;
    core::Rect button;
    core::Rect glyph;
    friend bool operator==(const ComboPlaces&, const ComboPlaces&) = default;
};
// `arrow` is the width of a scroll-bar arrow; `leftButton` puts the button on the left
// (a combo laid out right to left).
ComboPlaces PlaceComboParts(const core::Rect& window, int arrow, bool leftButton) noexcept;
// The flat look's button: `width` wide inside the one-pixel outline at the right (or
// left), no higher than the strip it shows, centred vertically.
core::Rect PlaceFlatComboButton(const core::Rect& window, int width, int stripHeight, bool leftButton) noexcept;

// --- up-down buttons -----------------------------------------------------------------------

// The half of an up-down, in the order of its frames: up and down of a vertical control,
// left and right of a horizontal one.
enum class SpinKind { Up = 0, Down = 1, Left = 2, Right = 3 };

struct SpinHalf {
    core::Rect rect;
    SpinKind kind = SpinKind::Up;
    friend bool operator==(const SpinHalf&, const SpinHalf&) = default;
};
// The two halves of `area`: top and bottom split at half its height, or left and right
// at half its width.
std::array<SpinHalf, 2> SpinHalves(const core::Rect& area, bool horizontal) noexcept;

// A half shows hover or pressed only while the cursor is over it; disabled over all.
ComboState SpinHalfState(bool cursorInHalf, bool pressed, bool hover, bool enabled) noexcept;
// The frame (from 1) of the spin object for a half in `state`: four frames per half, the
// vertical object holding up and down, the horizontal one left and right.
int SpinFrame(ComboState state, SpinKind kind) noexcept;

// The part of an up-down painted inside the edit it sits in: the up-down's window at
// `spin` in the edit's window coordinates, kept 3 pixels inside the edit's `parent` size
// at the top, bottom and right, so the edit's skinned frame stays whole. In the up-down's
// own coordinates; empty when nothing of it is left.
core::Rect BuddiedSpinArea(const core::Rect& spin, core::Size parent) noexcept;

// --- date-time pickers ---------------------------------------------------------------------

// The arrow laid over a picker's own drop button, in the picker's client coordinates:
// `arrow` wide and one more high, at the top, 2 from the left for a right-to-left picker,
// else flush with the right of the client area, where the picker's button ends whatever
// border the picker has.
core::Rect PlaceDateTimeArrow(int clientWidth, int arrow, bool leftButton) noexcept;
