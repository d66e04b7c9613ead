#include "tools/skinmaker/SkinArt.h"

#include "tools/skinmaker/SkinPalette.h"

#include "framework/graphics/BmpCodec.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using Glyph = std::span<const std::string_view>;

// --- the palette ----------------------------------------------------------------------

// The window: sea green when active, grey-green when not.
struct FrameColours {
    Rgb outline, light, body, inner, shade;
    Rgb captionTop, captionBottom, captionLight, captionLine;
};
constexpr FrameColours kActive{Hex(0x24493F), Hex(0x5E9A89), Hex(0x3F7B6B), Hex(0x33695B), Hex(0x2C5A4E),
                               Hex(0x518E7C), Hex(0x376F60), Hex(0x8ABCAD), Hex(0x2C5A4E)};
constexpr FrameColours kInactive{Hex(0x7D8B86), Hex(0xCBD5D1), Hex(0xA9B7B1), Hex(0x9AA8A2), Hex(0x8F9D98),
                                 Hex(0xBAC6C1), Hex(0xA5B3AD), Hex(0xDCE4E1), Hex(0x8F9D98)};

// Faces and lines of the controls.
constexpr Rgb kWhite = Hex(0xFFFFFF);
constexpr Rgb kFace = Hex(0xEEF0EA);
constexpr Rgb kPane = Hex(0xF8FAF6);
constexpr Rgb kLine = Hex(0xC5CEC8);
constexpr Rgb kLineBorder = Hex(0xA7B3AC);
constexpr Rgb kBorderDark = Hex(0x8D9C95);
constexpr Rgb kBorderPressed = Hex(0x6E8078);
constexpr Rgb kBorderDisabled = Hex(0xC6CECA);
constexpr Rgb kTrough = Hex(0xE4E9E4);
constexpr Rgb kAccent = Hex(0x3E7A6A);
constexpr Rgb kAccentDark = Hex(0x2F6155);
constexpr Rgb kAccentLight = Hex(0x8FBFB0);
constexpr Rgb kAccentPale = Hex(0xE3EFEA);
constexpr Rgb kGlyph = Hex(0x3D4B45);
constexpr Rgb kGlyphPressed = Hex(0x26322D);
constexpr Rgb kGlyphDisabled = Hex(0xB3BDB7);

// The states of control pictures, in the order their frames come: normal, pressed,
// disabled, hot (under the mouse), focused.
enum class State { Normal, Pressed, Disabled, Hot, Focused };
constexpr std::array kStates{State::Normal, State::Pressed, State::Disabled, State::Hot, State::Focused};

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
        p.OutlineRound(x0, y0, x1, y1, radius, state == State::Focused ? kAccent : kBorderDark);
        if (state == State::Focused) p.Bevel(x0, y0, x1, y1, radius, kAccentLight, kAccentLight);
        break;
    case State::Pressed:
        p.GradientRound(x0, y0, x1, y1, radius, Hex(0xD2DBD4), Hex(0xE2E8E2));
        p.Bevel(x0, y0, x1, y1, radius, Hex(0xC2CCC5), Hex(0xE9EDE9));
        p.OutlineRound(x0, y0, x1, y1, radius, kBorderPressed);
        break;
    case State::Disabled:
        p.FillRound(x0, y0, x1, y1, radius, Hex(0xF1F3EF));
        p.OutlineRound(x0, y0, x1, y1, radius, kBorderDisabled);
        break;
    case State::Hot:
        p.GradientRound(x0, y0, x1, y1, radius, kWhite, Hex(0xE4EFEA));
        p.Bevel(x0, y0, x1, y1, radius, kWhite, Hex(0xD2E2DA));
        p.OutlineRound(x0, y0, x1, y1, radius, kAccent);
        break;
    }
}

// --- glyphs, drawn pixel for pixel ----------------------------------------------------

constexpr std::string_view kCloseGlyph[] = {"##......##", "###....###", ".###..###.", "..######..", "...####...",
                            "...####...", "..######..", ".###..###.", "###....###", "##......##"};
constexpr std::string_view kMaximiseGlyph[] = {"##########", "##########", "#........#", "#........#", "#........#",
                               "#........#", "#........#", "#........#", "##########"};
constexpr std::string_view kRestoreGlyph[] = {"...#######", "...#######", "...#.....#", "#######..#", "#######..#",
                              "#.....#..#", "#.....####", "#.....#...", "#######..."};
constexpr std::string_view kMinimiseGlyph[] = {"..........", "..........", "..........", "..........", "..........",
                               "..........", "..........", "########..", "########.."};
constexpr std::string_view kSmallClose[] = {"##....##", "###..###", ".######.", "..####..", "..####..", ".######.", "###..###",
                            "##....##"};
constexpr std::string_view kSmallRestore[] = {"..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..",
                              "######.."};
