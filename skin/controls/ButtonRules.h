#pragma once
// What the button, check-box and radio-button skins decide before they draw: the frame
// each state takes from the button object, the glyph cell, the check and radio cell,
// the caption colour, and every rectangle they paint into. The skins read the control,
// measure text and transfer pixels; the choices and the arithmetic are here.
// Platform-neutral.

#include "framework/controls/ButtonLayout.h"
#include "framework/controls/ControlTypes.h"
#include "framework/core/Geometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The frames of the button object, counted from 1.
enum class ButtonFrame { Normal = 1, Pressed = 2, Disabled = 3, Hover = 4, Focused = 5 };

// What a button's look depends on.
struct ButtonFacts {
    bool pressed = false;  // the left button or the space bar is held on it
    bool hover = false;
    bool focused = false;
    bool enabled = true;
};

// A push button: focus, then pressed over hover, and disabled over everything.
ButtonFrame PushButtonFrame(const ButtonFacts& facts) noexcept;
// A button with a glyph: pressed, else hover, else focused; disabled over everything.
ButtonFrame GlyphButtonFrame(const ButtonFacts& facts) noexcept;
// A button with a drop-down arrow: focus looks like hover.
ButtonFrame MenuButtonFrame(const ButtonFacts& facts) noexcept;
// A speed button has no focus; one that is down looks pressed, even when disabled.
ButtonFrame SpeedButtonFrame(const ButtonFacts& facts, bool down) noexcept;
// A flat speed button shows its frame only while pressed, down or hovered.
bool SpeedButtonFrameShown(bool flat, ButtonFrame frame) noexcept;

// The glyph a state asks for: 1 up, 2 disabled, 3 pressed, 4 down (speed buttons).
int GlyphIndex(ButtonFrame frame, bool down = false) noexcept;
// NumGlyphs as a divisor: anything below 1 counts as one cell.
int GlyphCount(int numGlyphs) noexcept;
// The cell (from 0) of a strip of `numGlyphs` cells that glyph `index` is drawn from:
// the first when the strip has no such cell. The disabled glyph is always drawn grey.
struct GlyphCell {
    int cell = 0;
    bool grey = false;
    friend bool operator==(const GlyphCell&, const GlyphCell&) = default;
};
GlyphCell ChooseGlyphCell(int index, int numGlyphs) noexcept;

// Which colour a caption is drawn in: the control's own (its font's, or the skin's text
// colour for a bare window), one of the three the skin may define, or grey.
enum class CaptionColour { Own, Normal, Hover, Pressed, Grey };
struct SkinCaptionColours {
    bool normal = false;  // the skin defines NormalColour2
    bool hover = false;   // MouseOverColour2
    bool pressed = false; // PressedColour2
};
CaptionColour ChooseCaptionColour(ButtonFrame frame, bool enabled, const SkinCaptionColours& defined) noexcept;

// A caption whose first "||" is a line break; later ones stay as they are.
std::u16string CaptionLines(std::u16string_view caption);

// The box a centred caption is measured in: the button less 2 pixels on each side.
core::Rect CaptionMeasureBox(const core::Rect& button) noexcept;
// Where a measured caption block goes in `button`: centred (one pixel above the middle)
// or, for any other alignment, at the same height across the whole width.
core::Rect PlaceCaption(const core::Rect& button, core::Size block, bool centred) noexcept;
// The focus rectangle around a caption drawn at `text`.
core::Rect CaptionFocusRect(const core::Rect& text) noexcept;

// How a caption lines up in the box it is drawn in.
enum class CaptionAlign { Left, Centre, Right };
// The focus rectangle of a caption `block` measured in `box`: moved as the alignment
// moves the text, grown by 2 across and 1 down, kept inside `box`.
core::Rect FocusAround(const core::Rect& box, core::Size block, CaptionAlign align) noexcept;

