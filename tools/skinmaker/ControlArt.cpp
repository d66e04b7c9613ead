#include "tools/skinmaker/ArtCommon.h"

#include <array>
#include <utility>

namespace art {

// --- buttons, check boxes and radio buttons ----------------------------------------

Picture PushButtons() {
    return Strip(24, 22, 5, [](Picture& cell, int i) { ControlFace(cell, 0, 0, 24, 22, 3, kStates[i]); });
}

namespace {

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
        Outline(cell, 0, 0, size, size, 2, disabled ? kBorderDisabled : kAccentDark);
        cell.StampCentred(0, 0, size, size, size >= 16 ? Glyph(kBigCheckMark) : Glyph(kCheckMark), kWhite);
        return;
    }
    const Rgb top = disabled ? Hex(0xF1F3EF) : state == State::Pressed ? Hex(0xDCE4DE) : kWhite;
    const Rgb bottom = disabled ? Hex(0xF1F3EF) : state == State::Hot ? kAccentPale : Hex(0xECF0EC);
    cell.GradientRound(0, 0, size, size, 2, top, bottom);
    Outline(cell, 0, 0, size, size, 2, outline);
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
    Outline(cell, 0, 0, size, size, r, outline);
    if (on) {
        const int dot = size >= 16 ? 6 : 5, from = (size - dot) / 2;
        cell.FillRound(from, from, from + dot, from + dot, dot / 2, disabled ? kGlyphDisabled : kAccent);
    }
}

}  // namespace

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
            Outline(cell, 0, 0, 24, 16, 3, kLineBorder);
        } else {
            cell.GradientRound(0, 0, 24, 16, 3, Hex(0x79B2A1), kAccent);
            cell.Fill(3, 1, 21, 2, Hex(0xA6D1C4));
            Outline(cell, 0, 0, 24, 16, 3, kAccentDark);
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
    Outline(pane, 0, 0, 24, 24, radius, kLineBorder);
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
        Outline(cell, 0, 0, 24, 21, 3, outline);
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

// --- track bars and spin buttons --------------------------------------------------------

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

}  // namespace art
