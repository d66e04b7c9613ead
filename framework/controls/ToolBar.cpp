#include "framework/controls/ToolBar.h"

#include "framework/controls/Menus.h"
#include "framework/graphics/GraphicsObjects.h"

#include <algorithm>
#include <string>

// ---- buttons ---------------------------------------------------------------------------

TToolButton::TToolButton() {
    // The bar's control presses it and reports the click.
    SetControlStyle(ControlStyle::ShownByParent);
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
    if (TToolBar* bar = ToolBar()) bar->ButtonLeft(*this);
}

TToolBar* TToolButton::ToolBar() const noexcept { return As<TToolBar>(Parent()); }

void TToolButton::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (TToolBar* bar = ToolBar()) bar->ButtonLeft(*this);
    TGraphicControl::SetParent(parent);
    if (TToolBar* bar = ToolBar()) bar->ButtonJoined(*this);
}

void TToolButton::Changed() {
    if (TToolBar* bar = ToolBar()) bar->SendButtons();
}

void TToolButton::SetImageIndex(int value) {
    if (value == m_imageIndex) return;
    m_imageIndex = value;
    Changed();
}

void TToolButton::SetButtonStyle(TToolButtonStyle value) {
    if (value == m_style) return;
    m_style = value;
    Changed();
}

void TToolButton::SetDown(bool value) {
    if (value == m_down) return;
    m_down = value;
    Changed();
}

TMenuItem* TToolButton::MenuItem() const noexcept { return static_cast<TMenuItem*>(m_menuItem.Get()); }

void TToolButton::SetMenuItem(TMenuItem* value) { m_menuItem = value; }

void TToolButton::Click() {
    TGraphicControl::Click();
    TMenuItem* item = MenuItem();
    if (!item) return;
    // A button without an arrow of its own opens its item's sub-items when clicked.
    if (item->Count() > 0 && m_style != TToolButtonStyle::tbsDropDown) {
        if (TToolBar* bar = ToolBar()) bar->DropDown(*this);
    } else {
        item->Click();
    }
}

void TToolButton::CaptionChanged() {
    TGraphicControl::CaptionChanged();
    Changed();
}

void TToolButton::WndProc(TMessage& message) {
    TGraphicControl::WndProc(message);
    if (message.Msg == kMsgEnabledChanged || message.Msg == kMsgVisibleChanged) Changed();
}

