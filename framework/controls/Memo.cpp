#include "framework/controls/Memo.h"

#include "framework/win/Convert.h"

TCustomMemo::TCustomMemo() {
    SetBounds(0, 0, 185, 89);
    SetAutoSelect(false);
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    // A line wraps unless the window may scroll it sideways.
    if (m_wordWrap) params.style &= ~ES_AUTOHSCROLL;
    if (m_scrollBars == TScrollStyle::ssVertical || m_scrollBars == TScrollStyle::ssBoth) params.style |= WS_VSCROLL;
    if (m_scrollBars == TScrollStyle::ssHorizontal || m_scrollBars == TScrollStyle::ssBoth) params.style |= WS_HSCROLL;
}

const TStringList& TCustomMemo::Lines() const {
    m_lines.SetText(AsUtf16(Text()));
    return m_lines;
}

void TCustomMemo::SetLines(const TStringList& value) { SetText(ToWide(JoinLines<char16_t>(value))); }

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    if (value == m_scrollBars) return;
    m_scrollBars = value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
    if (value == m_wordWrap) return;
    m_wordWrap = value;
    RecreateWnd();
}

void TCustomMemo::Publish(TPublisher<TCustomMemo>& p) {
    // The lines are the text, stored once, as Lines.
    p.String(u"Text", &TCustomMemo::Text, &TCustomMemo::SetText).Stored([](const TObject&) { return false; });
    p.Object(
        u"Lines", [](TCustomMemo& m) -> TStringList& { return const_cast<TStringList&>(m.Lines()); },
        &TCustomMemo::SetLines);
    p.Enum(u"ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default(TScrollStyle::ssNone);
    p.Bool(u"WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(true);
    p.Bool(u"AutoSelect", &TCustomMemo::AutoSelect, &TCustomMemo::SetAutoSelect).Default(false);
}
