#include "tools/skinmaker/ArtCommon.h"

#include <algorithm>
#include <array>

namespace art {

namespace {

// A whole small window (caption, sides and bottom) in one frame colour set, so that the
// pieces cut from it meet without a seam. Outside the rounded top corners it is magenta.
Picture VirtualWindow(int width, int height, int caption, int border, int radius, const FrameColours& c) {
    Picture p(width, height);
    // How deep inside the outline a pixel lies (0 = the outline); -1 outside. The shape's
    // bottom corners are square, so the rounded rectangle runs on below the picture.
    const auto depth = [&](int x, int y) {
        int d = -1;
        for (int k = 0; k <= border; ++k)
            if (y < height - k && Picture::InsideRound(x, y, k, k, width - k, height + radius, std::max(0, radius - k)))
                d = k;
        return d;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int d = depth(x, y);
            if (d < 0) continue;
            const bool leftHalf = x < width / 2;
            Rgb colour;
            if (d == 0) {
                colour = c.outline;
            } else if (y < caption) {
                const int span = std::max(1, caption - 3);
                const Rgb body = Mix(c.captionBottom, c.captionTop, 1000 * std::max(0, y - 2) / span);
                if (y == caption - 1) colour = c.captionLine;
                else if (d == 1 && (y <= radius || leftHalf)) colour = c.captionLight;
                else if (d == 1) colour = Mix(c.captionBottom, c.outline, 700);
                else colour = body;
            } else if (d == 1) {
                colour = leftHalf && y < height - 2 ? c.light : c.shade;
            } else if (d == 2) {
                colour = c.body;
            } else if (d == 3) {
                colour = c.inner;
            } else {
                colour = kFace;  // the client area: not part of any piece
            }
            p.Set(x, y, colour);
        }
    return p;
}

}  // namespace

// Caption strips stacked (active over inactive), side borders side by side, the bottom
// edge stacked: the layouts the frame painting reads them in.
FramePieces WindowFrame(int captionWidth, int caption, int border, int radius, int sideMiddle, int sideFoot,
                        int bottomWidth) {
    const int width = border + captionWidth + border, height = caption + sideMiddle + sideFoot;
    FramePieces pieces{Picture(captionWidth, 2 * caption), Picture(2 * border, height), Picture(2 * border, height),
                       Picture(bottomWidth, 2 * border)};
    int frame = 0;
    for (const FrameColours* colours : {&kActive, &kInactive}) {
        const Picture window = VirtualWindow(width, height, caption, border, radius, *colours);
        pieces.caption.Paste(Cut(window, border, 0, captionWidth, caption), 0, frame * caption);
        pieces.left.Paste(Cut(window, 0, 0, border, height), frame * border, 0);
        pieces.right.Paste(Cut(window, width - border, 0, border, height), frame * border, 0);
        pieces.bottom.Paste(Cut(window, border, height - border, bottomWidth, border), 0, frame * border);
        ++frame;
    }
    return pieces;
}

// Caption buttons: normal, pressed, hot, inactive, disabled, inactive hot.
Picture CaptionButton(int size, Glyph glyph, bool close) {
    struct Look {
        Rgb fill, outline, glyph;
        int shift;
    };
    const std::array<Look, 6> looks{{
        {Hex(0x5B9785), Hex(0x2C5A4E), Hex(0xF6FAF8), 0},
        {Hex(0x2F6155), Hex(0x1F4238), Hex(0xDDEAE5), 1},
        {close ? Hex(0xC25B46) : Hex(0x73AB9A), close ? Hex(0x8E3A2B) : Hex(0x2C5A4E), kWhite, 0},
        {Hex(0xC4CFCB), Hex(0x8F9D98), Hex(0x66756F), 0},
        {Hex(0x4E8A79), Hex(0x3A6F61), Hex(0x8DB8AB), 0},
        {close ? Hex(0xD98C7D) : Hex(0xD4DDD9), Hex(0x7D8B86), Hex(0x4A5753), 0},
    }};
    return Strip(size, size, 6, [&](Picture& cell, int i) {
        const Look& look = looks[static_cast<size_t>(i)];
        cell.FillRound(0, 0, size, size, 3, look.fill);
        // A lighter top half gives the button its rounded, lit-from-above face.
        for (int y = 1; y < size / 2; ++y)
            for (int x = 1; x < size - 1; ++x)
                if (Picture::InsideRound(x, y, 1, 1, size - 1, size - 1, 2)) cell.Set(x, y, Mix(kWhite, look.fill, 90));
        cell.OutlineRound(0, 0, size, size, 3, look.outline);
        cell.StampCentred(look.shift, look.shift, size + look.shift, size + look.shift, glyph, look.glyph);
    });
}

Picture MenuBar() {
    return Stack(16, 20, 2, [](Picture& cell, int frame) {
        if (frame == 0) cell.VerticalGradient(0, 0, 16, 20, Hex(0xF4F7F2), Hex(0xE2E8E2));
        else cell.VerticalGradient(0, 0, 16, 20, Hex(0xF2F4F0), Hex(0xE9ECE8));
        cell.Fill(0, 0, 16, 1, kWhite);
        cell.Fill(0, 19, 16, 20, kLine);
    });
}

// The minimise, restore and close buttons of a maximised document window, which sit on
// the light menu bar: each normal, pressed, hot and hot.
Picture MdiControls() {
    static constexpr std::array<Glyph, 3> glyphs{kSmallMinimise, kSmallRestore, kSmallClose};
    return Strip(14, 14, 12, [](Picture& cell, int i) {
        const int state = i % 4;
        if (state == 1) {
            cell.GradientRound(0, 0, 14, 14, 3, Hex(0xD2DBD4), Hex(0xE2E8E2));
            cell.OutlineRound(0, 0, 14, 14, 3, kBorderDark);
        } else if (state >= 2) {
            ControlFace(cell, 0, 0, 14, 14, 3, State::Hot);
        }
        const int shift = state == 1 ? 1 : 0;
        cell.StampCentred(shift, shift, 14 + shift, 14 + shift, glyphs[static_cast<size_t>(i / 4)],
                          state >= 2 ? kAccentDark : kGlyph);
    });
}

}  // namespace art
