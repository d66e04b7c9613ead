#include "skin/controls/TabLayout.h"

#include <algorithm>

TabSide SideOf(uint32_t style) noexcept {
    const bool bottom = (style & tabstyle::kBottom) != 0, vertical = (style & tabstyle::kVertical) != 0;
    if (bottom && vertical) return TabSide::Right;
    if (bottom) return TabSide::Bottom;
    if (vertical) return TabSide::Left;
    return TabSide::Top;
}

core::Rect TabPaneRect(const core::Rect& display, TabSide side) noexcept {
    core::Rect pane = display.Inflate(4, 4);
    switch (side) {
    case TabSide::Top: ++pane.top; break;
    case TabSide::Bottom: --pane.bottom; break;
    case TabSide::Left: ++pane.left; break;
    case TabSide::Right: --pane.right; break;
    }
    return pane;
}

core::Rect TabRowRect(core::Size window, const core::Rect& pane, TabSide side) noexcept {
    const core::Rect whole{0, 0, window.width, window.height};
    core::Rect row = whole;
    switch (side) {
    case TabSide::Top: row.bottom = pane.top; break;
    case TabSide::Bottom: row.top = pane.bottom; break;
    case TabSide::Left: row.right = pane.left; break;
    case TabSide::Right: row.left = pane.right; break;
    }
    return row.Intersect(whole);
}

core::Size TabStripSize(const core::Rect& row, TabSide side) noexcept {
    if (row.IsEmpty()) return {};
    if (side == TabSide::Left || side == TabSide::Right) return {row.Height(), row.Width()};
    return {row.Width(), row.Height()};
}

core::Rect TabItemInStrip(const core::Rect& item, TabSide side, core::Size window, const core::Rect& pane) noexcept {
    switch (side) {
    case TabSide::Top: return item.Offset(0, 1);
    case TabSide::Bottom: return item.Offset(0, -(pane.bottom + 1));
    case TabSide::Left: {
        const int length = window.height;
        return {length - item.bottom, item.left, length - item.top, item.right};
    }
    case TabSide::Right:
        return {item.top - 1, window.width - item.right, item.bottom - 1, window.width - item.left};
    }
    return item;
}

core::Rect CloseMarkRect(const core::Rect& tab) noexcept {
    return {tab.right - 8, tab.top + 2, tab.right - 2, tab.top + 8};
}

std::optional<int> CloseMarkAt(std::span<const core::Rect> marks, core::Point point, int itemCount) noexcept {
    const size_t count = std::min(marks.size(), static_cast<size_t>(std::max(itemCount, 0)));
    for (size_t i = 0; i < count; ++i)
        if (marks[i].Contains(point)) return static_cast<int>(i);
    return std::nullopt;
}

core::Rect TabButtonRowRect(core::Size window, const core::Rect& display) noexcept {
    const core::Rect whole{0, 0, window.width, window.height};
    return core::Rect{0, 0, window.width, display.Inflate(4, 4).top + 1}.Intersect(whole);
}
