#pragma once
// The skins the skin maker draws. Each is the same art in its own colours and caption
// metrics: the art and the description name the colours of Kestrelle's own skin, and a
// skin's palette maps each of them to its own. Host tool code.

#include "tools/skinmaker/Picture.h"

#include <span>
#include <string_view>

struct SkinPalette {
    std::string_view stem;   // <stem>.skin, and <stem>.ini inside it
    std::string_view title;  // the description's first comment
    int fontHeight;          // caption text
    int caption;             // caption strip height
    int captionButtonTop;    // caption buttons' distance from the window's top
    // The skin's colour for one of Kestrelle's own, in the controls and in the window's
    // frame, caption buttons and caption text; never the transparent magenta.
    Rgb (*colour)(Rgb);
    Rgb (*frameColour)(Rgb);
    int lineWidth = 1;  // of the controls' outlines

    Rgb operator()(Rgb kestrelle) const noexcept { return colour(kestrelle); }
    Rgb Frame(Rgb kestrelle) const noexcept { return frameColour(kestrelle); }
};

// Kestrelle's own skin first (its colours unchanged), then the dark and the
// high-contrast skin.
std::span<const SkinPalette> SkinPalettes();

// Relative luminance in the sense of text legibility (0..1), and the contrast ratio of
// two colours (1..21).
double Luminance(Rgb colour) noexcept;
double ContrastRatio(Rgb a, Rgb b) noexcept;