constexpr std::string_view kSmallMinimise[] = {"........", "........", "........", "........", "........", "........", "######..",
                               "######.."};
constexpr std::string_view kArrowDown[] = {"#######", ".#####.", "..###..", "...#..."};
constexpr std::string_view kArrowUp[] = {"...#...", "..###..", ".#####.", "#######"};
constexpr std::string_view kArrowRight[] = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};
constexpr std::string_view kArrowLeft[] = {"...#", "..##", ".###", "####", ".###", "..##", "...#"};
constexpr std::string_view kSmallDown[] = {"#####", ".###.", "..#.."};
constexpr std::string_view kSmallUp[] = {"..#..", ".###.", "#####"};
constexpr std::string_view kSmallRight[] = {"#..", "##.", "###", "##.", "#.."};
constexpr std::string_view kSmallLeft[] = {"..#", ".##", "###", ".##", "..#"};
constexpr std::string_view kCheckMark[] = {"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."};
constexpr std::string_view kBigCheckMark[] = {".......#", "......##", ".....##.", "#...##..", "##.##...", ".###....", "..#....."};

// --- the window frame ---------------------------------------------------------------

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

struct FramePieces {
    Picture caption, left, right, bottom;
};

Picture Cut(const Picture& from, int x, int y, int width, int height) {
    Picture out(width, height);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) out.Set(i, j, from.At(x + i, y + j));
    return out;
}

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

// --- buttons, check boxes and radio buttons ----------------------------------------

Picture PushButtons() {
    return Strip(24, 22, 5, [](Picture& cell, int i) { ControlFace(cell, 0, 0, 24, 22, 3, kStates[i]); });
}

enum class Mark { None, Checked, Grayed };

void CheckBox(Picture& cell, int size, Mark mark, State state) {
    const bool disabled = state == State::Disabled;
    const Rgb outline = disabled ? kBorderDisabled
                        : (state == State::Hot || mark == Mark::Checked) ? kAccent
                        : state == State::Pressed                        ? kBorderPressed
                                                                         : kBorderDark;
    if (mark == Mark::Checked) {
        const Rgb top = disabled ? Hex(0xC4D2CC) : state == State::Pressed ? kAccentDark : Hex(0x5A9785);
        const Rgb bottom = disabled ? Hex(0xB7C6BF) : state == State::Hot ? Hex(0x4B8A78) : kAccent;
        cell.GradientRound(0, 0, size, size, 2, top, bottom);
        cell.OutlineRound(0, 0, size, size, 2, disabled ? kBorderDisabled : kAccentDark);
        cell.StampCentred(0, 0, size, size, size >= 16 ? Glyph(kBigCheckMark) : Glyph(kCheckMark), kWhite);
        return;
    }
    const Rgb top = disabled ? Hex(0xF1F3EF) : state == State::Pressed ? Hex(0xDCE4DE) : kWhite;
    const Rgb bottom = disabled ? Hex(0xF1F3EF) : state == State::Hot ? kAccentPale : Hex(0xECF0EC);
    cell.GradientRound(0, 0, size, size, 2, top, bottom);
    cell.OutlineRound(0, 0, size, size, 2, outline);
    if (mark == Mark::Grayed) {
        const int bar = size / 2;
        cell.Fill((size - bar) / 2, size / 2 - 1, (size + bar) / 2, size / 2 + 1, disabled ? kGlyphDisabled : kAccent);
    }
}

void RadioButton(Picture& cell, int size, bool on, State state) {
    const bool disabled = state == State::Disabled;
    const Rgb top = disabled ? Hex(0xF1F3EF) : state == State::Pressed ? Hex(0xDCE4DE) : kWhite;
    const Rgb bottom = disabled ? Hex(0xF1F3EF) : state == State::Hot ? kAccentPale : Hex(0xECF0EC);
    const int r = size / 2;
    cell.GradientRound(0, 0, size, size, r, top, bottom);
    const Rgb outline = disabled ? kBorderDisabled : (on || state == State::Hot) ? kAccent : kBorderDark;
    cell.OutlineRound(0, 0, size, size, r, outline);
    if (on) {
        const int dot = size >= 16 ? 6 : 5, from = (size - dot) / 2;
        cell.FillRound(from, from, from + dot, from + dot, dot / 2, disabled ? kGlyphDisabled : kAccent);
    }
}

// Unchecked, checked and grayed, each normal, hot, pressed and disabled: the twelve
// cells of the larger check-box layout.
Picture CheckStrip() {
    constexpr std::array<State, 4> order{State::Normal, State::Hot, State::Pressed, State::Disabled};
    return Strip(13, 13, 12, [&](Picture& cell, int i) {
        const Mark mark = i < 4 ? Mark::None : i < 8 ? Mark::Checked : Mark::Grayed;
        CheckBox(cell, 13, mark, order[static_cast<size_t>(i % 4)]);
    });
}

