#include "framework/controls/ScrollBar.h"

#include <algorithm>
#include <cstdint>

TScrollBar::TScrollBar() : RangeControl{*this, {0, 100, 0}} {
    SetBounds(0, 0, 121, ::GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = L"SCROLLBAR";
    params.style |= m_kind == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::InitializeWindow() { ShowRange(); }

int TScrollBar::LastPosition() const noexcept {
    const int64_t last = int64_t{m_range.max} - std::max(m_pageSize - 1, 0);
    return static_cast<int>(std::max<int64_t>(last, m_range.min));
}

void TScrollBar::ShowRange() {
    if (!IsLoading()) {
        // The system keeps no page larger than the range.
        m_pageSize = static_cast<int>(std::min<int64_t>(m_pageSize, int64_t{m_range.max} - m_range.min + 1));
        m_range.position = std::clamp(m_range.position, m_range.min, LastPosition());
    }
    if (HWND bar = HandleIfAllocated()) {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, m_range.min, m_range.max,
                        static_cast<UINT>(std::max(m_pageSize, 0)), m_range.position, 0};
        ::SetScrollInfo(bar, SB_CTL, &info, TRUE);
    }
    ShowPosition();
}

void TScrollBar::ShowPosition() {
    if (IsLoading()) return;
    m_range.position = std::clamp(m_range.position, m_range.min, LastPosition());
    if (HWND bar = HandleIfAllocated()) ::SetScrollPos(bar, SB_CTL, m_range.position, TRUE);
    if (m_range.position == m_shownPosition) return;
    m_shownPosition = m_range.position;
    Fire(OnChange, this);
}

void TScrollBar::Loaded() {
    TWinControl::Loaded();
    SettleRange();
    m_shownPosition = m_range.position;  // read, not changed
}

void TScrollBar::SetKind(TScrollBarKind value) {
    if (value == m_kind) return;
    m_kind = value;
    if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TScrollBar::SetPageSize(int value) {
    m_pageSize = std::max(value, 0);
    ShowRange();
}

int TScrollBar::Target(TScrollCode code) const {
    const PositionRange& r = m_range;
    switch (code) {
    case TScrollCode::scLineUp: return r.Moved(-m_smallChange);
    case TScrollCode::scLineDown: return r.Moved(m_smallChange);
    case TScrollCode::scPageUp: return r.Moved(-m_largeChange);
    case TScrollCode::scPageDown: return r.Moved(m_largeChange);
    case TScrollCode::scPosition:
    case TScrollCode::scTrack: {
        // The thumb's place in 32 bits; the message carries only 16.
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        return ::GetScrollInfo(HandleIfAllocated(), SB_CTL, &info) ? info.nTrackPos : r.position;
    }
    case TScrollCode::scTop: return r.min;
    case TScrollCode::scBottom: return r.max;
    default: return r.position;
    }
}

void TScrollBar::Scroll(TScrollCode code) {
    int target = Target(code);
    Fire(OnScroll, this, code, target);
    SetPosition(target);
}

void TScrollBar::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectHScroll || message.Msg == kMsgReflectVScroll) {
        const WORD code = LOWORD(message.WParam);
        if (code <= SB_ENDSCROLL) Scroll(static_cast<TScrollCode>(code));
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

void TScrollBar::Publish(TPublisher<TScrollBar>& p) {
    p.Enum(u"Kind", &TScrollBar::Kind, &TScrollBar::SetKind).Default(TScrollBarKind::sbHorizontal);
    p.Integer(u"Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
    p.Integer(u"Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
    p.Integer(u"PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
    p.Integer(u"Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
    p.Integer(u"SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1);
    p.Integer(u"LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1);
    p.Event(u"OnChange", &TScrollBar::OnChange);
    p.Event(u"OnScroll", &TScrollBar::OnScroll);
}
