#pragma once
// Where the tabs of a tab set go: a row from a first visible tab, each tab its text's
// width plus a fixed padding, placed while it fits in the width available. Platform-neutral.

#include <span>
#include <vector>

// What happens at a tab that does not fit: the row ends there (the tab set's own
// drawing), or that tab is left out and the next, perhaps narrower, one is tried.
enum class TabSetFit { StopAtFirstMiss, SkipMisses };

struct TabSetTab {
    int index = 0;
    int left = 0;
    int right = 0;  // left + text width + padding
    friend bool operator==(const TabSetTab&, const TabSetTab&) = default;
};

// The tabs placed from `first` on, left to right. A tab of text width w at x is placed
// when x + w + `slack` <= `available`; it then covers x .. x + w + `padding`, and x moves
// on by w + `padding`. A first index outside the tabs, or no room, places none.
std::vector<TabSetTab> PlaceTabSetTabs(std::span<const int> textWidths, int first, int startMargin, int available,
                                       int padding, int slack, TabSetFit fit);
