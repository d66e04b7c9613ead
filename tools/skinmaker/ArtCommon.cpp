#include "tools/skinmaker/ArtCommon.h"

#include <algorithm>

namespace art {

namespace {
int lineWidth = 1;
}  // namespace

void SetLineWidth(int width) noexcept { lineWidth = std::max(1, width); }

void Outline(Picture& p, int x0, int y0, int x1, int y1, int radius, Rgb colour) {
    for (int k = 0; k < lineWidth; ++k) p.OutlineRound(x0 + k, y0 + k, x1 - k, y1 - k, std::max(0, radius - k), colour);
}

Rgb GlyphColour(State state) {
    switch (state) {
    case State::Pressed: return kGlyphPressed;
    case State::Disabled: return kGlyphDisabled;
    case State::Hot: return kAccentDark;
    default: return kGlyph;
    }
}

// A raised control face with a one-pixel outline, lit from the top left.
void ControlFace(Picture& p, int x0, int y0, int x1, int y1, int radius, State state) {
    switch (state) {
    case State::Normal:
    case State::Focused:
        p.GradientRound(x0, y0, x1, y1, radius, Hex(0xFBFCFA), Hex(0xE3E9E3));
        p.Bevel(x0, y0, x1, y1, radius, kWhite, Hex(0xD6DDD8));
        Outline(p, x0, y0, x1, y1, radius, state == State::Focused ? kAccent : kBorderDark);
        if (state == State::Focused) p.Bevel(x0, y0, x1, y1, radius, kAccentLight, kAccentLight);
        break;
    case State::Pressed:
        p.GradientRound(x0, y0, x1, y1, radius, Hex(0xD2DBD4), Hex(0xE2E8E2));
        p.Bevel(x0, y0, x1, y1, radius, Hex(0xC2CCC5), Hex(0xE9EDE9));
        Outline(p, x0, y0, x1, y1, radius, kBorderPressed);
        break;
    case State::Disabled:
        p.FillRound(x0, y0, x1, y1, radius, Hex(0xF1F3EF));
        Outline(p, x0, y0, x1, y1, radius, kBorderDisabled);
        break;
    case State::Hot:
        p.GradientRound(x0, y0, x1, y1, radius, kWhite, Hex(0xE4EFEA));
        p.Bevel(x0, y0, x1, y1, radius, kWhite, Hex(0xD2E2DA));
        Outline(p, x0, y0, x1, y1, radius, kAccent);
        break;
    }
}

Picture Cut(const Picture& from, int x, int y, int width, int height) {
    Picture out(width, height);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) out.Set(i, j, from.At(x + i, y + j));
    return out;
}

}  // namespace art
