#include "framework/controls/Control.h"

#include "framework/controls/GraphicControl.h"
#include "framework/controls/Menus.h"
#include "framework/controls/WinControl.h"
#include "framework/core/Exception.h"
#include "framework/win/Convert.h"

#include <windowsx.h>

TShiftState ShiftFromKeyFlags(WPARAM keys) noexcept {
    TShiftState shift = TShiftState::None;
    if (keys & MK_SHIFT) shift = shift | TShiftState::ssShift;
    if (keys & MK_CONTROL) shift = shift | TShiftState::ssCtrl;
    if (keys & MK_LBUTTON) shift = shift | TShiftState::ssLeft;
    if (keys & MK_RBUTTON) shift = shift | TShiftState::ssRight;
    if (keys & MK_MBUTTON) shift = shift | TShiftState::ssMiddle;
    if (::GetKeyState(VK_MENU) < 0) shift = shift | TShiftState::ssAlt;
    return shift;
}

TShiftState ShiftFromKeyboard() noexcept {
    TShiftState shift = TShiftState::None;
    if (::GetKeyState(VK_SHIFT) < 0) shift = shift | TShiftState::ssShift;
    if (::GetKeyState(VK_CONTROL) < 0) shift = shift | TShiftState::ssCtrl;
    if (::GetKeyState(VK_MENU) < 0) shift = shift | TShiftState::ssAlt;
    return shift;
}

TControl::TControl() {
    m_windowProc = DefaultWindowProc();
    m_font.OnChange = [this](TObject*) {
        if (!m_inheritingFont) m_parentFont = false;
        FontChanged();
        Invalidate();
    };
}

TControl::~TControl() {
    TWinControl::ForgetControl(*this);
    if (m_parent) m_parent->RemoveControl(*this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == m_parent) return;
    if (parent == this) throw EConvertError(u"A control cannot be its own parent");
    if (m_parent) {
        if (Is<TGraphicControl>()) Perform(kMsgControlReleased);
        m_parent->RemoveControl(*this);
    }
    m_parent = parent;
    if (parent) {
        parent->InsertControl(*this);
        ParentChanged();
    }
}

void TControl::ParentChanged() {
    if (!m_parent) return;
    if (m_parentColor) {
        m_color = m_parent->Color();
        ColorChanged();
    }
    if (m_parentFont) InheritFont(m_parent->Font());
    if (m_parentShowHint) PassShowHint(m_parent->ShowHint());
    if (m_parentBiDiMode) PassBiDiMode(m_parent->BiDiMode());
    Invalidate();
    RequestRealign();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == m_left && top == m_top && width == m_width && height == m_height) return;
    InvalidateInParent(BoundsRect());
    UpdateBoundsFields(left, top, width, height);
    InvalidateInParent(BoundsRect());
    RequestRealign();
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
    const bool sizeChanged = width != m_width || height != m_height;
    const bool changed = sizeChanged || left != m_left || top != m_top;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (!changed) return;
    BoundsChanged(sizeChanged);
    if (m_parent) m_parent->ControlsChanged();
}

void TControl::BoundsChanged(bool sizeChanged) {
    if (sizeChanged) Resize();
}

void TControl::Resize() {
    if (!IsLoading()) Fire(OnResize, this);
}

void TControl::RequestRealign() {
    if (m_parent && m_align != TAlign::alNone) m_parent->Realign();
}

core::Rect TControl::ClientRect() const { return {0, 0, m_width, m_height}; }

void TControl::SetAlign(TAlign value) {
    if (value == m_align) return;
    const TAlign old = m_align;
    m_align = value;
    if (m_parent && (old != TAlign::alNone || value != TAlign::alNone)) m_parent->Realign();
}

bool TControl::Showing() const noexcept { return m_visible && m_parent && m_parent->Showing(); }