Picture RadioStrip() {
    constexpr std::array<State, 4> order{State::Normal, State::Hot, State::Pressed, State::Disabled};
    return Strip(13, 13, 8, [&](Picture& cell, int i) { RadioButton(cell, 13, i >= 4, order[static_cast<size_t>(i % 4)]); });
}

// Unchecked, checked, unchecked disabled, checked disabled.
Picture LargeCheckStrip() {
    return Strip(16, 16, 4, [](Picture& cell, int i) {
        CheckBox(cell, 16, i % 2 ? Mark::Checked : Mark::None, i < 2 ? State::Normal : State::Disabled);
    });
}
Picture LargeRadioStrip() {
    return Strip(16, 16, 4, [](Picture& cell, int i) {
        RadioButton(cell, 16, i % 2 != 0, i < 2 ? State::Normal : State::Disabled);
    });
}

// --- bars and panes -------------------------------------------------------------------

Picture ProgressBar() {
    return Strip(24, 16, 2, [](Picture& cell, int i) {
        if (i == 0) {
            cell.FillRound(0, 0, 24, 16, 3, kTrough);
            cell.Fill(2, 1, 22, 2, Hex(0xD0D8D2));  // the trough's inner top shadow
            cell.OutlineRound(0, 0, 24, 16, 3, kLineBorder);
        } else {
            cell.GradientRound(0, 0, 24, 16, 3, Hex(0x79B2A1), kAccent);
            cell.Fill(3, 1, 21, 2, Hex(0xA6D1C4));
            cell.OutlineRound(0, 0, 24, 16, 3, kAccentDark);
        }
    });
}

Picture ProgressChunk() {
    Picture chunk(8, 12);
    chunk.GradientRound(0, 0, 8, 12, 2, Hex(0x79B2A1), kAccent);
    chunk.Fill(2, 1, 6, 2, Hex(0xA6D1C4));
    return chunk;
}

Picture GroupEdge() {
    return Strip(16, 16, 2, [](Picture& cell, int i) {
        // An etched line: a shaded ring with a white one inside it.
        cell.OutlineRound(1, 1, 16, 16, 3, kWhite);
        cell.OutlineRound(0, 0, 15, 15, 3, i == 0 ? Hex(0xB4C0B9) : Hex(0xD4DBD7));
    });
}

Picture GroupLabel() {
    Picture label(24, 18);
    label.GradientRound(0, 0, 24, 18, 4, Hex(0xEDF3EF), Hex(0xDDE7E1));
    label.OutlineRound(0, 0, 24, 18, 4, Hex(0xB4C0B9));
    return label;
}

// Tabs: normal, selected, disabled, hot, focused. A selected tab stands two pixels
// higher and opens into the pane below it.
Picture TabStrip() {
    return Strip(20, 22, 5, [](Picture& cell, int i) {
        const State state = kStates[static_cast<size_t>(i)];
        const bool selected = state == State::Pressed || state == State::Focused;
        const int top = selected ? 0 : 2;
        const Rgb fillTop = selected ? kPane : state == State::Hot ? kWhite : Hex(0xF0F3EF);
        const Rgb fillBottom = selected ? kPane : state == State::Disabled ? Hex(0xEEF1EC) : Hex(0xE2E8E2);
        const Rgb outline = state == State::Disabled ? kBorderDisabled : kLineBorder;
        for (int y = top; y < 22; ++y)
            for (int x = 0; x < 20; ++x) {
                if (!Picture::InsideRound(x, y, 0, top, 20, 22 + 3, 3)) continue;
                const bool edge = !Picture::InsideRound(x, y, 1, top + 1, 19, 22 + 3, 2);
                const Rgb fill = Mix(fillBottom, fillTop, 1000 * (y - top) / 21);
                cell.Set(x, y, edge ? outline : fill);
            }
        if (selected) cell.Fill(2, 1, 18, 3, kAccent);
        else cell.Fill(0, 21, 20, 22, kLineBorder);  // the pane's top edge runs under unselected tabs
        if (state == State::Hot) cell.Fill(2, 3, 18, 4, kAccentLight);
    });
}

Picture Pane(int radius) {
    Picture pane(24, 24);
    pane.FillRound(0, 0, 24, 24, radius, kPane);
    pane.Bevel(0, 0, 24, 24, radius, kWhite, Hex(0xE6EBE6));
    pane.OutlineRound(0, 0, 24, 24, radius, kLineBorder);
    return pane;
}

// Status bar panels: lowered, raised, flat.
Picture StatusEdges() {
    return Strip(12, 20, 3, [](Picture& cell, int i) {
        cell.Fill(0, 0, 12, 20, Hex(0xEAEEE8));
        if (i == 2) return;
        const Rgb topLeft = i == 0 ? Hex(0xB4BFB9) : kWhite;
        const Rgb bottomRight = i == 0 ? kWhite : Hex(0xB4BFB9);
        cell.Fill(0, 0, 12, 1, topLeft);
        cell.Fill(0, 0, 1, 20, topLeft);
        cell.Fill(0, 19, 12, 20, bottomRight);
        cell.Fill(11, 1, 12, 20, bottomRight);
    });
}