void TToolButton::Publish(TPublisher<TToolButton>& p) {
    p.Integer(u"ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
    p.Enum(u"Style", &TToolButton::ButtonStyle, &TToolButton::SetButtonStyle).Default(TToolButtonStyle::tbsButton);
    p.Bool(u"Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
    p.Reference(u"MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
}

// ---- the bar -----------------------------------------------------------------------------

TToolBar::TToolBar() {
    SetControlStyle(ControlStyle::AcceptsControls | ControlStyle::CaptureMouse | ControlStyle::ClickEvents |
                    ControlStyle::DoubleClicks);
    SetBounds(0, 0, 150, 29);
    SetAlign(TAlign::alTop);
}

TToolBar::~TToolBar() {
    m_canvas.FreeHandle();
    // Buttons outliving the bar are on no bar.
    m_buttons.clear();
}

TToolButton* TToolBar::Buttons(int index) const noexcept {
    if (index < 0 || index >= ButtonCount()) return nullptr;
    return m_buttons[static_cast<size_t>(index)];
}

void TToolBar::ButtonJoined(TToolButton& button) {
    m_buttons.push_back(&button);
    SendButtons();
}

void TToolBar::ButtonLeft(TToolButton& button) {
    std::erase(m_buttons, &button);
    if (!IsDestroying()) SendButtons();
}

void TToolBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = TOOLBARCLASSNAMEW;
    params.commonControls = ICC_BAR_CLASSES;
    // The framework places and sizes the bar, not the control.
    params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (m_flat) params.style |= TBSTYLE_FLAT;
    if (m_transparent) params.style |= TBSTYLE_TRANSPARENT;
}

void TToolBar::InitializeWindow() {
    HWND bar = HandleIfAllocated();
    ::SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    ::SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    SendImages();
    SendButtons();
}

void TToolBar::SendImages() {
    HWND bar = HandleIfAllocated();
    if (!bar) return;
    const TImageList* images = m_images.List();
    ::SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
    ::SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    Invalidate();
}

void TToolBar::SendButtons() {
    HWND bar = HandleIfAllocated();
    if (!bar) return;
    for (auto count = ::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0); count > 0; --count)
        ::SendMessageW(bar, TB_DELETEBUTTON, static_cast<WPARAM>(count - 1), 0);
    std::vector<TBBUTTON> buttons(m_buttons.size());
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const TToolButton& button = *m_buttons[i];
        TBBUTTON& b = buttons[i];
        b.idCommand = static_cast<int>(i);
        b.dwData = reinterpret_cast<DWORD_PTR>(&button);
        b.iString = -1;
        b.iBitmap = button.ImageIndex() >= 0 ? button.ImageIndex() : I_IMAGENONE;
        switch (button.ButtonStyle()) {
        case TToolButtonStyle::tbsButton: b.fsStyle = TBSTYLE_BUTTON; break;
        case TToolButtonStyle::tbsCheck: b.fsStyle = TBSTYLE_CHECK; break;
        case TToolButtonStyle::tbsDropDown: b.fsStyle = TBSTYLE_DROPDOWN; break;
        case TToolButtonStyle::tbsSeparator:
        case TToolButtonStyle::tbsDivider:
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 0;  // the control's own separator width
            break;
        }
        // The control copies the text.
        if (m_showCaptions && !button.Caption().empty()) b.iString = reinterpret_cast<INT_PTR>(button.Caption().c_str());
        b.fsState = 0;
        if (button.Enabled()) b.fsState |= TBSTATE_ENABLED;
        if (button.Down()) b.fsState |= TBSTATE_CHECKED;
        if (!button.Visible()) b.fsState |= TBSTATE_HIDDEN;
    }
    if (!buttons.empty())
        ::SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    // Each button's bounds are where the control put it.
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        RECT r{};
        if (::SendMessageW(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            m_buttons[i]->UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

void TToolBar::SetFlat(bool value) {
    if (value == m_flat) return;
    m_flat = value;
    RecreateWnd();
}

void TToolBar::SetTransparent(bool value) {
    if (value == m_transparent) return;
    m_transparent = value;
    RecreateWnd();
}

void TToolBar::SetShowCaptions(bool value) {
    if (value == m_showCaptions) return;
    m_showCaptions = value;
    SendButtons();
}

void TToolBar::SetImages(TImageList* value) {
    m_images.SetList(value);
    SendImages();
}

void TToolBar::DropDown(TToolButton& button) {
    TMenuItem* item = button.MenuItem();
    if (!item || item->Count() == 0) return;
    const core::Point at = ClientToScreen({button.Left(), button.Top() + button.Height()});
    TrackMenuItem(*item, POINT{at.x, at.y}, TPM_LEFTALIGN, HandleIfAllocated());
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw) {
    NMCUSTOMDRAW& item = draw.nmcd;
    bool defaultDraw = true;
    switch (item.dwDrawStage) {
    case CDDS_PREPAINT: {
        if (OnCustomDraw) {
            // WINE: the notice carries the area being repainted (for WM_PRINTCLIENT the
            // buttons' extent), not the bar's; a picture stretched over it would not line
            // up with the rest of the bar.
            RECT client{};
            ::GetClientRect(draw.nmcd.hdr.hwndFrom, &client);
            m_canvas.FreeHandle();
            const CanvasLock lock{m_canvas, item.hdc};
            OnCustomDraw(this, client, defaultDraw);
        }
        if (!defaultDraw) return CDRF_SKIPDEFAULT;
        return OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    case CDDS_ITEMPREPAINT: {
        TToolButton* button = Buttons(static_cast<int>(item.dwItemSpec));
        if (!button || !OnCustomDrawButton) return CDRF_DODEFAULT;
        m_buttonParts = TToolButtonParts::All;
        m_canvas.FreeHandle();
        {
            const CanvasLock lock{m_canvas, item.hdc};
            m_canvas.Font().SetColor(static_cast<TColor>(draw.clrText));
            OnCustomDrawButton(this, button, TCustomDrawState::FromBits(item.uItemState & 0x1FF), defaultDraw);
            // The control sets the caption's colour from clrText itself; one set on the
            // DC alone would be overwritten.
            draw.clrText = ColorToRGB(m_canvas.Font().Color());
        }
        if (!defaultDraw) return CDRF_SKIPDEFAULT;
        // Without these the control fills hot, pressed and checked buttons and draws
        // their edges over the handler's face. WINE: the arrow part of a hot or pressed
        // drop-down button keeps the control's own box all the same.
        return m_buttonParts == TToolButtonParts::ImageAndCaption ? TBCDRF_NOBACKGROUND | TBCDRF_NOEDGES
                                                                  : CDRF_DODEFAULT;
    }
    default: return CDRF_DODEFAULT;
    }
}

void TToolBar::WndProc(TMessage& message) {
    switch (message.Msg) {
    case kMsgReflectCommand:
        if (TToolButton* button = Buttons(LOWORD(message.WParam))) {
            // A check button the control flipped keeps its Down in step.
            if (button->ButtonStyle() == TToolButtonStyle::tbsCheck)
                button->m_down = ::SendMessageW(HandleIfAllocated(), TB_ISBUTTONCHECKED, LOWORD(message.WParam), 0) != 0;
            button->Click();
        }
        message.Result = 0;
        return;
    case kMsgReflectNotify: {
        auto* header = reinterpret_cast<NMHDR*>(message.LParam);
        if (header && header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            message.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(header));
            return;
        }
        if (header && header->code == static_cast<UINT>(TBN_DROPDOWN)) {
            if (TToolButton* button = Buttons(reinterpret_cast<const NMTOOLBARW*>(header)->iItem)) DropDown(*button);
            message.Result = TBDDRET_DEFAULT;
            return;
        }
        break;
    }
    default: break;
    }
    TWinControl::WndProc(message);
}

void TToolBar::Publish(TPublisher<TToolBar>& p) {
    p.Bool(u"Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
    p.Bool(u"Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent).Default(false);
    p.Bool(u"ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
    p.Reference(u"Images", &TToolBar::Images, &TToolBar::SetImages);
    p.Event(u"OnCustomDraw", &TToolBar::OnCustomDraw);
    p.Event(u"OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
}
