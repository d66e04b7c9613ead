#pragma once
// What window skinning asks of any window: its class name, its size, and a child window
// of a class (an MDI frame's "MDIClient").

#include "framework/core/Geometry.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include <windows.h>

inline std::wstring ClassNameOf(HWND window) {
    std::array<wchar_t, 256> name{};
    const int length = ::GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return std::wstring(name.data(), static_cast<size_t>(std::max(length, 0)));
}

inline core::Size WindowSize(HWND window) noexcept {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The first child window of `window` whose class is `className`, or null.
inline HWND ChildOfClass(HWND window, std::wstring_view className) {
    for (HWND child = ::GetTopWindow(window); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ClassNameOf(child) == className) return child;
    return nullptr;
}
