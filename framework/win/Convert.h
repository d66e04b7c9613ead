#pragma once
// Conversions where platform-neutral types meet Win32 ones. wchar_t is 2 bytes on
// Windows, so UTF-16 text crosses unchanged; rectangles, points and sizes keep their
// fields (a RECT, like core::Rect, excludes its right and bottom edges).

#include "framework/core/Geometry.h"

#include <string>
#include <string_view>

#include <windows.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}
// The same text seen as UTF-16, without a copy (for code that must not allocate).
inline std::u16string_view AsUtf16(std::wstring_view text) noexcept {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

constexpr RECT ToRECT(const core::Rect& r) noexcept { return {r.left, r.top, r.right, r.bottom}; }
constexpr core::Rect FromRECT(const RECT& r) noexcept {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}
constexpr POINT ToPOINT(core::Point p) noexcept { return {p.x, p.y}; }
constexpr core::Point FromPOINT(POINT p) noexcept { return {static_cast<int>(p.x), static_cast<int>(p.y)}; }
constexpr SIZE ToSIZE(core::Size s) noexcept { return {s.width, s.height}; }
constexpr core::Size FromSIZE(SIZE s) noexcept { return {static_cast<int>(s.cx), static_cast<int>(s.cy)}; }
