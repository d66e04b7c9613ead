#pragma once
// A timer that calls its owner back on the UI thread through a hidden utility window
// of its own: no module-wide table leads from a timer id to the object, and a WM_TIMER
// still queued when the timer stopped or died reaches nobody. The window is made at
// the first Start and dies with the timer.

#include "framework/win/UtilityWindow.h"

#include <functional>
#include <memory>
#include <utility>

class WindowTimer {
public:
    explicit WindowTimer(std::function<void()> tick) noexcept : m_tick{std::move(tick)} {}
    ~WindowTimer();
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // Ticks every `intervalMs` from now on; a running timer starts counting again.
    // Throws Win32Error; the timer is stopped then.
    void Start(unsigned intervalMs);
    void Stop() noexcept;
    bool Running() const noexcept { return m_running; }

private:
    std::function<void()> m_tick;
    std::unique_ptr<UtilityWindow> m_window;
    bool m_running = false;
};
