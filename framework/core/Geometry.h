#pragma once
// Points, sizes and rectangles of the neutral code; Convert.h turns them into POINT,
// SIZE and RECT. A rectangle excludes its right and bottom edges, as RECT does.
// Platform-neutral.

#include <algorithm>

namespace core {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect FromBounds(int left, int top, int width, int height) noexcept {
        return {left, top, left + width, top + height};
    }
    constexpr int Width() const noexcept { return right - left; }
    constexpr int Height() const noexcept { return bottom - top; }
    constexpr bool IsEmpty() const noexcept { return right <= left || bottom <= top; }
    constexpr bool Contains(Point p) const noexcept { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr Rect Offset(int dx, int dy) const noexcept { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Grows (or, with negative amounts, shrinks) every side.
    constexpr Rect Inflate(int dx, int dy) const noexcept { return {left - dx, top - dy, right + dx, bottom + dy}; }
    constexpr Rect Intersect(const Rect& o) const noexcept {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace core
