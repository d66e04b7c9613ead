#include "framework/forms/Timer.h"

#include "framework/forms/Application.h"

void TTimer::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t value) {
    if (value == m_interval) return;
    m_interval = value;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    m_timer.Stop();
    // Nothing runs while the layout is still being read.
    if (!m_enabled || m_interval == 0 || IsLoading()) return;
    m_timer.Start(m_interval);
}

void TTimer::Tick() {
    try {
        Fire(OnTimer, this);
    } catch (...) {
        HandleApplicationException(this);
    }
}

void TTimer::Publish(TPublisher<TTimer>& p) {
    p.Bool(u"Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
    p.Integer(u"Interval", [](const TTimer& t) { return static_cast<int32_t>(t.Interval()); },
              [](TTimer& t, int32_t v) {
                  if (v < 0) throw EConvertError(u"Interval cannot be negative");
                  t.SetInterval(static_cast<uint32_t>(v));
              })
        .Default(1000);
    p.Event(u"OnTimer", &TTimer::OnTimer);
}
