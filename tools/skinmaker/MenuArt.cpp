#include "tools/skinmaker/ArtCommon.h"

#include <array>

namespace art {

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
    Outline(back, 0, 0, 24, 24, 0, kBorderDark);
    return back;
}

namespace {

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

}  // namespace

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
        Outline(cell, x0, y0, x1, y1, 3, state == State::Normal ? kBorderDark : kAccent);
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

}  // namespace art
