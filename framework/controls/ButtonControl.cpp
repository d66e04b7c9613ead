#include "framework/controls/ButtonControl.h"

TButtonControl::TButtonControl() {
    // The window makes the clicks; a double click is one more press (see WndProc).
    SetControlStyle(ControlStyle::CaptureMouse);
    SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = L"BUTTON";
    if (m_wordWrap) params.style |= BS_MULTILINE;
}

void TButtonControl::InitializeWindow() {
    HWND window = HandleIfAllocated();
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    ::SendMessageW(window, BM_SETCHECK, CheckState(), 0);  // a push button has none to show
}

void TButtonControl::SetWordWrap(bool value) {
    if (value == m_wordWrap) return;
    m_wordWrap = value;
    if (value)
        UpdateStyle(BS_MULTILINE, 0, false);
    else
        UpdateStyle(0, BS_MULTILINE, false);
    Invalidate();
}

void TButtonControl::CheckStateChanged() {
    if (HWND window = HandleIfAllocated()) ::SendMessageW(window, BM_SETCHECK, CheckState(), 0);
    Perform(kMsgStateChanged);
}

void TButtonControl::SetCaptionSide(TAlignment& side, TAlignment value) {
    if (value == TAlignment::taCenter) value = TAlignment::taRightJustify;
    if (value == side) return;
    side = value;
    const DWORD style = CaptionSideStyle(value);
    UpdateStyle(style, BS_LEFTTEXT & ~style, false);
    Invalidate();
}

void TButtonControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDBLCLK:
        // A double click on an owner-drawn button or a radio button would only be
        // reported, not pressed: every press presses.
        message.Msg = WM_LBUTTONDOWN;
        break;
    case kMsgReflectCommand:
        if (HIWORD(message.WParam) == BN_CLICKED) ButtonClicked();
        return;
    default: break;
    }
    TWinControl::WndProc(message);
}

void TButtonControl::Publish(TPublisher<TButtonControl>& p) {
    p.Bool(u"WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap).Default(false);
}
