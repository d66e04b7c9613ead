#include "framework/win/MouseLeaveTracker.h"

#include "framework/win/User32Functions.h"

bool MouseLeaveTracker::Track(HWND window) noexcept {
    if (m_pending) return true;
    // Looked up at run time: the systems that lack it simply get no leave notice.
    const auto call = PlatformUser32().trackMouseEvent;
    if (!call || !window) return false;
    static_assert(sizeof(TRACKMOUSEEVENT) == (sizeof(void*) == 4 ? 16 : 24), "the record the platform expects");
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof request;
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = window;
    m_pending = call(&request) != FALSE;
    return m_pending;
}
