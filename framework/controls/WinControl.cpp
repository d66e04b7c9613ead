#include "framework/controls/WinControl.h"

#include "framework/controls/WinControlRouter.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"
#include "framework/win/Convert.h"

#include <algorithm>
#include <vector>

TWinControl::TWinControl() : m_router{new Router(*this)} {
    SetControlStyle(ControlStyle::ClickEvents | ControlStyle::CaptureMouse | ControlStyle::DoubleClicks);
}

TWinControl::~TWinControl() {
    // Leave the parent while this is still a window control to it (tab order, window).
    if (Parent()) Parent()->RemoveControl(*this);
    // Children outliving their parent are left without one; their windows die with ours.
    for (TControl* child : m_controls) child->m_parent = nullptr;
    m_controls.clear();
    m_tabList.clear();
    DestroyHandle();
    ForgetControl(*this);
}

// ---- children --------------------------------------------------------------------

TControl* TWinControl::Controls(int index) const noexcept {
    if (index < 0 || index >= ControlCount()) return nullptr;
    return m_controls[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const noexcept {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

bool TWinControl::HasWindowlessChildren() const noexcept {
    return std::any_of(m_controls.begin(), m_controls.end(), [](const TControl* c) {
        return !c->Is<TWinControl>() && !Has(c->Style(), ControlStyle::ShownByParent);
    });
}

TControl* TWinControl::ControlAtPos(core::Point p, bool allowDisabled) const noexcept {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* c = *it;
        if (c->Is<TWinControl>() || !c->Visible() || (!c->Enabled() && !allowDisabled) ||
            Has(c->Style(), ControlStyle::ShownByParent))
            continue;
        if (c->BoundsRect().Contains(p)) return c;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl& control) {
    m_controls.push_back(&control);
    if (auto* w = As<TWinControl>(&control)) {
        m_tabList.push_back(w);
        if (m_handle && !IsLoading() && !control.IsLoading()) w->HandleNeeded();
    } else {
        control.Invalidate();
    }
    ControlsChanged();
}

void TWinControl::RemoveControl(TControl& control) {
    if (std::find(m_controls.begin(), m_controls.end(), &control) == m_controls.end()) return;
    if (auto* w = As<TWinControl>(&control)) {
        std::erase(m_tabList, w);
        w->DestroyHandle();
    } else if (m_handle && control.Visible()) {
        const RECT r = ToRECT(control.BoundsRect());
        ::InvalidateRect(m_handle, &r, TRUE);
    }
    std::erase(m_controls, &control);
    control.m_parent = nullptr;
    ForgetControl(control);
    if (TCustomForm* form = GetParentForm(*this)) form->ControlRemoved(control);
    if (control.Align() != TAlign::alNone && !IsDestroying()) Realign();
    if (!IsDestroying()) ControlsChanged();
}

void TWinControl::Broadcast(TMessage& message) {
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        c->Deliver(message);
        if (message.Result != 0) return;
    }
}

// ---- bounds, looks -----------------------------------------------------------------

HBRUSH TWinControl::Brush() {
    if (!m_brush) m_brush = BrushHandle{::CreateSolidBrush(ColorToRGB(Color()))};
    return m_brush.Get();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    if (m_handle) {
        // The window reports its new bounds back through WM_WINDOWPOSCHANGED.
        ::SetWindowPos(m_handle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        if (::IsIconic(m_handle)) UpdateBoundsFields(left, top, width, height);
    } else {
        UpdateBoundsFields(left, top, width, height);
    }
    RequestRealign();
}

void TWinControl::ReadBoundsFromWindow() {
    RECT r{};
    if (!m_handle || !::GetWindowRect(m_handle, &r)) return;
    if (::GetWindowLongPtrW(m_handle, GWL_STYLE) & WS_CHILD)
        ::MapWindowPoints(HWND_DESKTOP, ::GetParent(m_handle), reinterpret_cast<POINT*>(&r), 2);
    UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TWinControl::BoundsChanged(bool sizeChanged) {
    if (sizeChanged) Realign();
    TControl::BoundsChanged(sizeChanged);
}

core::Rect TWinControl::ClientRect() const {
    RECT r{};
    if (m_handle && ::GetClientRect(m_handle, &r)) return FromRECT(r);
    return TControl::ClientRect();
}

core::Point TWinControl::ClientToScreen(core::Point p) const {
    if (!m_handle) return TControl::ClientToScreen(p);
    POINT point{p.x, p.y};
    ::ClientToScreen(m_handle, &point);
    return {point.x, point.y};
}

bool TWinControl::Showing() const noexcept { return m_handle && ::IsWindowVisible(m_handle); }

void TWinControl::SetVisible(bool value) {
    if (value == Visible()) return;
    TControl::SetVisible(value);
    if (m_handle) ::ShowWindow(m_handle, value ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetEnabled(bool value) {
    if (value == Enabled()) return;
    if (m_handle) ::EnableWindow(m_handle, value);
    TControl::SetEnabled(value);
}

void TWinControl::Invalidate() {
    if (m_handle) ::InvalidateRect(m_handle, nullptr, TRUE);
}

void TWinControl::Update() {
    if (m_handle) ::UpdateWindow(m_handle);
}

void TWinControl::CaptionChanged() {
    if (m_handle) ::SetWindowTextW(m_handle, Caption().c_str());
    Invalidate();
}

void TWinControl::ColorChanged() {
    m_brush = BrushHandle{};
    for (TControl* c : m_controls)
        if (c->ParentColor()) {
            c->m_color = Color();
            c->ColorChanged();
            c->Invalidate();
        }
    TControl::ColorChanged();
}

void TWinControl::FontChanged() {
    if (m_handle) ::SendMessageW(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    for (TControl* c : m_controls)
        if (c->ParentFont()) c->InheritFont(Font());
    TControl::FontChanged();
}

void TWinControl::BiDiModeChanged() {
    DWORD add = 0;
    if (UseRightToLeftReading()) add |= WS_EX_RTLREADING;
    if (UseRightToLeftAlignment()) add |= WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    UpdateStyle(add, (WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR) & ~add, true);
}

void TWinControl::ParentChanged() {
    TControl::ParentChanged();
    for (TControl* c : m_controls) c->ParentChanged();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (m_pendingTabOrder >= 0) {
        const int order = std::exchange(m_pendingTabOrder, -1);
        SetTabOrder(order);
    }
    Realign();
}

void TWinControl::Publish(TPublisher<TWinControl>& p) {
    p.Integer(u"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Stored([](const TObject& o) { return static_cast<const TWinControl&>(o).Parent() != nullptr; });
    p.Bool(u"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
}

DibSection* TWinControl::PaintBuffer() noexcept { return Parent() ? Parent()->PaintBuffer() : nullptr; }

// ---- messages ----------------------------------------------------------------------

void TWinControl::MainWndProc(TMessage& message) noexcept {
    try {
        WindowProc()(message);
    } catch (...) {
        // No exception may unwind into user32: the standard handler reports it.
        HandleApplicationException(this);
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!m_handle) return;
    // The framework's own notifications mean nothing to the window's class procedure.
    if (IsFrameworkMessage(message.Msg)) return;
    message.Result = m_router->CallPrevious(message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        if (::IsIconic(m_handle)) return;
        ReadBoundsFromWindow();
        // Another frame (a skin's, a menu) changes the client area while the bounds stay.
        if (const auto* place = reinterpret_cast<const WINDOWPOS*>(message.LParam);
            place && (place->flags & SWP_FRAMECHANGED))
            Realign();
        return;
    case WM_SETTEXT:
        DefaultHandler(message);
        if (message.Result && message.LParam) {
            // Someone set the window text directly; the caption follows, without a round trip.
            m_caption = reinterpret_cast<const wchar_t*>(message.LParam);
        }
        return;
    case WM_SETCURSOR:
        if (LOWORD(message.LParam) == HTCLIENT && reinterpret_cast<HWND>(message.WParam) == m_handle) {
            TCursor cursor = Screen ? Screen->Cursor() : crDefault;
            if (cursor == crDefault) {
                POINT p{};
                ::GetCursorPos(&p);
                ::ScreenToClient(m_handle, &p);
                TControl* under = ControlAtPos({p.x, p.y}, true);
                cursor = under ? under->Cursor() : crDefault;
                if (cursor == crDefault) cursor = Cursor();
            }
            if (cursor != crDefault) {
                ::SetCursor(CursorHandle(cursor));
                message.Result = TRUE;
                return;
            }
        }
        DefaultHandler(message);
        return;
    case WM_SETFOCUS: {
        DefaultHandler(message);
        TWinControl* top = this;
        while (top->Parent()) top = top->Parent();
        top->Perform(kMsgFocusChanged, 0, reinterpret_cast<LPARAM>(this));
        return;
    }
    case WM_KILLFOCUS:
        DefaultHandler(message);
        Perform(kMsgExit);
        return;
    case kMsgFocusChanged:
        Broadcast(message);
        message.Result = 0;
        return;
    case kMsgDialogKey:
    case kMsgDialogChar:
        // The form's keys reach the controls inside containers too (a default button on a panel).
        Broadcast(message);
        return;
    case WM_NCDESTROY:
        DefaultHandler(message);
        DetachWindow();
        MouseWindowGone();
        return;
    default: break;
    }

    if (PaintMessage(message) || MouseMessage(message) || ReflectedMessage(message)) return;
    TControl::WndProc(message);
}

TCustomForm* GetParentForm(const TControl& control) noexcept {
    const TControl* c = &control;
    while (c->Parent()) c = c->Parent();
    return const_cast<TCustomForm*>(As<TCustomForm>(c));
}
