#include "framework/controls/Button.h"

TButton::TButton() { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.style |= ButtonType();
}

void TButton::SetDefault(bool value) {
    m_default = value;
    FollowFocus(FindControl(::GetFocus()));
}

void TButton::FollowFocus(const TControl* focused) {
    const auto* button = As<TButton>(focused);
    SetActive(button ? button == this : m_default);
}

void TButton::SetActive(bool value) {
    if (value == m_active) return;
    m_active = value;
    if (HWND window = HandleIfAllocated()) ::SendMessageW(window, BM_SETSTYLE, ButtonType(), TRUE);
}

void TButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case kMsgDialogKey: {
        const bool plain = ShiftFromKeyboard() == TShiftState::None;
        const bool mine = (message.WParam == VK_RETURN && m_active) || (message.WParam == VK_ESCAPE && m_cancel);
        if (plain && mine && CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    }
    case kMsgFocusChanged: FollowFocus(reinterpret_cast<TWinControl*>(message.LParam)); break;
    default: break;
    }
    TButtonControl::WndProc(message);
}

void TButton::Publish(TPublisher<TButton>& p) {
    p.Bool(u"Default", &TButton::Default, &TButton::SetDefault).Default(false);
    p.Bool(u"Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    p.Integer(u"ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
        .Default(mrNone)
        .Idents(ModalResultIdents());
}