// Tool-bar buttons are flat until the mouse comes.
Picture ToolButtons() {
    return Strip(22, 22, 5, [](Picture& cell, int i) {
        switch (kStates[static_cast<size_t>(i)]) {
        case State::Pressed:
            cell.GradientRound(0, 0, 22, 22, 3, Hex(0xD2DBD4), Hex(0xE2E8E2));
            cell.OutlineRound(0, 0, 22, 22, 3, kBorderDark);
            break;
        case State::Hot: ControlFace(cell, 0, 0, 22, 22, 3, State::Hot); break;
        case State::Focused:
            cell.FillRound(0, 0, 22, 22, 3, kAccentPale);
            cell.OutlineRound(0, 0, 22, 22, 3, kAccentLight);
            break;
        default: break;
        }
    });
}

// --- edits, combo boxes and their arrows ----------------------------------------------

Picture SunkEdge() {
    return Strip(24, 21, 4, [](Picture& cell, int i) {
        const State state = kStates[static_cast<size_t>(i)];
        const bool disabled = state == State::Disabled;
        cell.FillRound(0, 0, 24, 21, 3, disabled ? Hex(0xF3F5F1) : kWhite);
        cell.Fill(2, 1, 22, 2, disabled ? Hex(0xEDF0EC) : Hex(0xE6EBE7));
        const Rgb outline = disabled ? kBorderDisabled : state == State::Hot ? kAccent
                          : state == State::Pressed ? kBorderDark : kLineBorder;
        cell.OutlineRound(0, 0, 24, 21, 3, outline);
    });
}

// The drop button at the right end of a combo box: its own border on the top, right and
// bottom, a separator on the left.
Picture ComboButton() {
    return Strip(18, 21, 4, [](Picture& cell, int i) {
        const State state = kStates[static_cast<size_t>(i)];
        const Rgb top = state == State::Pressed ? Hex(0xD2DBD4) : state == State::Disabled ? Hex(0xF1F3EF)
                      : state == State::Hot ? kWhite : Hex(0xF7F9F6);
        const Rgb bottom = state == State::Pressed ? Hex(0xE2E8E2) : state == State::Disabled ? Hex(0xF1F3EF)
                         : state == State::Hot ? Hex(0xE4EFEA) : Hex(0xE3E9E3);
        const Rgb outline = state == State::Disabled ? kBorderDisabled : state == State::Hot ? kAccent
                          : state == State::Pressed ? kBorderDark : kLineBorder;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 18; ++x) {
                if (!Picture::InsideRound(x, y, -3, 0, 18, 21, 3)) continue;
                const bool edge = !Picture::InsideRound(x, y, -3, 1, 17, 20, 2);
                cell.Set(x, y, edge ? outline : Mix(bottom, top, 1000 * y / 20));
            }
        cell.Fill(0, 3, 1, 18, state == State::Hot ? kAccentLight : Hex(0xD3DAD5));
    });
}

// Drop-down arrows in four states, then the size grip of status bars.
Picture ExtraImages() {
    return Strip(16, 16, 5, [](Picture& cell, int i) {
        if (i < 4) {
            cell.StampCentred(0, 0, 16, 16, kArrowDown, GlyphColour(kStates[static_cast<size_t>(i)]));
            return;
        }
        for (const auto& [x, y] : {std::pair{12, 4}, {8, 8}, {12, 8}, {4, 12}, {8, 12}, {12, 12}}) {
            cell.Fill(x, y, x + 2, y + 2, kBorderDark);
            cell.Set(x + 1, y + 1, kWhite);
        }
    });
}

// --- lists, menus and scroll bars ---------------------------------------------------

// Header items: normal, hot, pressed, disabled, sorted.
Picture HeaderBar() {
    return Strip(20, 20, 5, [](Picture& cell, int i) {
        const Rgb top = i == 1 ? kWhite : i == 2 ? Hex(0xDCE3DD) : i == 3 ? Hex(0xF3F5F1) : Hex(0xFAFBF9);
        const Rgb bottom = i == 1 ? Hex(0xEDF4F0) : i == 2 ? Hex(0xDCE3DD) : i == 3 ? Hex(0xF3F5F1) : Hex(0xE7ECE6);
        cell.VerticalGradient(0, 0, 20, 20, top, bottom);
        cell.Fill(18, 4, 19, 16, Hex(0xC9D1CC));
        cell.Fill(19, 4, 20, 16, kWhite);
        cell.Fill(0, 19, 20, 20, kLineBorder);
        if (i == 1 || i == 4) cell.Fill(0, 18, 20, 20, i == 1 ? kAccent : kAccentLight);
    });
}

