#pragma once
// The lines a list or combo box keeps for its window, in the window's order: sorted
// lines are ordered here (the way a sorted system list orders them), not by the
// window, so that line i here is line i there.

#include "framework/core/StringList.h"

#include <string_view>

#include <windows.h>

// Orders two lines by the user's locale, without regard to case. Negative, 0 or positive.
int CompareListText(std::u16string_view a, std::u16string_view b) noexcept;

struct ListLines {
    TStringList lines;
    bool sorted = false;

    // Where `text` goes: the end, or its place in order when sorted.
    int PlaceFor(std::u16string_view text) const noexcept;
    // Puts the lines in order (equal ones keep theirs).
    void Sort();
    // Replaces the window's lines by these: `reset` empties it, `add` appends one line
    // (LB_RESETCONTENT and LB_ADDSTRING, or the CB_ pair).
    void SendTo(HWND window, UINT reset, UINT add) const;
};
