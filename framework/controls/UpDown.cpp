#include "framework/controls/UpDown.h"

#include <algorithm>

#include <commctrl.h>

TCustomUpDown::TCustomUpDown() : RangeControl{*this, {0, 100, 0}} {
    // A step clicks (OnClick with its button), not the press and release around it.
    SetControlStyle(ControlStyle::CaptureMouse);
    SetBounds(0, 0, 17, 25);
}

void TCustomUpDown::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = UPDOWN_CLASSW;
    params.commonControls = ICC_UPDOWN_CLASS;
    params.style |= UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
    if (m_associate) params.style |= UDS_ALIGNRIGHT;
    if (m_arrowKeys) params.style |= UDS_ARROWKEYS;
    if (m_wrap) params.style |= UDS_WRAP;
    if (m_orientation == TUDOrientation::udHorizontal) params.style |= UDS_HORZ;
}

void TCustomUpDown::InitializeWindow() {
    SetIncrement(m_increment);
    ShowRange();
    SendBuddy();
}

void TCustomUpDown::SendBuddy() {
    HWND spin = HandleIfAllocated();
    if (!spin) return;
    TWinControl* associate = m_associate.Get();
    ::SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate ? associate->Handle() : nullptr), 0);
    // The buddy shows the position from the start, not only after the first step.
    if (associate) ::SendMessageW(spin, UDM_SETPOS32, 0, m_range.position);
}

void TCustomUpDown::ShowRange() {
    if (HWND spin = HandleIfAllocated()) ::SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(m_range.min), m_range.max);
    ShowPosition();
}

void TCustomUpDown::ShowPosition() {
    if (HWND spin = HandleIfAllocated()) ::SendMessageW(spin, UDM_SETPOS32, 0, m_range.position);
}

TWinControl* TCustomUpDown::Associate() const noexcept { return m_associate.Get(); }

void TCustomUpDown::SetAssociate(TWinControl* value) {
    if (value == this) return;
    const bool aligned = static_cast<bool>(m_associate);
    m_associate = value;
    if (IsLoading() || !HandleAllocated()) return;
    // Whether the buttons stick to the associate is decided when the window is made.
    if (aligned != (value != nullptr)) RecreateWnd();
    else SendBuddy();
}

void TCustomUpDown::SetIncrement(int value) {
    m_increment = value;
    if (HWND spin = HandleIfAllocated()) {
        UDACCEL step{0, static_cast<UINT>(std::max(value, 1))};
        ::SendMessageW(spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    }
}

void TCustomUpDown::SetOrientation(TUDOrientation value) {
    if (value == m_orientation) return;
    m_orientation = value;
    if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TCustomUpDown::SetWrap(bool value) {
    if (value == m_wrap) return;
    m_wrap = value;
    RecreateWnd();
}

void TCustomUpDown::SetArrowKeys(bool value) {
    if (value == m_arrowKeys) return;
    m_arrowKeys = value;
    RecreateWnd();
}

void TCustomUpDown::Loaded() {
    TWinControl::Loaded();
    SettleRange();
    SendBuddy();
}

void TCustomUpDown::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectNotify && message.LParam &&
        reinterpret_cast<const NMHDR*>(message.LParam)->code == UDN_DELTAPOS) {
        const auto& step = *reinterpret_cast<const NMUPDOWN*>(message.LParam);
        bool allow = true;
        Fire(OnChanging, this, allow);
        m_lastStep = step.iDelta;
        message.Result = allow ? 0 : 1;  // non-zero keeps the position
        return;
    }
    if (message.Msg == kMsgReflectVScroll || message.Msg == kMsgReflectHScroll) {
        if (LOWORD(message.WParam) == SB_THUMBPOSITION) {
            const auto position = static_cast<int>(::SendMessageW(HandleIfAllocated(), UDM_GETPOS32, 0, 0));
            m_range.SetPosition(position, Settling::Now);
            Fire(OnClick, this, m_lastStep > 0 ? TUDBtnType::btNext : TUDBtnType::btPrev);
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomUpDown::Publish(TPublisher<TCustomUpDown>& p) {
    p.Reference(u"Associate", &TCustomUpDown::Associate, &TCustomUpDown::SetAssociate);
    p.Integer(u"Min", &TCustomUpDown::Min, &TCustomUpDown::SetMin).Default(0);
    p.Integer(u"Max", &TCustomUpDown::Max, &TCustomUpDown::SetMax).Default(100);
    p.Integer(u"Position", &TCustomUpDown::Position, &TCustomUpDown::SetPosition).Default(0);
    p.Integer(u"Increment", &TCustomUpDown::Increment, &TCustomUpDown::SetIncrement).Default(1);
    p.Enum(u"Orientation", &TCustomUpDown::Orientation, &TCustomUpDown::SetOrientation)
        .Default(TUDOrientation::udVertical);
    p.Bool(u"Wrap", &TCustomUpDown::Wrap, &TCustomUpDown::SetWrap).Default(false);
    p.Bool(u"ArrowKeys", &TCustomUpDown::ArrowKeys, &TCustomUpDown::SetArrowKeys).Default(true);
    p.Event(u"OnChanging", &TCustomUpDown::OnChanging);
    p.Event(u"OnClick", &TCustomUpDown::OnClick);
}
