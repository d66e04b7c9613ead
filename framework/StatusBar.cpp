#include "framework/StatusBar.h"

#include "framework/Form.h"

#include <commctrl.h>

// ---- panels ----------------------------------------------------------------------------

int TStatusPanel::Index() const noexcept { return m_owner->Panels().IndexOf(this); }

void TStatusPanel::SetWidth(int value) {
    if (value == m_width) return;
    m_width = value;
    m_owner->PanelsChanged();
}

void TStatusPanel::SetText(std::wstring_view value) {
    if (value == m_text) return;
    m_text = value;
    m_owner->PanelTextChanged(*this);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
    if (value == m_bevel) return;
    m_bevel = value;
    m_owner->PanelTextChanged(*this);
}

void TStatusPanel::SetAlignment(TAlignment value) {
    if (value == m_alignment) return;
    m_alignment = value;
    m_owner->PanelTextChanged(*this);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value) {
    if (value == m_style) return;
    m_style = value;
    m_owner->PanelTextChanged(*this);
}

void TStatusPanel::SetBiDiMode(TBiDiMode value) {
    if (value == m_biDiMode) return;
    m_biDiMode = value;
    m_owner->PanelTextChanged(*this);
}

TStatusPanel* TStatusPanels::Items(int index) const noexcept {
    if (index < 0 || index >= Count()) return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

TStatusPanel& TStatusPanels::Add() {
    m_items.push_back(std::make_unique<TStatusPanel>(m_owner));
    m_owner.PanelsChanged();
    return *m_items.back();
}

void TStatusPanels::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    m_items.erase(m_items.begin() + index);
    m_owner.PanelsChanged();
}

void TStatusPanels::Clear() {
    m_items.clear();
    m_owner.PanelsChanged();
}

int TStatusPanels::IndexOf(const TStatusPanel* panel) const noexcept {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == panel) return static_cast<int>(i);
    return -1;
}

// ---- the bar ---------------------------------------------------------------------------

TCustomStatusBar::TCustomStatusBar() {
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(TAlign::alBottom);
}

TCustomStatusBar::~TCustomStatusBar() = default;

void TCustomStatusBar::CreateParams(TCreateParams& params) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
        return ::InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.baseClass = STATUSCLASSNAMEW;
    // The framework places and sizes the bar, not the control.
    params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    // A grip only where it can resize something: a form with a sizeable border.
    const TCustomForm* form = GetParentForm(*this);
    if (m_sizeGrip && form && (form->BorderStyle() == TFormBorderStyle::bsSizeable ||
                               form->BorderStyle() == TFormBorderStyle::bsSizeToolWin))
        params.style |= SBARS_SIZEGRIP;
}

void TCustomStatusBar::InitializeWindow() {
    ::SendMessageW(HandleIfAllocated(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    SendParts();
}

void TCustomStatusBar::SendParts() {
    HWND bar = HandleIfAllocated();
    if (!bar) return;
    ::SendMessageW(bar, SB_SIMPLE, m_simplePanel || m_panels.Count() == 0, 0);
    if (m_simplePanel || m_panels.Count() == 0) {
        ::SendMessageW(bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(m_simpleText.c_str()));
        if (!m_simplePanel) return;
    }
    // Right edges; the last panel runs to the end of the bar.
    const int count = std::min(m_panels.Count(), 255);
    std::vector<int> edges(static_cast<size_t>(count > 0 ? count : 1), -1);
    int right = 0;
    for (int i = 0; i < count; ++i) {
        right += std::max(0, m_panels.Items(i)->Width());
        edges[static_cast<size_t>(i)] = (i == count - 1) ? -1 : right;
    }
    ::SendMessageW(bar, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i) SendPanelText(i);
}

void TCustomStatusBar::SendPanelText(int index) {
    HWND bar = HandleIfAllocated();
    const TStatusPanel* panel = m_panels.Items(index);
    if (!bar || !panel) return;
    WPARAM flags = static_cast<WPARAM>(index);
    if (panel->Bevel() == TStatusPanelBevel::pbNone) flags |= SBT_NOBORDERS;
    if (panel->Bevel() == TStatusPanelBevel::pbRaised) flags |= SBT_POPOUT;
    if (panel->BiDiMode() != TBiDiMode::bdLeftToRight || UseRightToLeftReading()) flags |= SBT_RTLREADING;
    if (panel->Style() == TStatusPanelStyle::psOwnerDraw) {
        ::SendMessageW(bar, SB_SETTEXTW, flags | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(panel));
        return;
    }
    // The control centres text after one tab and right-aligns it after two.
    std::wstring text;
    if (panel->Alignment() == TAlignment::taCenter) text = L"\t";
    if (panel->Alignment() == TAlignment::taRightJustify) text = L"\t\t";
    text += panel->Text();
    ::SendMessageW(bar, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomStatusBar::PanelsChanged() {
    SendParts();
    Invalidate();
}

void TCustomStatusBar::PanelTextChanged(const TStatusPanel& panel) {
    if (m_simplePanel) return;
    SendPanelText(panel.Index());
}

void TCustomStatusBar::SetSimplePanel(bool value) {
    if (value == m_simplePanel) return;
    m_simplePanel = value;
    SendParts();
    Invalidate();
}

void TCustomStatusBar::SetSimpleText(std::wstring_view value) {
    if (value == m_simpleText) return;
    m_simpleText = value;
    if (HWND bar = HandleIfAllocated(); bar && (m_simplePanel || m_panels.Count() == 0))
        ::SendMessageW(bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(m_simpleText.c_str()));
}

void TCustomStatusBar::SetSizeGrip(bool value) {
    if (value == m_sizeGrip) return;
    m_sizeGrip = value;
    RecreateWnd();
}

core::Rect TCustomStatusBar::PanelRect(int index) {
    RECT r{};
    if (!HandleAllocated() || !::SendMessageW(HandleIfAllocated(), SB_GETRECT, static_cast<WPARAM>(index),
                                              reinterpret_cast<LPARAM>(&r)))
        return {};
    return {r.left, r.top, r.right, r.bottom};
}

void TCustomStatusBar::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectDrawItem) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        TStatusPanel* panel = item ? m_panels.Items(static_cast<int>(item->itemID)) : nullptr;
        if (panel && OnDrawPanel) {
            m_drawDc = item->hDC;
            try {
                OnDrawPanel(this, panel, item->rcItem);
            } catch (...) {
                m_drawDc = nullptr;
                throw;
            }
            m_drawDc = nullptr;
        }
        message.Result = TRUE;
        return;
    }
    TWinControl::WndProc(message);
}