// What a glyph button publishes, as read by name. Sizes are (0, 0) when missing.
struct GlyphProps {
    core::Size bitmap;            // "Glyph": the whole strip
    int numGlyphs = 1;            // "NumGlyphs"
    core::Size listImage;         // "Images": the image size of the list
    int imageIndex = -1;          // "ImageIndex"
    std::u16string layout;        // "Layout", lower case; empty when missing
    int margin = -1;              // "Margin"; -1 when missing: centred
    int spacing = -1;             // "Spacing"; -1 when missing: spread evenly
    std::u16string alignment;     // "Alignment", lower case (bit buttons only)
};

// One glyph: a cell of the strip, else an image of the list when an index is set.
core::Size GlyphCellSize(const GlyphProps& props) noexcept;
// The layout an identifier names; the glyph goes left when it names none.
TButtonLayout GlyphLayout(std::u16string_view ident) noexcept;
// The box the caption is measured in, beside (or above or below) the glyph.
core::Rect GlyphTextBox(core::Size client, const GlyphProps& props) noexcept;
// Glyph and caption placed in `client` for a caption measured at `text`.
ButtonLayoutResult PlaceGlyphAndCaption(ButtonKind kind, core::Size client, const GlyphProps& props,
                                        core::Size text) noexcept;
// How the caption beside a glyph lines up.
CaptionAlign GlyphCaptionAlign(TButtonLayout layout) noexcept;

// A button with a drop-down arrow keeps this many pixels at its right for the arrow.
inline constexpr int kMenuArrowRoom = 17;
core::Rect MenuButtonTextBox(core::Size client) noexcept;
core::Point MenuButtonTextAt(core::Size client, core::Size text) noexcept;
// The arrow's three corners: the tip below, the two top corners.
std::array<core::Point, 3> MenuButtonArrow(core::Size client) noexcept;

// A tool button that its tool bar draws, from the bar's custom-draw state bits: selected
// looks pressed; focused or hot looks hovered; one neither greyed nor disabled that is
// marked default looks normal. Anything else has no face of the skin's.
std::optional<ButtonFrame> ToolButtonFrame(uint32_t customDrawState) noexcept;

// What a check box's look depends on. The framework's published properties override
// the window's own answer where a control has them.
struct CheckFacts {
    bool checkedBit = false;                 // BM_GETSTATE
    bool indeterminateBit = false;           // BM_GETSTATE
    std::optional<std::u16string> state;     // "State", lower case ("cbchecked", ...)
    std::optional<bool> checked;             // "Checked"
    bool hasDataField = false;
    int lastCheck = 0;                       // the last BM_SETCHECK value plus 1; 0 when none
    bool hasDataBinding = false;
    bool disabled = false;
    int frames = 4;                          // cells of the check strip
};
// The cell (from 1) of the check strip: 1 unchecked, 2 checked, 3 unchecked and
// disabled, 4 checked and disabled or grayed; a 12-cell strip keeps each in the first
// cell of a group of four, grayed ones at 9 and 12.
int CheckBoxCell(const CheckFacts& facts) noexcept;

struct RadioFacts {
    bool checkedBit = false;       // BM_GETCHECK
    std::optional<bool> checked;   // "Checked"
    bool disabled = false;
    int frames = 4;                // cells of the radio strip
};
// The cell (from 1) of the radio strip, as for check boxes without the grayed state; an
// 8-cell strip in groups of four.
int RadioButtonCell(const RadioFacts& facts) noexcept;

// Where the box and the caption of a check box or radio button go: the box at the left,
// or with the text on the left at the right edge (a radio button's one pixel in).
struct CheckPlaces {
    core::Rect box;
    core::Rect caption;
};
CheckPlaces PlaceCheckBox(const core::Rect& client, core::Size cell, bool leftText, bool radio) noexcept;
// The caption rectangle moved down so that a caption measured `textHeight` high sits
// in its middle.
core::Rect CentreCheckCaption(const core::Rect& caption, int textHeight) noexcept;

// The colour a skinned check box or group box draws its caption in: the control's own
// font colour, but the skin's text colour while the font keeps one of the system's text
// colours, which a skin with dark faces would hide the caption in.
int32_t SkinnedCaptionColour(int32_t fontColour, int32_t skinText) noexcept;
