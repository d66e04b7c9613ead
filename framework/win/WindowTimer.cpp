#include "framework/win/WindowTimer.h"

#include "framework/win/Win32Error.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

WindowTimer::~WindowTimer() { Stop(); }

void WindowTimer::Start(unsigned intervalMs) {
    if (!m_window)
        m_window = std::make_unique<UtilityWindow>([this](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
            if (message != WM_TIMER || wParam != kTimerId) return false;
            // KillTimer leaves a WM_TIMER that was already due in the queue.
            if (m_running) m_tick();
            return true;
        });
    // The same window and id reset a running timer.
    if (!::SetTimer(m_window->Handle(), kTimerId, intervalMs, nullptr)) {
        const auto error = Win32Error::Last(u"SetTimer");
        Stop();
        throw error;
    }
    m_running = true;
}

void WindowTimer::Stop() noexcept {
    if (m_running) ::KillTimer(m_window->Handle(), kTimerId);
    m_running = false;
}
