#pragma once
// The real pointer, moved and pressed through SendInput as a user's mouse would be, for
// tests that must see what the system makes of real input (capture, hover, cursors).

#include <windows.h>

// Moves the pointer to a screen point.
inline void MoveTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(x * 65535.0 / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
    input.mi.dy = static_cast<LONG>(y * 65535.0 / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

inline void MoveTo(POINT p) { MoveTo(p.x, p.y); }

// One button event where the pointer is: MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP...
inline void Button(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof input);
}
