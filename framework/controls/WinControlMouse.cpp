#include "framework/controls/WinControl.h"

#include "framework/forms/Application.h"
#include "framework/win/Convert.h"

#include <utility>

#include <windowsx.h>

// Mouse routing: windowless children get the mouse from their parent window, the
// control under the mouse gets enter and leave notices, and a pressed windowless
// control holds the mouse until the last button is released.

namespace {

// The control under the mouse, and the windowless control that holds the mouse while
// a button is down; per thread, as input is.
thread_local TControl* t_mouseControl = nullptr;
thread_local TControl* t_captureControl = nullptr;

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

bool AnyButtonHeld() {
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

// The press a double click stands for, for controls that do not take double clicks.
UINT AsPress(UINT message) {
    switch (message) {
    case WM_LBUTTONDBLCLK: return WM_LBUTTONDOWN;
    case WM_RBUTTONDBLCLK: return WM_RBUTTONDOWN;
    case WM_MBUTTONDBLCLK: return WM_MBUTTONDOWN;
    default: return message;
    }
}

}  // namespace

void TWinControl::TrackMouseControl(TControl* target) {
    if (t_mouseControl == target) return;
    TControl* old = t_mouseControl;
    t_mouseControl = target;
    if (Application) Application->HintControlChanged(target);
    if (old) old->Perform(kMsgMouseLeave, 0, reinterpret_cast<LPARAM>(old));
    if (target && t_mouseControl == target) target->Perform(kMsgMouseEnter, 0, reinterpret_cast<LPARAM>(target));
}

void TWinControl::ForgetControl(const TControl& control) noexcept {
    if (t_mouseControl == &control) t_mouseControl = nullptr;
    if (t_captureControl == &control) t_captureControl = nullptr;
    if (Application) Application->ControlGone(control);
}

bool TWinControl::RouteMouse(TMessage& message) {
    const core::Point p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (message.Msg == WM_MOUSEMOVE) {
        RECT client{};
        ::GetClientRect(m_handle, &client);
        TControl* under = nullptr;
        if (::PtInRect(&client, ToPOINT(p))) {
            under = ControlAtPos(p, true);
            if (!under) under = this;
        }
        TrackMouseControl(under);
        m_leave.Track(m_handle);
    }

    // A press puts any hint away.
    if (IsButtonDown(message.Msg) && Application) Application->CancelHint();
    TControl* target = (t_captureControl && t_captureControl->Parent() == this) ? t_captureControl : ControlAtPos(p);
    if (!target) return false;
    TMessage forwarded = message;
    if (!Has(target->Style(), ControlStyle::DoubleClicks)) forwarded.Msg = AsPress(message.Msg);
    forwarded.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    if (IsButtonDown(message.Msg) && !t_captureControl && Has(target->Style(), ControlStyle::CaptureMouse)) {
        t_captureControl = target;
        ::SetCapture(m_handle);
    }
    const bool release = IsButtonUp(message.Msg);
    target->m_windowProc(forwarded);
    message.Result = forwarded.Result;
    if (release && t_captureControl == target && !AnyButtonHeld()) {
        t_captureControl = nullptr;
        if (::GetCapture() == m_handle) ::ReleaseCapture();
    }
    return true;
}

bool TWinControl::MouseMessage(TMessage& message) {
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MBUTTONDBLCLK) {
        if (!m_handle || !RouteMouse(message)) TControl::WndProc(message);
        return true;
    }
    switch (message.Msg) {
    case WM_MOUSELEAVE:
        m_leave.Reset();
        if (t_mouseControl &&
            (t_mouseControl == this || (t_mouseControl->Parent() == this && !t_mouseControl->Is<TWinControl>())))
            TrackMouseControl(nullptr);
        DefaultHandler(message);
        return true;
    case WM_CAPTURECHANGED:
        if (t_captureControl && t_captureControl->Parent() == this &&
            reinterpret_cast<HWND>(message.LParam) != m_handle) {
            TControl* lost = std::exchange(t_captureControl, nullptr);
            lost->Perform(WM_CAPTURECHANGED, message.WParam, message.LParam);
        }
        TControl::WndProc(message);
        return true;
    default: return false;
    }
}

void TWinControl::MouseWindowGone() noexcept {
    m_leave.Reset();
    ForgetControl(*this);
    if (t_captureControl && t_captureControl->Parent() == this) t_captureControl = nullptr;
}
