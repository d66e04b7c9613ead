#include "framework/controls/BitBtn.h"

#include "framework/forms/Form.h"

#include <array>

namespace {

struct KindDefaults {
    const wchar_t* caption;
    TModalResult modalResult;
};

// By TBitBtnKind.
constexpr std::array<KindDefaults, 11> kKinds{{
    {L"", mrNone},
    {L"OK", mrOk},
    {L"Cancel", mrCancel},
    {L"&Help", mrNone},
    {L"&Yes", mrYes},
    {L"&No", mrNo},
    {L"&Close", mrNone},
    {L"Abort", mrAbort},
    {L"&Retry", mrRetry},
    {L"&Ignore", mrIgnore},
    {L"&All", mrAll},
}};

}  // namespace

TBitBtn::TBitBtn() : GlyphButtonLook{static_cast<TControl&>(*this)} {}

void TBitBtn::SetKind(TBitBtnKind value) {
    if (value == m_kind) return;
    m_kind = value;
    // A layout stores the caption and roles as they were; only a change by code sets them.
    if (value == TBitBtnKind::bkCustom || IsLoading()) return;
    const KindDefaults& kind = kKinds[static_cast<size_t>(value)];
    SetCaption(kind.caption);
    SetModalResult(kind.modalResult);
    if (value == TBitBtnKind::bkOK || value == TBitBtnKind::bkYes) SetDefault(true);
    if (value == TBitBtnKind::bkCancel || value == TBitBtnKind::bkNo) SetCancel(true);
}

void TBitBtn::Click() {
    if (m_kind == TBitBtnKind::bkClose)
        if (TCustomForm* form = GetParentForm(*this)) {
            form->Close();
            return;
        }
    TButton::Click();
}

void TBitBtn::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectDrawItem) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        message.Result = item && DrawItem(*item) ? TRUE : FALSE;
        return;
    }
    TButton::WndProc(message);
}

bool TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) noexcept {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool enabled = !(item.itemState & ODS_DISABLED);
    ::FillRect(dc, &face, Brush());
    if (Active()) {
        // The button Enter clicks: a dark line round it.
        ::FrameRect(dc, &face, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::InflateRect(&face, -1, -1);
    }
    ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));

    const bool drawn = PaintFace(dc, face, ButtonKind::Bitmap, !enabled ? 1 : pressed ? 2 : 0, pressed ? 1 : 0);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = face;
        ::InflateRect(&focus, -1, -1);
        ::DrawFocusRect(dc, &focus);
    }
    return drawn;
}

void TBitBtn::Publish(TPublisher<TBitBtn>& p) {
    PublishLook(p);
    p.Enum(u"Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(TBitBtnKind::bkCustom);
}
