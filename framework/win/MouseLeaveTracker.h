#pragma once
// Hover that ends when the mouse leaves: asks the system for one WM_MOUSELEAVE per
// entry of the mouse into a window. Framework windows, the movie player and control
// skins each keep one per window they track.

#include <windows.h>

class MouseLeaveTracker {
public:
    // Call on WM_MOUSEMOVE: asks for the leave notice unless one is already pending.
    // False where the system cannot tell (TrackMouseEvent missing or refused).
    bool Track(HWND window) noexcept;
    // Call on WM_MOUSELEAVE, which uses the request up, and when the window goes.
    void Reset() noexcept { m_pending = false; }
    bool Pending() const noexcept { return m_pending; }

private:
    bool m_pending = false;
};