void TControl::SetVisible(bool value) {
    if (value == m_visible) return;
    m_visible = value;
    Perform(kMsgVisibleChanged, value ? 1 : 0);
    InvalidateInParent(BoundsRect());
    if (m_parent && m_align != TAlign::alNone) m_parent->Realign();
}

void TControl::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    Perform(kMsgEnabledChanged);
    Invalidate();
}

void TControl::SetColor(TColor value) {
    m_parentColor = false;
    if (value == m_color) return;
    m_color = value;
    ColorChanged();
    Invalidate();
}

void TControl::SetParentColor(bool value) {
    if (value == m_parentColor) return;
    m_parentColor = value;
    if (value && m_parent) {
        m_color = m_parent->Color();
        ColorChanged();
        Invalidate();
    }
}

void TControl::SetParentFont(bool value) {
    if (value == m_parentFont) return;
    m_parentFont = value;
    if (value && m_parent) InheritFont(m_parent->Font());
}

void TControl::InheritFont(const TFont& font) {
    m_inheritingFont = true;
    try {
        m_font.Assign(font);
    } catch (...) {
        m_inheritingFont = false;
        throw;
    }
    m_inheritingFont = false;
}

HFONT TControl::FontHandle() const noexcept { return m_font.Handle(); }

void TControl::SetCaption(std::wstring_view value) {
    if (value == m_caption) return;
    m_caption = value;
    CaptionChanged();
}

void TControl::CaptionChanged() { Invalidate(); }
void TControl::ColorChanged() {}
void TControl::FontChanged() {}

void TControl::SetShowHint(bool value) {
    m_parentShowHint = false;
    PassShowHint(value);
}

void TControl::SetParentShowHint(bool value) {
    m_parentShowHint = value;
    if (value && m_parent) PassShowHint(m_parent->ShowHint());
}

void TControl::PassShowHint(bool value) {
    m_showHint = value;
    if (auto* self = As<TWinControl>(this))
        for (TControl* child : self->m_controls)
            if (child->m_parentShowHint) child->PassShowHint(value);
}

void TControl::SetBiDiMode(TBiDiMode value) {
    m_parentBiDiMode = false;
    PassBiDiMode(value);
}

void TControl::SetParentBiDiMode(bool value) {
    m_parentBiDiMode = value;
    if (value && m_parent) PassBiDiMode(m_parent->BiDiMode());
}

void TControl::PassBiDiMode(TBiDiMode value) {
    if (value == m_biDiMode) return;
    m_biDiMode = value;
    BiDiModeChanged();
    Invalidate();
    if (auto* self = As<TWinControl>(this))
        for (TControl* child : self->m_controls)
            if (child->m_parentBiDiMode) child->PassBiDiMode(value);
}

void TControl::BiDiModeChanged() {}

void TControl::SetWindowProc(TWndMethod handler) {
    m_windowProc = handler ? std::move(handler) : DefaultWindowProc();
}

TWndMethod TControl::DefaultWindowProc() {
    return [this](TMessage& message) { WndProc(message); };
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    TMessage m{message, wParam, lParam, 0};
    Deliver(m);
    return m.Result;
}

void TControl::Deliver(TMessage& message) {
    if (IsFrameworkMessage(message.Msg))
        if (auto* self = As<TWinControl>(this); self && self->HasForeignWindowProc()) {
            // Same thread and above WM_USER: the parameters reach every procedure unchanged.
            message.Result = ::SendMessageW(self->HandleIfAllocated(), message.Msg, message.WParam, message.LParam);
            return;
        }
    m_windowProc(message);
}

void TControl::RelayMouseDown(const TMessage& message) {
    TMouseButton button = TMouseButton::mbLeft;
    if (message.Msg == WM_RBUTTONDOWN || message.Msg == WM_RBUTTONDBLCLK) button = TMouseButton::mbRight;
    if (message.Msg == WM_MBUTTONDOWN || message.Msg == WM_MBUTTONDBLCLK) button = TMouseButton::mbMiddle;
    core::Point at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    POINT cursor{};
    if ((m_width > 0x8000 || m_height > 0x8000) && ::GetCursorPos(&cursor)) at = ScreenToClient({cursor.x, cursor.y});
    MouseDown(button, ShiftFromKeyFlags(message.WParam), at.x, at.y);
}

