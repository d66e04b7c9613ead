#include "skin/controls/CheckSkins.h"

#include "framework/controls/Control.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/Convert.h"
#include "skin/controls/ButtonRules.h"
#include "skin/controls/ButtonSkins.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <string>

bool DrawStripCell(HDC dc, const RECT& rect, int count, int cell, const TBitmap& strip) noexcept {
    if (rect.right < rect.left || rect.bottom < rect.top) return true;
    return DrawCell(dc, rect, strip, Transparency::KeyColour, std::max(count, 1), cell);
}

// --- what both share ------------------------------------------------------------------------

void CheckSkinBase::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    if (Attached()) return;
    TSkinControl::AttachControl(form, skinData, recolour, canvas);
    m_ownerPaint = Control() && Strip();
    m_transparent = ShowsParentBackground(Control(), skinData);
}

void CheckSkinBase::Reskin() {
    // A new skin may bring a strip where the old one had none, or take it away.
    m_ownerPaint = Control() && Strip();
    TSkinControl::Reskin();
}

const TBitmap* CheckSkinBase::Strip() const noexcept {
    if (!SkinData()) return nullptr;
    const TDataSkinButton& buttons = SkinData()->Buttons();
    const TBitmap& strip = m_kind == Kind::Check ? buttons.CheckImage : buttons.RadioImage;
    return strip.Empty() ? nullptr : &strip;
}

int CheckSkinBase::StripCells() const noexcept {
    if (!SkinData()) return 1;
    const TDataSkinButton& buttons = SkinData()->Buttons();
    return std::max(m_kind == Kind::Check ? buttons.CheckFrames : buttons.RadioFrames, 1);
}

bool CheckSkinBase::WindowDisabled() const noexcept {
    return Handle() && (::GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_DISABLED) != 0;
}

std::optional<bool> CheckSkinBase::PublishedChecked() const {
    if (!IsPublishedProp(Control(), u"Checked")) return std::nullopt;
    return GetEnumName(Control(), u"Checked") == u"true";
}

bool CheckSkinBase::BeforeMessage(TMessage& message) {
    if (!TSkinControl::BeforeMessage(message)) return false;
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
    case WM_PRINTCLIENT:
        // The skin paints everything; without a strip the control paints itself.
        if (!m_ownerPaint || !Strip() || (message.Msg != WM_PAINT && !message.WParam)) return true;
        PaintMessage(message);
        return false;
    case WM_ERASEBKGND:
        if (!m_transparent) return true;
        EraseMessage(message);
        message.Result = 1;
        return false;
    default: return true;
    }
}

void CheckSkinBase::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case kMsgExit:
    case kMsgStateChanged:
        // The system's button draws its box at once on these, outside any paint.
        Repaint();
        return;
    case WM_PRINTCLIENT:
        // A window that paints itself into a DC gets its box drawn over there too.
        if (!m_ownerPaint && message.WParam) {
            RECT client{};
            ::GetClientRect(Handle(), &client);
            PaintSkin(reinterpret_cast<HDC>(message.WParam), client);
        }
        return;
    default: TSkinControl::AfterMessage(message); return;
    }
}

void CheckSkinBase::PaintSkin(HDC dc, const RECT& rect) {
    const TBitmap* strip = Strip();
    if (!strip) {
        m_ownerPaint = false;
        return;
    }
    try {
        const int cells = StripCells();
        const core::Size cell{strip->Width() / cells, strip->Height()};
        const bool leftText = (::GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_LEFTTEXT) != 0;
        const CheckPlaces places = PlaceCheckBox(FromRECT(rect), cell, leftText, m_kind == Kind::Radio);
        const RECT box = ToRECT(places.box);
        const int chosen = Cell();
        if (!m_ownerPaint) {
            DrawStripCell(dc, box, cells, chosen, *strip);
            return;
        }
        PaintBuffered(dc, rect, [&](HDC buffer) {
            if (m_transparent)
                PaintParentBackground(buffer);
            else
                FillSkinBackground(buffer, rect);
            DrawStripCell(buffer, box, cells, chosen, *strip);
            PaintCaption(buffer, ToRECT(places.caption), leftText);
        });
    } catch (...) {
        LogCurrentException(u"a check box skin could not paint");
    }
}

