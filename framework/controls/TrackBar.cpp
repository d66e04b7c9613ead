#include "framework/controls/TrackBar.h"

#include <commctrl.h>

TTrackBar::TTrackBar() : RangeControl{*this, {0, 10, 0}} {
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = TRACKBAR_CLASSW;
    params.commonControls = ICC_BAR_CLASSES;
    params.style |= m_orientation == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
    if (m_tickStyle == TTickStyle::tsNone) params.style |= TBS_NOTICKS;
    if (m_tickStyle == TTickStyle::tsAuto) params.style |= TBS_AUTOTICKS;
    if (m_tickMarks == TTickMark::tmTopLeft) params.style |= TBS_TOP;  // TBS_LEFT when vertical
    if (m_tickMarks == TTickMark::tmBoth) params.style |= TBS_BOTH;
}

void TTrackBar::InitializeWindow() {
    HWND bar = HandleIfAllocated();
    ::SendMessageW(bar, TBM_SETLINESIZE, 0, m_lineSize);
    ::SendMessageW(bar, TBM_SETPAGESIZE, 0, m_pageSize);
    ShowRange();
}

void TTrackBar::ShowRange() {
    HWND bar = HandleIfAllocated();
    if (!bar) return;
    // The control keeps a mark for every step of the frequency and counts them again at
    // every change of the range: the widest step while the range changes, then one
    // that gives few enough marks for the new range.
    ::SendMessageW(bar, TBM_SETTICFREQ, PositionRange::kMaxTickFrequency, 0);
    ::SendMessageW(bar, TBM_SETRANGEMIN, FALSE, m_range.min);
    ::SendMessageW(bar, TBM_SETRANGEMAX, FALSE, m_range.max);
    ::SendMessageW(bar, TBM_SETTICFREQ, static_cast<WPARAM>(m_range.AutoTickFrequency(m_frequency)), 0);
    ShowPosition();
}

void TTrackBar::ShowPosition() {
    if (HWND bar = HandleIfAllocated()) ::SendMessageW(bar, TBM_SETPOS, TRUE, m_range.position);
}

void TTrackBar::Loaded() {
    TWinControl::Loaded();
    SettleRange();
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (value == m_orientation) return;
    m_orientation = value;
    if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TTrackBar::SetFrequency(int value) {
    m_frequency = value;
    ShowRange();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
    if (value == m_tickStyle) return;
    m_tickStyle = value;
    RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value) {
    if (value == m_tickMarks) return;
    m_tickMarks = value;
    RecreateWnd();
}

void TTrackBar::SetLineSize(int value) {
    m_lineSize = value;
    if (HWND bar = HandleIfAllocated()) ::SendMessageW(bar, TBM_SETLINESIZE, 0, value);
}

void TTrackBar::SetPageSize(int value) {
    m_pageSize = value;
    if (HWND bar = HandleIfAllocated()) ::SendMessageW(bar, TBM_SETPAGESIZE, 0, value);
}

void TTrackBar::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectHScroll || message.Msg == kMsgReflectVScroll) {
        // The control moved the thumb itself; the position follows it.
        const auto position = static_cast<int>(::SendMessageW(HandleIfAllocated(), TBM_GETPOS, 0, 0));
        message.Result = 0;
        if (position == m_range.position) return;
        m_range.SetPosition(position, Settling::Now);
        Fire(OnChange, this);
        return;
    }
    TWinControl::WndProc(message);
}

void TTrackBar::Publish(TPublisher<TTrackBar>& p) {
    p.Integer(u"Min", &TTrackBar::Min, &TTrackBar::SetMin).Default(0);
    p.Integer(u"Max", &TTrackBar::Max, &TTrackBar::SetMax).Default(10);
    p.Integer(u"Position", &TTrackBar::Position, &TTrackBar::SetPosition).Default(0);
    p.Enum(u"Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation)
        .Default(TTrackBarOrientation::trHorizontal);
    p.Integer(u"Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency).Default(1);
    p.Enum(u"TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle).Default(TTickStyle::tsAuto);
    p.Enum(u"TickMarks", &TTrackBar::TickMarks, &TTrackBar::SetTickMarks).Default(TTickMark::tmBottomRight);
    p.Integer(u"LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize).Default(1);
    p.Integer(u"PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize).Default(2);
    p.Event(u"OnChange", &TTrackBar::OnChange);
}
