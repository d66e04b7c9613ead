#include "framework/controls/TabSetLayout.h"

#include <algorithm>

std::vector<TabSetTab> PlaceTabSetTabs(std::span<const int> textWidths, int first, int startMargin, int available,
                                       int padding, int slack, TabSetFit fit) {
    std::vector<TabSetTab> placed;
    if (first < 0) return placed;
    long long x = startMargin;
    for (size_t i = static_cast<size_t>(first); i < textWidths.size(); ++i) {
        // A text never measures less than nothing, and the sums stay in 64 bits.
        const long long width = std::max(textWidths[i], 0);
        if (x + width + slack > available) {
            if (fit == TabSetFit::StopAtFirstMiss) break;
            continue;
        }
        placed.push_back({static_cast<int>(i), static_cast<int>(x), static_cast<int>(x + width + padding)});
        x += width + padding;
    }
    return placed;
}