// Menu items: normal (the menu shows through), separator (its line in the lower part,
// which short separator items use), disabled, selected, selected and pressed.
Picture MenuItems() {
    return Strip(24, 20, 5, [](Picture& cell, int i) {
        switch (i) {
        case 1:
            cell.Fill(2, 15, 22, 16, kLine);
            cell.Fill(2, 16, 22, 17, kWhite);
            break;
        case 2: cell.FillRound(0, 0, 24, 20, 3, Hex(0xEEF1EC)); break;
        case 3:
            cell.GradientRound(0, 0, 24, 20, 3, Hex(0x5D9987), Hex(0x467F6F));
            cell.OutlineRound(0, 0, 24, 20, 3, kAccent);
            break;
        case 4:
            cell.FillRound(0, 0, 24, 20, 3, kAccent);
            cell.OutlineRound(0, 0, 24, 20, 3, kAccentDark);
            break;
        default: break;
        }
    });
}

Picture MenuBackground() {
    Picture back(24, 24, kPane);
    back.Bevel(0, 0, 24, 24, 0, kWhite, Hex(0xE6EBE6));
    back.OutlineRound(0, 0, 24, 24, 0, kBorderDark);
    return back;
}

// An arrow button of a scroll bar.
void ScrollArrow(Picture& cell, Glyph arrow, int variant) {
    // Cells come normal, pressed, disabled, hot.
    constexpr std::array<State, 4> order{State::Normal, State::Pressed, State::Disabled, State::Hot};
    const State state = order[static_cast<size_t>(variant)];
    ControlFace(cell, 0, 0, 16, 16, 3, state);
    const int shift = state == State::Pressed ? 1 : 0;
    cell.StampCentred(shift, shift, 16 + shift, 16 + shift, arrow, GlyphColour(state));
}

// Ridges across a thumb: vertical ones for a horizontal thumb, horizontal for a vertical.
void Gripper(Picture& cell, bool vertical, int variant) {
    const Rgb dark = variant == 0 ? kBorderDark : variant == 1 ? kAccentDark : kAccent;
    for (int k = 0; k < 3; ++k) {
        const int at = 5 + 2 * k;
        if (vertical) {
            cell.Fill(4, at, 11, at + 1, dark);
            cell.Fill(5, at + 1, 12, at + 2, kWhite);
        } else {
            cell.Fill(at, 4, at + 1, 11, dark);
            cell.Fill(at + 1, 5, at + 2, 12, kWhite);
        }
    }
}

// The 23 cells of the scroll-bar strip: left, right, up and down arrows (normal,
// pressed, disabled, hot), the grippers of horizontal and vertical thumbs (normal,
// pressed, hot), and the corner between two bars.
Picture ScrollbarStrip() {
    return Strip(16, 16, 23, [](Picture& cell, int i) {
        if (i < 16) {
            static constexpr std::array<Glyph, 4> arrows{kArrowLeft, kArrowRight, kArrowUp, kArrowDown};
            ScrollArrow(cell, arrows[static_cast<size_t>(i / 4)], i % 4);
        } else if (i < 22) {
            Gripper(cell, i >= 19, (i - 16) % 3);
        } else {
            cell.Fill(0, 0, 16, 16, kTrough);
        }
    });
}

// Scroll-bar shafts: normal, pressed, disabled, hot.
Picture Shaft(bool vertical) {
    return Strip(16, 16, 4, [vertical](Picture& cell, int i) {
        const Rgb fill = i == 1 ? Hex(0xD8E0DA) : i == 2 ? Hex(0xEEF1EC) : i == 3 ? Hex(0xE0E8E3) : kTrough;
        cell.Fill(0, 0, 16, 16, fill);
        if (vertical) {
            cell.Fill(0, 0, 1, 16, Hex(0xD2DAD4));
            cell.Fill(15, 0, 16, 16, Hex(0xF4F6F3));
        } else {
            cell.Fill(0, 0, 16, 1, Hex(0xD2DAD4));
            cell.Fill(0, 15, 16, 16, Hex(0xF4F6F3));
        }
    });
}

