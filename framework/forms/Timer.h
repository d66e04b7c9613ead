#pragma once
// A message-driven timer: OnTimer runs from the message loop every Interval
// milliseconds while Enabled, between other messages (a handler assigned later is
// picked up at the next tick). An exception from OnTimer goes
// to the application's standard handler and the timer keeps running.

#include "framework/core/Component.h"
#include "framework/core/Events.h"
#include "framework/core/Properties.h"
#include "framework/win/WindowTimer.h"

#include <cstdint>

class TTimer : public TComponent {
    KESTRELLE_CLASS(TTimer, TComponent)

public:
    TTimer() = default;

    bool Enabled() const noexcept { return m_enabled; }
    void SetEnabled(bool value);
    // Milliseconds; 0 stops the timer.
    uint32_t Interval() const noexcept { return m_interval; }
    void SetInterval(uint32_t value);

    TNotifyEvent OnTimer;

    void Loaded() override;
    static void Publish(TPublisher<TTimer>& p);

private:
    void UpdateTimer();
    void Tick();

    bool m_enabled = true;
    uint32_t m_interval = 1000;
    WindowTimer m_timer{[this] { Tick(); }};
};
