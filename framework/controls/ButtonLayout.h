#pragma once
// Where a button's glyph and caption go: the arithmetic shared by the framework's
// own button painting and by anything that paints buttons in its place, so both
// agree to the pixel. Platform-neutral.

#include "framework/controls/ControlTypes.h"
#include "framework/core/Geometry.h"

enum class ButtonKind { Speed, Bitmap };

struct ButtonLayoutInput {
    core::Size client;                      // the button, at origin
    core::Size glyph;                       // one glyph cell; (0, 0) when there is none
    core::Size text;                        // the measured caption; (0, 0) when empty
    TButtonLayout layout = TButtonLayout::blGlyphLeft;
    int margin = -1;                        // -1: centre
    int spacing = 4;                        // -1: spread evenly
    ButtonKind kind = ButtonKind::Speed;
    bool centreAligned = false;             // a bitmap button whose Alignment is taCenter
};

struct ButtonLayoutResult {
    core::Point glyph;
    core::Rect text;
    int margin = 0;
    int spacing = 0;
};

// The box a caption is measured in (word-wrapped): the client less 2 pixels on each
// side and less the glyph's room on the layout's axis.
core::Rect ButtonTextBox(core::Size client, core::Size glyph, TButtonLayout layout) noexcept;

ButtonLayoutResult LayoutButton(const ButtonLayoutInput& in) noexcept;
