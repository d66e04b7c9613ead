#include "framework/controls/StatusBar.h"

#include "framework/forms/Form.h"
#include "framework/win/Convert.h"

#include <commctrl.h>

// ---- panels ----------------------------------------------------------------------------

void TStatusPanel::SetWidth(int value) { ChangeField(m_width, value); }
void TStatusPanel::SetText(std::wstring_view value) { ChangeField(m_text, value); }
void TStatusPanel::SetBevel(TStatusPanelBevel value) { ChangeField(m_bevel, value); }
void TStatusPanel::SetAlignment(TAlignment value) { ChangeField(m_alignment, value); }
void TStatusPanel::SetStyle(TStatusPanelStyle value) { ChangeField(m_style, value); }
void TStatusPanel::SetBiDiMode(TBiDiMode value) { ChangeField(m_biDiMode, value); }

void TStatusPanel::Publish(TPublisher<TStatusPanel>& p) {
    p.Integer(u"Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50);
    p.String(u"Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    p.Enum(u"Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(TStatusPanelBevel::pbLowered);
    p.Enum(u"Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment).Default(TAlignment::taLeftJustify);
    p.Enum(u"Style", &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(TStatusPanelStyle::psText);
    p.Enum(u"BiDiMode", &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode).Default(TBiDiMode::bdLeftToRight);
}

void TStatusPanels::Update(TCollectionItem* item) { m_bar.PanelsChanged(As<TStatusPanel>(item)); }

// ---- the bar ---------------------------------------------------------------------------

TCustomStatusBar::TCustomStatusBar() {
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(TAlign::alBottom);
}

TCustomStatusBar::~TCustomStatusBar() { m_canvas.FreeHandle(); }

void TCustomStatusBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = STATUSCLASSNAMEW;
    params.commonControls = ICC_BAR_CLASSES;
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

std::vector<int> TCustomStatusBar::PartEdges() const {
    // Right edges; the last panel runs to the end of the bar.
    const int count = std::min(m_panels.Count(), 255);
    std::vector<int> edges(static_cast<size_t>(count), -1);
    int right = 0;
    for (int i = 0; i < count; ++i) {
        right += std::max(0, m_panels.Items(i)->Width());
        edges[static_cast<size_t>(i)] = (i == count - 1) ? -1 : right;
    }
    return edges;
}

void TCustomStatusBar::SendParts() {
    HWND bar = HandleIfAllocated();
    if (!bar) return;
    const bool simple = m_simplePanel || m_panels.Count() == 0;
    ::SendMessageW(bar, SB_SIMPLE, simple, 0);
    if (simple) ::SendMessageW(bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(m_simpleText.c_str()));
    m_sentEdges = PartEdges();
    if (m_sentEdges.empty()) return;
    ::SendMessageW(bar, SB_SETPARTS, m_sentEdges.size(), reinterpret_cast<LPARAM>(m_sentEdges.data()));
    for (int i = 0; i < static_cast<int>(m_sentEdges.size()); ++i) SendPanelText(i);
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

void TCustomStatusBar::PanelsChanged(const TStatusPanel* panel) {
    // While the widths stay, only the changed panel is sent: setting the parts again
    // repaints the whole bar, and the clock panel changes every second.
    if (panel && panel->Index() >= 0 && PartEdges() == m_sentEdges) {
        SendPanelText(panel->Index());
        return;
    }
    SendParts();
    Invalidate();
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
    return FromRECT(r);
}

void TCustomStatusBar::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectDrawItem) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        TStatusPanel* panel = item ? m_panels.Items(static_cast<int>(item->itemID)) : nullptr;
        if (panel && OnDrawPanel) {
            m_canvas.FreeHandle();
            const CanvasLock lock{m_canvas, item->hDC};
            OnDrawPanel(this, panel, item->rcItem);
        }
        message.Result = TRUE;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomStatusBar::Publish(TPublisher<TCustomStatusBar>& p) {
    p.Object(u"Panels", &TCustomStatusBar::Panels);
    p.Bool(u"SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel).Default(false);
    p.String(u"SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText);
    p.Bool(u"SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip).Default(true);
    p.Event(u"OnDrawPanel", &TCustomStatusBar::OnDrawPanel);
}
