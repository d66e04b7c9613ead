#pragma once
// The arithmetic of a skinned scroll bar: where a scroll-bar control's thumb lies, which
// part a point is over, the cells and frames each part is drawn in, where arrows,
// shaft, thumb and gripper go, and where a dragged thumb is shown. Lengths run along the
// bar (down a vertical one, right along a horizontal one); `arrow` is the system's arrow
// size. Platform-neutral.

#include "framework/core/Geometry.h"

#include <cstdint>

// The parts of a bar, numbered as the system numbers the scroll codes of the same parts
// (line up, line down, page up, page down, thumb track).
enum class ScrollPart : int8_t {
    None = -1,
    FirstArrow = 0,
    SecondArrow = 1,
    PageBefore = 2,
    PageAfter = 3,
    Thumb = 5,
};

// A scroll code of WM_HSCROLL or WM_VSCROLL as the part it came from; None for the
// codes that name no part (ends, thumb position, end of scroll).
ScrollPart PartOfScrollCode(int code) noexcept;

// The thumb along the bar, from its start to its end (exclusive).
struct ThumbSpan {
    int start = 0;
    int end = 0;
    int Length() const noexcept { return end - start; }
    bool operator==(const ThumbSpan&) const noexcept = default;
};

// What a scroll-bar control reports of its range.
struct ScrollRange {
    int min = 0;
    int max = 0;
    int page = 0;
    int position = 0;
};

// The thumb of a scroll-bar control `length` long: scaled over the shaft between the
// arrows by the page (or one arrow long without a page), right after the first arrow
// at the minimum. A range without extent, or a bar too short for its arrows, has no
// thumb (an empty span after the first arrow); a page longer than the range fills
// the shaft.
ThumbSpan ControlThumb(int length, int arrow, const ScrollRange& range) noexcept;

// The arrow length drawn and hit: the system's, or half the bar on a bar shorter than
// two arrows.
int ArrowLength(int length, int arrow) noexcept;

// The part at `along` pixels from the bar's start.
ScrollPart HitPart(int along, int length, int arrow, const ThumbSpan& thumb) noexcept;

// How thick the bar is drawn: as high as the skin's buttons strip, or the system's
// arrow size when the two differ by more than two pixels.
int DrawingThickness(int stripHeight, int arrow) noexcept;

// Cells of the skin's scroll-bar strip (from 1).
int ArrowCell(bool vertical, bool second, bool hot, bool pressed) noexcept;
int GripperCell(bool vertical, bool hot, bool pressed) noexcept;
// Frames of the thumb object: 1 normal, 2 pressed, 3 hot.
int ThumbFrame(bool hot, bool pressed) noexcept;
// Frames of the shaft objects: 1 normal, 3 when the bar is unavailable.
int ShaftFrame(bool unavailable) noexcept;

// Where a thumb dragged by `moved` pixels along the bar is shown: moved with the pointer
// from where it was pressed, kept between the arrows.
ThumbSpan DraggedThumb(const ThumbSpan& pressed, int moved, int length, int arrow) noexcept;

// The rectangles of a bar drawn `length` long and `thickness` thick, in the bar's own
// picture (origin 0, 0; a vertical bar is `thickness` wide). The gripper is empty when
// the strip (`stripHeight` long) does not fit on the thumb; the thumb is empty when it
// is not wholly inside the bar.
struct ScrollBarPlan {
    core::Rect firstArrow;
    core::Rect secondArrow;
    core::Rect shaft;
    core::Rect thumb;
    core::Rect gripper;
};
ScrollBarPlan PlanScrollBar(int length, int thickness, bool vertical, int arrow, const ThumbSpan& thumb,
                            int stripHeight) noexcept;
