#pragma once
// The arithmetic of a skinned header: the part of a section that counts for the hot
// section, which section a mouse move makes hot, and where a section's image and text
// go. Platform-neutral: the header format bits are restated here.

#include "framework/controls/ControlTypes.h"
#include "framework/core/Geometry.h"

#include <cstdint>
#include <optional>
#include <span>

namespace headerformat {
constexpr uint32_t kJustifyMask = 0x0003;  // HDF_JUSTIFYMASK: 0 left, 1 right, 2 centre
constexpr uint32_t kImage = 0x0800;        // HDF_IMAGE
constexpr uint32_t kOwnerDraw = 0x8000;    // HDF_OWNERDRAW
}  // namespace headerformat

// A section's rectangle less three pixels at each side, so that the divider between two
// sections belongs to neither.
core::Rect HeaderHotRect(const core::Rect& section) noexcept;

// The section a mouse move at `point` makes hot: the first of `hotRects` holding the
// point, when that is not `hot` already. Nothing when the hot section stays.
std::optional<int> NextHotSection(std::span<const core::Rect> hotRects, core::Point point, int hot) noexcept;

// The alignment a section's format asks for.
TAlignment HeaderAlignment(uint32_t format) noexcept;

// The image a section shows: its index, when the format says the section has one; else -1.
int HeaderImageIndex(uint32_t format, int image) noexcept;

// Where a section's image (`icon`, empty for none) and its text (`text` as measured)
// go, relative to a section of `section` size. The text follows the image and is
// clipped to the section.
struct HeaderItemPlan {
    core::Rect icon;
    core::Rect text;
};
HeaderItemPlan PlanHeaderItem(core::Size section, core::Size icon, core::Size text, TAlignment alignment) noexcept;