// Scroll thumbs: normal, pressed, hot. They float one pixel inside the shaft.
Picture ScrollThumb(bool vertical) {
    constexpr std::array<State, 3> order{State::Normal, State::Pressed, State::Hot};
    const int width = vertical ? 16 : 24, height = vertical ? 24 : 16;
    return Strip(width, height, 3, [&](Picture& cell, int i) {
        const State state = order[static_cast<size_t>(i)];
        const int x0 = vertical ? 1 : 0, y0 = vertical ? 0 : 1;
        const int x1 = vertical ? 15 : 24, y1 = vertical ? 24 : 15;
        const Rgb top = state == State::Pressed ? Hex(0xC3D0C9) : state == State::Hot ? Hex(0xEAF3EF) : Hex(0xE1E8E3);
        const Rgb bottom = state == State::Pressed ? Hex(0xB9C8C0) : state == State::Hot ? Hex(0xD3E4DC) : Hex(0xCCD6D0);
        if (vertical) {
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    if (Picture::InsideRound(x, y, x0, y0, x1, y1, 3)) cell.Set(x, y, Mix(bottom, top, 1000 * (x - x0) / 13));
        } else {
            cell.GradientRound(x0, y0, x1, y1, 3, top, bottom);
        }
        cell.Bevel(x0, y0, x1, y1, 3, Hex(0xF6F9F7), Mix(bottom, kBorderDark, 600));
        cell.OutlineRound(x0, y0, x1, y1, 3, state == State::Normal ? kBorderDark : kAccent);
    });
}

// --- track bars and spin buttons --------------------------------------------------------

enum class Point { None, Up, Down, Left, Right };

// A track-bar thumb pointing `point`, in five cells: normal, normal (the one track bars
// draw), disabled, hot, pressed. Drawn pointing up or not at all, then turned.
Picture TrackThumb(Point point) {
    const bool sideways = point == Point::Left || point == Point::Right;
    const int width = 11, height = 20;
    constexpr std::array<State, 5> order{State::Normal, State::Normal, State::Disabled, State::Hot, State::Pressed};
    Picture upright = Strip(width, height, 5, [&](Picture& cell, int i) {
        const State state = order[static_cast<size_t>(i)];
        const bool pointed = point != Point::None;
        // Inside: a rectangle with rounded bottom corners and, when pointed, a roof.
        const auto inside = [&](int x, int y, int inset) {
            const int roof = pointed ? 5 : 0;
            if (y < inset) return false;
            if (pointed && y < roof + inset) {
                const int reach = (y - inset) + 1;  // the roof widens one pixel per row each way
                return x >= 5 - reach + inset && x <= 5 + reach - inset;
            }
            return Picture::InsideRound(x, y, inset, pointed ? 0 : inset, width - inset, height - inset, pointed ? 2 : 2 - inset / 2);
        };
        const Rgb top = state == State::Pressed ? Hex(0xC8D4CD) : state == State::Hot ? kWhite : Hex(0xFBFCFA);
        const Rgb bottom = state == State::Disabled ? Hex(0xEEF1EC) : state == State::Pressed ? Hex(0xD6DFDA) : Hex(0xD9E2DC);
        const Rgb outline = state == State::Disabled ? kBorderDisabled : state == State::Normal ? kBorderPressed : kAccent;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (!inside(x, y, 0)) continue;
                cell.Set(x, y, inside(x, y, 1) ? Mix(bottom, top, 1000 * y / (height - 1)) : outline);
            }
        if (state != State::Disabled) cell.Fill(3, height / 2 - 1, 8, height / 2, state == State::Normal ? kLineBorder : kAccentLight);
    });
    Picture cells(sideways ? height * 5 : width * 5, sideways ? width : height);
    for (int i = 0; i < 5; ++i) {
        Picture cell = Cut(upright, i * width, 0, width, height);
        if (point == Point::Down) {  // turned half round
            cell = cell.TurnedClockwise().TurnedClockwise();
        } else if (point == Point::Right) {
            cell = cell.TurnedClockwise();
        } else if (point == Point::Left) {
            cell = cell.TurnedClockwise().TurnedClockwise().TurnedClockwise();
        } else if (point == Point::None && sideways) {
            cell = cell.TurnedClockwise();
        }
        cells.Paste(cell, i * cell.Width(), 0);
    }
    return cells;
}

// A horizontal thumb for bars with ticks on both sides, lying down for vertical bars.
Picture PlainThumb(bool vertical) {
    Picture upright = TrackThumb(Point::None);
    if (!vertical) return upright;
    Picture cells(20 * 5, 11);
    for (int i = 0; i < 5; ++i) cells.Paste(Cut(upright, i * 11, 0, 11, 20).TurnedClockwise(), i * 20, 0);
    return cells;
}

// Spin buttons: the first (up or left) button in four states, then the second (down or
// right); each rounds only its outer corners.
Picture SpinButtons(int width, int height, bool horizontal) {
    constexpr std::array<State, 4> order{State::Normal, State::Pressed, State::Disabled, State::Hot};
    return Strip(width, height, 8, [&](Picture& cell, int i) {
        const State state = order[static_cast<size_t>(i % 4)];
        const bool second = i >= 4;
        // Round only the outer corners: draw a face twice as long and keep its outer half.
        Picture face(horizontal ? 2 * width : width, horizontal ? height : 2 * height);
        ControlFace(face, 0, 0, face.Width(), face.Height(), 3, state);
        const int fromX = horizontal && second ? width : 0, fromY = !horizontal && second ? height : 0;
        cell.Paste(Cut(face, fromX, fromY, width, height), 0, 0);
        // The inner edge gets its own line, where the two buttons meet.
        const Rgb seam = state == State::Disabled ? kBorderDisabled : state == State::Hot ? kAccent : kBorderDark;
        if (horizontal) cell.Fill(second ? 0 : width - 1, 0, second ? 1 : width, height, seam);
        else cell.Fill(0, second ? 0 : height - 1, width, second ? 1 : height, seam);
    });
}

