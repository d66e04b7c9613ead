#pragma once
// Where a skinned group box draws: its line runs through the middle of the caption's
// height, the caption sits on the line eight pixels in from one end. Platform-neutral.

#include "framework/core/Geometry.h"

struct GroupBoxPlan {
    // The window's own two-pixel frame, outer ring: painted over where the box paints
    // itself first. The inner ring is this shrunk by one.
    core::Rect ownFrame;
    // The rounded outline.
    core::Rect edge;
    // The caption, drawn opaque so that it interrupts the line.
    core::Rect caption;
};

// The plan for a box of `size` whose font's "0" is `digitHeight` high and whose caption
// measures `caption`; `rightAligned` puts the caption at the right end.
GroupBoxPlan PlanGroupBox(core::Size size, int digitHeight, core::Size caption, bool rightAligned) noexcept;