void TControl::InvalidateInParent(const core::Rect& area) {
    if (!m_parent || !m_parent->HandleAllocated() || area.IsEmpty()) return;
    const RECT r = ToRECT(area);
    ::InvalidateRect(m_parent->HandleIfAllocated(), &r, TRUE);
}

void TControl::Invalidate() {
    if (m_visible) InvalidateInParent(BoundsRect());
}

void TControl::Update() {
    if (m_parent) m_parent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

core::Point TControl::ClientOrigin() const { return {m_left, m_top}; }

core::Point TControl::ClientToScreen(core::Point p) const {
    if (!m_parent) return p;
    const core::Point origin = ClientOrigin();
    return m_parent->ClientToScreen({p.x + origin.x, p.y + origin.y});
}

core::Point TControl::ScreenToClient(core::Point p) const {
    const core::Point origin = ClientToScreen({0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

void TControl::BringToFront() {
    if (!m_parent) return;
    auto& list = m_parent->m_controls;
    std::erase(list, this);
    list.push_back(this);
    if (auto* self = As<TWinControl>(this); self && self->HandleAllocated())
        ::SetWindowPos(self->HandleIfAllocated(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack() {
    if (!m_parent) return;
    auto& list = m_parent->m_controls;
    std::erase(list, this);
    list.insert(list.begin(), this);
    if (auto* self = As<TWinControl>(this); self && self->HandleAllocated())
        ::SetWindowPos(self->HandleIfAllocated(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::Click() { Fire(OnClick, this); }

TPopupMenu* TControl::PopupMenu() const noexcept { return static_cast<TPopupMenu*>(m_popupMenu.Get()); }

void TControl::SetPopupMenu(TPopupMenu* value) { m_popupMenu = value; }

bool TControl::ShowPopupMenu(LPARAM lParam) {
    TPopupMenu* menu = PopupMenu();
    if (!menu || !menu->AutoPopup()) return false;
    core::Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) at = ClientToScreen({0, 0});
    menu->SetPopupComponent(this);
    menu->Popup(at.x, at.y);
    return true;
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (m_parent) ParentChanged();
}

TComponent* TControl::GetParentComponent() const noexcept { return m_parent; }

void TControl::SetParentComponent(TComponent* parent) {
    if (parent && !parent->Is<TWinControl>())
        throw EConvertError(u"A " + std::u16string(parent->ClassName()) + u" cannot hold controls");
    SetParent(static_cast<TWinControl*>(parent));
}

void TControl::Publish(TPublisher<TControl>& p) {
    p.Integer(u"Left", &TControl::Left, &TControl::SetLeft);
    p.Integer(u"Top", &TControl::Top, &TControl::SetTop);
    p.Integer(u"Width", &TControl::Width, &TControl::SetWidth);
    p.Integer(u"Height", &TControl::Height, &TControl::SetHeight);
    p.Enum(u"Align", &TControl::Align, &TControl::SetAlign).Default(TAlign::alNone);
    p.Bool(u"Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    p.Bool(u"Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    p.Colour(u"Color", &TControl::Color, &TControl::SetColor)
        .Stored([](const TObject& o) { return !static_cast<const TControl&>(o).ParentColor(); });
    p.Bool(u"ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    p.Object(u"Font", [](TControl& c) -> TFont& { return c.Font(); })
        .Stored([](const TObject& o) { return !static_cast<const TControl&>(o).ParentFont(); });
    p.Bool(u"ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    p.String(u"Caption", &TControl::Caption, &TControl::SetCaption);
    p.String(u"Hint", &TControl::Hint, &TControl::SetHint);
    p.Bool(u"ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .Stored([](const TObject& o) { return !static_cast<const TControl&>(o).ParentShowHint(); });
    p.Bool(u"ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
    p.Enum(u"BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode)
        .Stored([](const TObject& o) { return !static_cast<const TControl&>(o).ParentBiDiMode(); });
    p.Bool(u"ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
    p.Integer(u"Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault).Idents(CursorIdents());
    p.Reference(u"PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    p.Event(u"OnClick", &TControl::OnClick);
    p.Event(u"OnDblClick", &TControl::OnDblClick);
    p.Event(u"OnMouseDown", &TControl::OnMouseDown);
    p.Event(u"OnMouseUp", &TControl::OnMouseUp);
    p.Event(u"OnMouseMove", &TControl::OnMouseMove);
    p.Event(u"OnMouseEnter", &TControl::OnMouseEnter);
    p.Event(u"OnMouseLeave", &TControl::OnMouseLeave);
    p.Event(u"OnResize", &TControl::OnResize);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Fire(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Fire(OnMouseUp, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) { Fire(OnMouseMove, this, shift, x, y); }

void TControl::MouseEnter() { Fire(OnMouseEnter, this); }
void TControl::MouseLeave() { Fire(OnMouseLeave, this); }

void TControl::WndProc(TMessage& message) {
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        auto shift = ShiftFromKeyFlags(message.WParam);
        if (message.Msg == WM_LBUTTONDBLCLK && Has(m_controlStyle, ControlStyle::DoubleClicks)) {
            shift = shift | TShiftState::ssDouble;
            Fire(OnDblClick, this);
        }
        if (Has(m_controlStyle, ControlStyle::ClickEvents)) m_clicking = true;
        MouseDown(TMouseButton::mbLeft, shift, x, y);
        break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown(TMouseButton::mbRight, ShiftFromKeyFlags(message.WParam), x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        MouseDown(TMouseButton::mbMiddle, ShiftFromKeyFlags(message.WParam), x, y);
        break;
    case WM_LBUTTONUP: {
        const bool click = m_clicking && ClientRect().Contains({x, y});
        m_clicking = false;
        MouseUp(TMouseButton::mbLeft, ShiftFromKeyFlags(message.WParam), x, y);
        if (click) Click();
        break;
    }
    case WM_RBUTTONUP:
        MouseUp(TMouseButton::mbRight, ShiftFromKeyFlags(message.WParam), x, y);
        if (!Is<TWinControl>()) {
            // No window turns this release into WM_CONTEXTMENU: the control asks itself.
            const core::Point at = ClientToScreen({x, y});
            Perform(WM_CONTEXTMENU, 0, MAKELPARAM(at.x, at.y));
        }
        break;
    case WM_CONTEXTMENU:
        if (ShowPopupMenu(message.LParam)) {
            message.Result = 1;
            return;
        }
        // A windowed control's procedure hands it to the parent window; a windowless
        // one hands it to its parent here.
        if (!Is<TWinControl>() && m_parent) {
            message.Result = m_parent->Perform(WM_CONTEXTMENU, 0, message.LParam);
            return;
        }
        break;
    case WM_MBUTTONUP:
        MouseUp(TMouseButton::mbMiddle, ShiftFromKeyFlags(message.WParam), x, y);
        break;
    case WM_MOUSEMOVE:
        MouseMove(ShiftFromKeyFlags(message.WParam), x, y);
        break;
    case WM_CAPTURECHANGED:
        m_clicking = false;
        break;
    case kMsgMouseEnter:
        if (message.LParam == 0 || message.LParam == reinterpret_cast<LPARAM>(this)) MouseEnter();
        return;
    case kMsgMouseLeave:
        if (message.LParam == 0 || message.LParam == reinterpret_cast<LPARAM>(this)) MouseLeave();
        return;
    default:
        break;
    }
    // Mouse messages reach the window's own procedure too (a common control needs them).
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}
