#pragma once
// The geometry of a skinned tab control: which side its tabs are on, where its pane
// and its row of tabs are, how a tab's rectangle maps into the off-screen strip the row
// is drawn in (a strip laid out horizontally, turned afterwards for tabs at a side), the
// close marks of closable pages and which mark a click hits. Platform-neutral: the tab
// control's style bits are restated here.

#include "framework/core/Geometry.h"

#include <cstdint>
#include <optional>
#include <span>

namespace tabstyle {
constexpr uint32_t kBottom = 0x0002;    // TCS_BOTTOM; with kVertical, TCS_RIGHT
constexpr uint32_t kVertical = 0x0080;  // TCS_VERTICAL
}  // namespace tabstyle

enum class TabSide : uint8_t { Top, Bottom, Left, Right };

TabSide SideOf(uint32_t style) noexcept;

// The pane: the control's display area grown by 4 on each side, then moved one pixel
// away from the tabs.
core::Rect TabPaneRect(const core::Rect& display, TabSide side) noexcept;

// The band between the window's edge and the pane on the tabs' side, within the window;
// empty when the pane leaves no room.
core::Rect TabRowRect(core::Size window, const core::Rect& pane, TabSide side) noexcept;

// The strip the row is drawn in: as the row for tabs at the top or bottom; for tabs at a
// side its length is the row's height and its thickness the row's width.
core::Size TabStripSize(const core::Rect& row, TabSide side) noexcept;

// Tab `item` (window coordinates) in the strip. Top: one pixel down, towards the pane.
// Bottom: up by the pane's bottom and one more. Left: along the strip from its far end
// (the strip is turned left afterwards). Right: measured from the window's right edge
// across, one pixel up along (the strip is turned right afterwards).
core::Rect TabItemInStrip(const core::Rect& item, TabSide side, core::Size window, const core::Rect& pane) noexcept;

// The close mark of a tab at `tab` (strip coordinates): a 6-pixel square near its
// top-right corner.
core::Rect CloseMarkRect(const core::Rect& tab) noexcept;

// The tab whose close mark holds `point` (strip coordinates), among the marks as last
// painted; only tabs below `itemCount`, the number the control has now, count: a mark
// painted for a tab that has gone since closes nothing.
std::optional<int> CloseMarkAt(std::span<const core::Rect> marks, core::Point point, int itemCount) noexcept;

// The row of a tab control in button style: from the window's top down to one pixel
// below the top of its display area grown by 4.
core::Rect TabButtonRowRect(core::Size window, const core::Rect& display) noexcept;