Picture SpinGlyphs(bool horizontal) {
    constexpr std::array<State, 4> order{State::Normal, State::Pressed, State::Disabled, State::Hot};
    return Strip(9, 9, 8, [&](Picture& cell, int i) {
        const Glyph glyph = horizontal ? (i < 4 ? Glyph(kSmallLeft) : Glyph(kSmallRight)) : (i < 4 ? Glyph(kSmallUp) : Glyph(kSmallDown));
        cell.StampCentred(0, 0, 9, 9, glyph, GlyphColour(order[static_cast<size_t>(i % 4)]));
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

// --- sections this program does not read: tool windows, task bars and others ---------

Picture TaskBar() {
    Picture bar(32, 28);
    bar.VerticalGradient(0, 0, 32, 28, Hex(0xF2F5F1), Hex(0xDDE5DF));
    bar.Fill(0, 0, 32, 1, kAccent);
    bar.Fill(0, 1, 32, 2, kAccentLight);
    return bar;
}

// Task-bar buttons: the pressed one is the active window's.
Picture TaskButtons() {
    return Strip(24, 22, 5, [](Picture& cell, int i) {
        const State state = kStates[static_cast<size_t>(i)];
        if (state != State::Pressed) {
            ControlFace(cell, 0, 0, 24, 22, 3, state);
            return;
        }
        cell.GradientRound(0, 0, 24, 22, 3, Hex(0xD5E7E0), kAccentPale);
        cell.OutlineRound(0, 0, 24, 22, 3, kAccent);
    });
}

Picture Hint() {
    Picture hint(16, 16);
    hint.FillRound(0, 0, 16, 16, 3, Hex(0xFBFCF0));
    hint.OutlineRound(0, 0, 16, 16, 3, kBorderDark);
    return hint;
}

// Splitter bars: resting and being dragged, with a column of grip dots.
Picture Splitter() {
    return Strip(6, 24, 2, [](Picture& cell, int i) {
        cell.Fill(0, 0, 6, 24, i == 0 ? kFace : kAccentPale);
        for (int y = 7; y < 17; y += 3) {
            cell.Set(2, y, i == 0 ? kBorderDark : kAccent);
            cell.Set(3, y + 1, kWhite);
        }
    });
}

Picture RaisedPanel() {
    Picture panel(16, 16, kFace);
    panel.Fill(0, 0, 16, 1, kWhite);
    panel.Fill(0, 0, 1, 16, kWhite);
    panel.Fill(0, 15, 16, 16, Hex(0xB4BFB9));
    panel.Fill(15, 0, 16, 16, Hex(0xB4BFB9));
    return panel;
}

// List selections: focused, without focus, under the mouse.
Picture ListSelection() {
    return Strip(24, 18, 3, [](Picture& cell, int i) {
        if (i == 0) cell.GradientRound(0, 0, 24, 18, 3, Hex(0x5D9987), Hex(0x467F6F));
        else if (i == 1) cell.FillRound(0, 0, 24, 18, 3, Hex(0xDCE6E1));
        else cell.FillRound(0, 0, 24, 18, 3, kAccentPale);
        cell.OutlineRound(0, 0, 24, 18, 3, i == 0 ? kAccent : kAccentLight);
    });
}

}  // namespace

std::vector<SkinFile> DrawSkinBitmaps(int caption) {
    using namespace look;
    const FramePieces frame = WindowFrame(kCaptionWidth, caption, kBorder, kCornerRadius, kSideMiddle, kSideFoot, 40);
    const FramePieces tool = WindowFrame(80, 18, 3, 6, 8, 4, 24);

    std::vector<SkinFile> files;
    const auto add = [&](std::string name, Picture picture) { files.push_back({std::move(name), std::move(picture)}); };
    const auto addFrame = [&](std::string name, Picture picture) {
        files.push_back({std::move(name), std::move(picture), true});
    };
    addFrame("caption.bmp", frame.caption);
    addFrame("left.bmp", frame.left);
    addFrame("right.bmp", frame.right);
    addFrame("bottom.bmp", frame.bottom);
    add("menubar.bmp", MenuBar());
    addFrame("btnclose.bmp", CaptionButton(kCaptionButton, kCloseGlyph, true));
    addFrame("btnmax.bmp", CaptionButton(kCaptionButton, kMaximiseGlyph, false));
    addFrame("btnrestore.bmp", CaptionButton(kCaptionButton, kRestoreGlyph, false));
    addFrame("btnmin.bmp", CaptionButton(kCaptionButton, kMinimiseGlyph, false));
    add("mdicontrols.bmp", MdiControls());
    add("buttons.bmp", PushButtons());
    add("checkbox.bmp", CheckStrip());
    add("radio.bmp", RadioStrip());
    add("progress.bmp", ProgressBar());
    add("progresschunk.bmp", ProgressChunk());
    add("groupedge.bmp", GroupEdge());
    add("grouplabel.bmp", GroupLabel());
    add("tabs.bmp", TabStrip());
    add("tabborder.bmp", Pane(0));
    add("tabpane.bmp", Pane(3));
    add("statusedges.bmp", StatusEdges());
    add("toolbars.bmp", ToolButtons());
    add("combobutton.bmp", ComboButton());
    add("sunkedge.bmp", SunkEdge());
    add("extraimages.bmp", ExtraImages());
    add("headerbar.bmp", HeaderBar());
    add("menuitem.bmp", MenuItems());
    add("menuback.bmp", MenuBackground());
    add("scrollbar.bmp", ScrollbarStrip());
    add("horzscroll.bmp", Shaft(false));
    add("vertscroll.bmp", Shaft(true));
    add("hthumb.bmp", ScrollThumb(false));
    add("vthumb.bmp", ScrollThumb(true));
    add("thumbhorz.bmp", PlainThumb(false));
    add("thumbvert.bmp", PlainThumb(true));
    add("thumbleft.bmp", TrackThumb(Point::Left));
    add("thumbright.bmp", TrackThumb(Point::Right));
    add("thumbup.bmp", TrackThumb(Point::Up));
    add("thumbdown.bmp", TrackThumb(Point::Down));
    add("updownhorz.bmp", SpinButtons(16, 16, true));
    add("updownhorzglyph.bmp", SpinGlyphs(true));
    add("updownvert.bmp", SpinButtons(16, 11, false));
    add("updownvertglyph.bmp", SpinGlyphs(false));
    add("checkbox16.bmp", LargeCheckStrip());
    add("radio16.bmp", LargeRadioStrip());
    addFrame("toolcaption.bmp", tool.caption);
    addFrame("toolleft.bmp", tool.left);
    addFrame("toolright.bmp", tool.right);
    addFrame("toolbottom.bmp", tool.bottom);
    addFrame("toolclose.bmp", CaptionButton(13, kSmallClose, true));
    add("taskbar.bmp", TaskBar());
    add("taskbutton.bmp", TaskButtons());
    add("hint.bmp", Hint());
    add("splitter.bmp", Splitter());
    add("panel.bmp", RaisedPanel());
    add("listbox.bmp", ListSelection());
    return files;
}

std::vector<SkinFile> DrawSkinBitmaps(const SkinPalette& palette) {
    std::vector<SkinFile> files = DrawSkinBitmaps(palette.caption);
    for (SkinFile& file : files) {
        if (file.frame) file.picture.Recolour([&](Rgb c) { return palette.Frame(c); });
        else file.picture.Recolour(palette);
    }
    return files;
}

namespace {

// A sunken groove: grey along the top and left, silver inside, white along the bottom
// and right.
Picture Groove(int width, int height) {
    Picture groove(width, height, Hex(0xC0C0C0));
    groove.Fill(0, 0, width, 1, Hex(0x808080));
    groove.Fill(0, 0, 1, height, Hex(0x808080));
    groove.Fill(1, height - 1, width, height, kWhite);
    groove.Fill(width - 1, 1, width, height, kWhite);
    return groove;
}

}  // namespace

Picture BuiltInTrack() { return Groove(16, 4); }
Picture BuiltInTrackVert() { return Groove(4, 16); }

std::vector<std::byte> BuiltInMenuGlyphs() {
    // Black glyphs on white, which the image list takes as its mask colour.
    Picture glyphs(64, 16, kWhite);
    constexpr Rgb black{};
    glyphs.StampCentred(0, 0, 16, 16, kRestoreGlyph, black);
    glyphs.StampCentred(16, 0, 32, 16, kMaximiseGlyph, black);
    glyphs.StampCentred(32, 0, 48, 16, kMinimiseGlyph, black);
    glyphs.StampCentred(48, 0, 64, 16, kCloseGlyph, black);
    DecodedBmp bmp;
    bmp.width = 64;
    bmp.height = 16;
    bmp.bitCount = 1;
    bmp.palette = {0x000000, 0xFFFFFF};
    bmp.pixels.assign(bmp.Stride() * 16, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            if (glyphs.At(x, y) == kWhite)
                bmp.pixels[static_cast<size_t>(y) * bmp.Stride() + static_cast<size_t>(x / 8)] |=
                    static_cast<uint8_t>(0x80 >> (x % 8));
    return EncodeBmp(bmp);
}
