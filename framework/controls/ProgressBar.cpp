#include "framework/controls/ProgressBar.h"

#include <commctrl.h>

TProgressBar::TProgressBar() : RangeControl{*this, {0, 100, 0}} { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = PROGRESS_CLASSW;
    params.commonControls = ICC_PROGRESS_CLASS;
    if (m_orientation == TProgressBarOrientation::pbVertical) params.style |= PBS_VERTICAL;
    if (m_smooth) params.style |= PBS_SMOOTH;
}

void TProgressBar::InitializeWindow() {
    ::SendMessageW(HandleIfAllocated(), PBM_SETSTEP, static_cast<WPARAM>(m_step), 0);
    ShowRange();
}

void TProgressBar::ShowRange() {
    HWND bar = HandleIfAllocated();
    if (!bar) return;
    ::SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(m_range.min), static_cast<LPARAM>(m_range.max));
    ShowPosition();
}

void TProgressBar::ShowPosition() {
    if (HWND bar = HandleIfAllocated()) ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(m_range.position), 0);
}

void TProgressBar::Loaded() {
    TWinControl::Loaded();
    SettleRange();
}

void TProgressBar::SetStep(int value) {
    m_step = value;
    if (HWND bar = HandleIfAllocated()) ::SendMessageW(bar, PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

void TProgressBar::StepIt() {
    m_range.position = m_range.SteppedRound(m_step);
    ShowPosition();
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
    if (value == m_orientation) return;
    m_orientation = value;
    RecreateWnd();
}

void TProgressBar::SetSmooth(bool value) {
    if (value == m_smooth) return;
    m_smooth = value;
    RecreateWnd();
}

void TProgressBar::Publish(TPublisher<TProgressBar>& p) {
    p.Integer(u"Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0);
    p.Integer(u"Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100);
    p.Integer(u"Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0);
    p.Integer(u"Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10);
    p.Enum(u"Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation)
        .Default(TProgressBarOrientation::pbHorizontal);
    p.Bool(u"Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth).Default(false);
}
