#pragma once
// Where aligned controls go inside their parent: top ones first, then bottom, left,
// right, and the client one in what is left. Platform-neutral, so the arithmetic is
// tested natively.

#include "framework/controls/ControlTypes.h"
#include "framework/core/Geometry.h"

#include <span>

struct AlignItem {
    TAlign align = TAlign::alNone;
    core::Rect bounds;     // in: the current bounds; out: the aligned bounds
    bool visible = true;   // hidden controls keep their bounds and take no room
};

// Aligns `items` inside `client` and returns the room left over. Controls of one
// alignment are stacked in the order of their current position (top to bottom for
// alTop, bottom to top for alBottom, and so on), ties kept in list order. A control
// keeps its own size across the stacking direction and is stretched along the other;
// sizes never go below zero.
core::Rect AlignItems(std::span<AlignItem> items, core::Rect client);

// The size a splitter gives the control it resizes when dragged by `delta` pixels
// (positive = towards the client area). `maxSize` is the largest size that leaves
// `minSize` to the client area. With `autoSnap` a size below half of `minSize` snaps
// to 0 (the control is folded away); any other size below `minSize` becomes `minSize`.
int SplitterNewSize(int startSize, int delta, int minSize, int maxSize, bool autoSnap) noexcept;

// The largest size of the control a splitter resizes: the parent's extent along the
// splitter's axis, less the room the other aligned controls on that axis take, the
// splitter's own thickness and `minSize` for the client area. Never below 0.
int SplitterMaxSize(int parentExtent, int othersExtent, int splitterThickness, int minSize) noexcept;
