#include "framework/controls/RadioGroupLayout.h"

#include <algorithm>

namespace {
// The frame's inset on each side, and how much more the first column keeps from it.
constexpr int kSideInset = 5;
constexpr int kFirstColumn = 8;
}  // namespace

std::vector<core::Rect> ArrangeRadioGroup(const RadioGroupLayoutInput& in) {
    std::vector<core::Rect> out;
    if (in.count <= 0) return out;
    const int columns = std::max(1, in.columns);
    const int perColumn = (in.count + columns - 1) / columns;
    const int columnWidth = std::max(0, (in.client.width - 2 * kSideInset) / columns);
    const int room = std::max(0, in.client.height - in.captionHeight - kSideInset);
    const int rowHeight = room / perColumn;
    const int top = in.captionHeight + 1 + (room % perColumn) / 2;
    out.reserve(static_cast<size_t>(in.count));
    for (int i = 0; i < in.count; ++i) {
        int left = (i / perColumn) * columnWidth + kFirstColumn;
        if (in.rightToLeft) left = in.client.width - left - columnWidth;
        out.push_back(core::Rect::FromBounds(left, (i % perColumn) * rowHeight + top, columnWidth, rowHeight));
    }
    return out;
}
