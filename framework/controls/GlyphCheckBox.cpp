#include "framework/controls/GlyphCheckBox.h"

#include "framework/controls/Messages.h"
#include "framework/core/FailureLog.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/Handles.h"

#include <algorithm>

#include <windowsx.h>

namespace {

constexpr int kSystemMark = 13, kCaptionGap = 4;

}  // namespace

// --- the common control -----------------------------------------------------------------

TGlyphButton::TGlyphButton(GlyphStripKind kind) : m_kind{kind} {
    SetBounds(0, 0, 120, 17);
    SetTabStop(true);
}

void TGlyphButton::SetState(TCheckBoxState value) {
    if (m_kind == GlyphStripKind::Radio && value == TCheckBoxState::cbGrayed) value = TCheckBoxState::cbUnchecked;
    if (value == m_state) return;
    m_state = value;
    // A radio button checked turns off the others of its parent.
    if (m_kind == GlyphStripKind::Radio && value == TCheckBoxState::cbChecked && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* other = As<TGlyphButton>(Parent()->Controls(i));
                other && other != this && other->m_kind == GlyphStripKind::Radio)
                other->SetState(TCheckBoxState::cbUnchecked);
    Invalidate();
    if (!IsLoading()) Click();
}

void TGlyphButton::Toggle() { SetState(NextCheckState(m_state, m_allowGrayed)); }

int TGlyphButton::Cell() const noexcept { return GlyphCell(m_kind, m_state, Hot(), Enabled()); }

void TGlyphButton::SetHot(bool value) {
    if (value == m_hot) return;
    m_hot = value;
    Invalidate();
}

void TGlyphButton::WndProc(TMessage& message) {
    HWND self = HandleIfAllocated();
    switch (message.Msg) {
    case kMsgMouseEnter: SetHot(true); break;
    case kMsgMouseLeave: SetHot(false); break;
    case kMsgEnabledChanged:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Invalidate(); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_pressed = true;
        if (CanFocus()) SetFocus();
        if (self) ::SetCapture(self);
        Invalidate();
        break;
    case WM_LBUTTONUP:
        if (m_pressed) {
            m_pressed = false;
            if (self && ::GetCapture() == self) ::ReleaseCapture();
            RECT client{};
            ::GetClientRect(self, &client);
            const POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
            Invalidate();
            if (::PtInRect(&client, at)) Toggle();
        }
        break;
    case WM_KEYUP:
        if (message.WParam == VK_SPACE) Toggle();
        break;
    default: break;
    }
    TCustomControl::WndProc(message);
}

bool TGlyphButton::PaintMark(HDC dc, const RECT& mark) const noexcept {
    if (const TBitmap* strip = Strip()) {
        const int cells = GlyphStripCells(m_kind);
        const int width = strip->Width() / cells;
        HDC source = strip->Dc();
        return source && ::TransparentBlt(dc, mark.left, mark.top, mark.right - mark.left, mark.bottom - mark.top, source,
                                          Cell() * width, 0, width, strip->Height(), ColorToRGB(StripKey()));
    }
    UINT look = m_kind == GlyphStripKind::Radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (m_state == TCheckBoxState::cbChecked) look |= DFCS_CHECKED;
    if (m_state == TCheckBoxState::cbGrayed) look = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!Enabled()) look |= DFCS_INACTIVE;
    if (m_pressed) look |= DFCS_PUSHED;
    RECT r = mark;
    return ::DrawFrameControl(dc, &r, DFC_BUTTON, look) != FALSE;
}

bool TGlyphButton::Paint(HDC dc, const RECT& box) noexcept {
    try {
        BrushHandle back{::CreateSolidBrush(ColorToRGB(Color()))};
        if (back) ::FillRect(dc, &box, back.Get());
        int markWidth = kSystemMark, markHeight = kSystemMark;
        if (const TBitmap* strip = Strip()) {
            markWidth = strip->Width() / GlyphStripCells(m_kind);
            markHeight = strip->Height();
        }
        const int top = box.top + (box.bottom - box.top - markHeight) / 2;
        const RECT mark{box.left, top, box.left + markWidth, top + markHeight};
        if (markWidth > 0) PaintMark(dc, mark);

        RECT caption{mark.right + kCaptionGap, box.top, box.right, box.bottom};
        SelectScope useFont{dc, Font().Handle()};
        SavedDc keep{dc};
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, Enabled() ? TextOnFace(Font().Color(), Color()) : ::GetSysColor(COLOR_GRAYTEXT));
        const std::wstring& text = Caption();
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (Focused() && !text.empty()) {
            RECT measured = caption;
            ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
            const int height = measured.bottom - measured.top;
            RECT focus{caption.left - 1, caption.top + (caption.bottom - caption.top - height) / 2 - 1,
                       std::min<LONG>(measured.right + 1, box.right), 0};
            focus.bottom = focus.top + height + 2;
            ::DrawFocusRect(dc, &focus);
        }
        return true;
    } catch (...) {
        LogCurrentException(u"a check box with custom glyphs could not paint");
        return false;
    }
}

// --- strips given by CustomGlyphs ---------------------------------------------------------

void TCustomGlyphControl::SetTransparentColor(TColor value) {
    m_transparentColor = value;
    Invalidate();
}

void TCustomGlyphControl::SetUseCustomGlyphs(bool value) {
    if (value && !m_useCustomGlyphs) m_loaded.Assign(m_customGlyphs);
    if (!value) m_loaded.Clear();
    m_useCustomGlyphs = value;
    Invalidate();
}

const TBitmap* TCustomGlyphControl::Strip() const noexcept {
    return m_useCustomGlyphs && m_loaded.Width() >= GlyphStripCells(Kind()) ? &m_loaded : nullptr;
}

void TRzCheckBox::Publish(TPublisher<TRzCheckBox>& p) {
    PublishState(p);
    PublishGlyphs(p);
}

void TRzRadioButton::Publish(TPublisher<TRzRadioButton>& p) {
    p.Bool(u"Checked", &TRzRadioButton::Checked, &TRzRadioButton::SetChecked).Default(false);
    PublishGlyphs(p);
}

// --- a strip given by Properties.Glyph ------------------------------------------------------

TcxCheckBoxProperties::TcxCheckBoxProperties(std::function<void()> changed) {
    m_glyph.OnChange = [changed = std::move(changed)](TObject*) {
        if (changed) changed();
    };
}

void TcxCheckBoxProperties::Assign(const TPersistent& source) {
    if (const auto* other = As<TcxCheckBoxProperties>(&source)) {
        m_glyph.Assign(other->m_glyph);
        return;
    }
    TPersistent::Assign(source);
}

void TcxCheckBoxProperties::Publish(TPublisher<TcxCheckBoxProperties>& p) {
    p.Object(u"Glyph", [](TcxCheckBoxProperties& c) -> TBitmap& { return c.Glyph(); });
}

TcxCheckBox::TcxCheckBox() : TGlyphButton{GlyphStripKind::CompactCheck}, m_properties{[this] { Invalidate(); }} {}

const TBitmap* TcxCheckBox::Strip() const noexcept {
    const TBitmap& glyph = m_properties.Glyph();
    return glyph.Empty() || glyph.Width() < GlyphStripCells(GlyphStripKind::CompactCheck) ? nullptr : &glyph;
}

void TcxCheckBox::Publish(TPublisher<TcxCheckBox>& p) {
    PublishState(p);
    p.Object(u"Properties", [](TcxCheckBox& c) -> TcxCheckBoxProperties& { return c.Properties(); });
}
