#include "tools/skinmaker/SkinPalette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr Rgb kBlack = Hex(0x000000);
constexpr Rgb kWhite = Hex(0xFFFFFF);

// Rec. 709 weights, on the 0..255 scale; good enough to sort colours into bands.
int Grey(Rgb c) noexcept { return (2126 * c.r + 7152 * c.g + 722 * c.b) / 10000; }
int Spread(Rgb c) noexcept { return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}); }

uint8_t Channel(int value) noexcept { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

// A colour that came out as the transparent magenta would punch a hole in the window.
Rgb Opaque(Rgb c) noexcept { return c == kKey ? Rgb{255, 0, 254} : c; }

Rgb Kestrelle(Rgb c) { return c; }

// Light and dark change places; hues keep three fifths of their strength, so the sea
// green stays as a calm accent on dark grey.
Rgb Dark(Rgb c) {
    const int grey = Grey(c);
    const int target = 240 - grey * 4 / 5;
    const auto channel = [&](int value) { return Channel(target + (value - grey) * 3 / 5); };
    return Opaque({channel(c.r), channel(c.g), channel(c.b)});
}

// The dark skin's window keeps its sea green, darkened, under light caption text and
// glyphs; the inactive window's greys turn over like the controls'.
Rgb DarkFrame(Rgb c) {
    const int grey = Grey(c);
    if (Spread(c) > 30) {
        const auto channel = [&](int value) { return Channel(grey * 11 / 20 + (value - grey) * 3 / 5); };
        return Opaque({channel(c.r), channel(c.g), channel(c.b)});
    }
    if (grey >= 228) return Mix(c, Hex(0x000000), 900);
    // The inactive caption's text, a little lighter than the turned-over colour.
    if (grey < 100) return Mix(Dark(c), kWhite, 750);
    return Dark(c);
}

// Black faces, white edges and text, a strong yellow for everything the accent marks
// (selections, checked boxes, focus, the active caption). Grey only for disabled lines.
constexpr Rgb kContrastAccent = Hex(0xFFD700);
constexpr Rgb kContrastDim = Hex(0x9A9A9A);
constexpr Rgb kContrastInactive = Hex(0x383838);

Rgb HighContrast(Rgb c) {
    const int grey = Grey(c);
    if (Spread(c) > 40) return grey >= 200 ? kBlack : kContrastAccent;
    if (grey >= 210) return kBlack;
    if (grey >= 195) return kContrastDim;
    return kWhite;
}

// The active window yellow with a white outline and dark glyphs and text; the inactive
// one dark grey with white lines, glyphs and text.
Rgb HighContrastFrame(Rgb c) {
    const int grey = Grey(c);
    if (Spread(c) > 40) {
        // The disabled caption button's glyph, and the inactive close button under the
        // mouse, whose white glyph would vanish on yellow.
        if (c == Hex(0x8DB8AB)) return kContrastDim;
        if (c == Hex(0xD98C7D)) return kContrastInactive;
        return kContrastAccent;
    }
    if (grey < 160) return kWhite;
    return kContrastInactive;  // the inactive caption, and glyphs and text on the yellow
}

constexpr std::array kPalettes{
    SkinPalette{"kestrelle", "Kestrelle - the program's own skin: a calm sea-green frame around warm off-white faces.",
                14, 29, 6, Kestrelle, Kestrelle},
    SkinPalette{"dark", "Kestrelle dark - dark grey faces and frames with a calm sea-green accent.", 14, 29, 6, Dark, DarkFrame},
    SkinPalette{"contrast", "Kestrelle high contrast - black faces, white edges and text, yellow marks, larger captions.",
                18, 33, 8, HighContrast, HighContrastFrame, 2},
};

double Linear(uint8_t channel) noexcept {
    const double v = channel / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

}  // namespace

std::span<const SkinPalette> SkinPalettes() { return kPalettes; }

double Luminance(Rgb c) noexcept { return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b); }

double ContrastRatio(Rgb a, Rgb b) noexcept {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