void CheckSkinBase::PaintCaption(HDC dc, const RECT& caption, bool leftText) {
    TControl* control = Control();
    std::wstring text = GetTextProp(control, u"Caption");
    if (text.empty()) text = ReadWindowText(Handle());
    const TFont* font = ::GetObjectProp<TFont>(control, u"Font");
    if (font)
        ::SelectObject(dc, font->Handle());
    else if (auto* own = reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0)))
        ::SelectObject(dc, own);
    const TColor skinText = SkinData()->Colours().ButtonText;
    const TColor ownColour = font ? SkinnedCaptionColour(font->Color(), skinText) : skinText;
    ::SetTextColor(dc, ColorToRGB(WindowDisabled() ? clGrayText : ownColour));
    ::SetBkColor(dc, ColorToRGB(SkinData()->Colours().ButtonFace));
    ::SetBkMode(dc, TRANSPARENT);

    UINT flags = DT_EXPANDTABS | DT_WORDBREAK;
    if (leftText && (TextFlags(0) & DT_RTLREADING)) flags |= DT_RIGHT | DT_RTLREADING;
    RECT measured = caption;
    DrawWideText(dc, text, measured, flags | DT_CALCRECT | DT_NOCLIP);
    RECT at = ToRECT(CentreCheckCaption(FromRECT(caption), measured.bottom - measured.top));
    if (::GetFocus() == Handle() && !text.empty()) DrawFocusAround(dc, at, flags, text);
    DrawWideText(dc, text, at, TextFlags(flags));
}

void CheckSkinBase::DrawFocusAround(HDC dc, const RECT& box, UINT flags, std::wstring_view text) {
    RECT measured = box;
    DrawWideText(dc, text, measured, flags | DT_CALCRECT | DT_NOCLIP);
    const CaptionAlign align = (flags & DT_CENTER) ? CaptionAlign::Centre
                               : (flags & DT_RIGHT) ? CaptionAlign::Right
                                                    : CaptionAlign::Left;
    const RECT focus = ToRECT(FocusAround(
        FromRECT(box), {measured.right - measured.left, measured.bottom - measured.top}, align));
    ::DrawFocusRect(dc, &focus);
}

// --- check boxes ----------------------------------------------------------------------------

void TSkinCheckBox::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    if (Attached()) return;
    CheckSkinBase::AttachControl(form, skinData, recolour, canvas);
    m_lastCheck = 0;
}

void TSkinCheckBox::AfterMessage(TMessage& message) {
    if (message.Msg == BM_SETCHECK) m_lastCheck = static_cast<int32_t>(message.WParam) + 1;
    CheckSkinBase::AfterMessage(message);
}

int TSkinCheckBox::Cell() {
    const auto state = static_cast<UINT>(::SendMessageW(Handle(), BM_GETSTATE, 0, 0));
    CheckFacts facts;
    facts.checkedBit = (state & BST_CHECKED) != 0;
    facts.indeterminateBit = (state & BST_INDETERMINATE) != 0;
    TControl* control = Control();
    if (IsPublishedProp(control, u"State"))
        facts.state = GetEnumName(control, u"State");
    else
        facts.checked = PublishedChecked();
    facts.hasDataField = IsPublishedProp(control, u"DataField");
    facts.lastCheck = m_lastCheck;
    facts.hasDataBinding = IsPublishedProp(control, u"DataBinding");
    facts.disabled = WindowDisabled();
    facts.frames = StripCells();
    return CheckBoxCell(facts);
}

// --- radio buttons --------------------------------------------------------------------------

int TSkinRadioButton::Cell() {
    RadioFacts facts;
    facts.checkedBit = (::SendMessageW(Handle(), BM_GETCHECK, 0, 0) & BST_CHECKED) != 0;
    facts.checked = PublishedChecked();
    facts.disabled = WindowDisabled();
    facts.frames = StripCells();
    return RadioButtonCell(facts);
}
