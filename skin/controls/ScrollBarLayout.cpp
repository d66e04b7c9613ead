#include "skin/controls/ScrollBarLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// a * b / c rounded half away from zero, as the system's MulDiv; c > 0.
int MulDivRounded(int a, int b, int c) noexcept {
    const int64_t product = int64_t{a} * b;
    const int64_t half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// A span along the bar as a rectangle across `thickness`.
core::Rect Across(int start, int end, int thickness, bool vertical) noexcept {
    return vertical ? core::Rect{0, start, thickness, end} : core::Rect{start, 0, end, thickness};
}

}  // namespace

ScrollPart PartOfScrollCode(int code) noexcept {
    switch (code) {
    case 0: return ScrollPart::FirstArrow;
    case 1: return ScrollPart::SecondArrow;
    case 2: return ScrollPart::PageBefore;
    case 3: return ScrollPart::PageAfter;
    case 5: return ScrollPart::Thumb;
    default: return ScrollPart::None;
    }
}

ThumbSpan ControlThumb(int length, int arrow, const ScrollRange& range) noexcept {
    const int64_t extent = int64_t{range.max} - range.min;
    const int shaft = length - 2 * arrow;
    // The system's MulDiv answers -1 for a zero divisor; a range without extent has no thumb.
    if (extent <= 0 || extent > INT32_MAX || shaft <= 0) return {arrow, arrow};
    const int r = static_cast<int>(extent);
    const int offset = static_cast<int>(std::clamp<int64_t>(int64_t{range.position} - range.min, 0, extent));
    int thumb = 0, start = arrow;
    if (range.page > 0) {
        thumb = std::min(MulDivRounded(shaft, range.page - 1, r), shaft);
        if (offset > 0) start = MulDivRounded(shaft, offset, r) + arrow;
    } else {
        thumb = std::min(arrow, shaft);
        if (offset > 0) start = MulDivRounded(std::max(shaft - arrow, 0), offset, r) + arrow;
    }
    start = std::min(start, length - arrow - thumb);
    return {start, start + thumb};
}

int ArrowLength(int length, int arrow) noexcept { return length < 2 * arrow ? std::max(length, 0) / 2 : arrow; }

ScrollPart HitPart(int along, int length, int arrow, const ThumbSpan& thumb) noexcept {
    const int a = ArrowLength(length, arrow);
    if (along < a) return ScrollPart::FirstArrow;
    if (along >= length - a) return ScrollPart::SecondArrow;
    if (along < thumb.start) return ScrollPart::PageBefore;
    if (along < thumb.end) return ScrollPart::Thumb;
    return ScrollPart::PageAfter;
}

int DrawingThickness(int stripHeight, int arrow) noexcept {
    return std::abs(stripHeight - arrow) > 2 ? arrow : stripHeight;
}

int ArrowCell(bool vertical, bool second, bool hot, bool pressed) noexcept {
    // Left, right, up and down, four cells each: normal, pressed, disabled, hot.
    const int base = vertical ? (second ? 13 : 9) : (second ? 5 : 1);
    return base + (pressed ? 1 : hot ? 3 : 0);
}

int GripperCell(bool vertical, bool hot, bool pressed) noexcept {
    return (vertical ? 20 : 17) + (pressed ? 1 : hot ? 2 : 0);
}

int ThumbFrame(bool hot, bool pressed) noexcept { return pressed ? 2 : hot ? 3 : 1; }

int ShaftFrame(bool unavailable) noexcept { return unavailable ? 3 : 1; }

ThumbSpan DraggedThumb(const ThumbSpan& pressed, int moved, int length, int arrow) noexcept {
    const int size = pressed.Length();
    const int start = std::max(std::min(pressed.start + moved, length - arrow - size), arrow);
    return {start, start + size};
}

ScrollBarPlan PlanScrollBar(int length, int thickness, bool vertical, int arrow, const ThumbSpan& thumb,
                            int stripHeight) noexcept {
    const int a = ArrowLength(length, arrow);
    ScrollBarPlan plan;
    plan.firstArrow = Across(0, a, thickness, vertical);
    plan.secondArrow = Across(length - a, length, thickness, vertical);
    if (length - a > a) plan.shaft = Across(a, length - a, thickness, vertical);
    if (thumb.start >= 0 && thumb.end <= length && thumb.Length() > 0) {
        plan.thumb = Across(thumb.start, thumb.end, thickness, vertical);
        if (stripHeight > 0 && stripHeight < thumb.Length() + 2) {
            const int from = thumb.start + (thumb.Length() - stripHeight) / 2;
            plan.gripper = Across(from, from + stripHeight, thickness, vertical);
        }
    }
    return plan;
}
