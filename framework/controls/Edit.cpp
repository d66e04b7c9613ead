#include "framework/controls/Edit.h"

#include <algorithm>

namespace {

DWORD CharCaseStyle(TEditCharCase value) noexcept {
    switch (value) {
    case TEditCharCase::ecUpperCase: return ES_UPPERCASE;
    case TEditCharCase::ecLowerCase: return ES_LOWERCASE;
    default: return 0;
    }
}

DWORD AlignmentStyle(TAlignment value) noexcept {
    switch (value) {
    case TAlignment::taCenter: return ES_CENTER;
    case TAlignment::taRightJustify: return ES_RIGHT;
    default: return ES_LEFT;
    }
}

std::wstring InCase(std::wstring text, TEditCharCase value) {
    if (value == TEditCharCase::ecUpperCase) ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    if (value == TEditCharCase::ecLowerCase) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

TCustomEdit::TCustomEdit() {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = L"EDIT";
    params.style |= ES_AUTOHSCROLL | CharCaseStyle(m_charCase) | AlignmentStyle(m_alignment);
    if (m_readOnly) params.style |= ES_READONLY;
    if (m_borderStyle == TBorderStyle::bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::InitializeWindow() {
    HWND edit = HandleIfAllocated();
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    ::SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
    if (m_passwordChar) ::SendMessageW(edit, EM_SETPASSWORDCHAR, m_passwordChar, 0);
}

std::wstring TCustomEdit::Text() const { return WindowText(); }

void TCustomEdit::SetMaxLength(int value) {
    m_maxLength = std::max(value, 0);
    if (HWND edit = HandleIfAllocated()) ::SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
    m_readOnly = value;
    if (HWND edit = HandleIfAllocated()) ::SendMessageW(edit, EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetPasswordChar(wchar_t value) {
    if (value == m_passwordChar) return;
    m_passwordChar = value;
    if (HWND edit = HandleIfAllocated()) {
        ::SendMessageW(edit, EM_SETPASSWORDCHAR, value, 0);
        Invalidate();
    }
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    m_borderStyle = value;
    const DWORD edge = value == TBorderStyle::bsSingle ? WS_EX_CLIENTEDGE : 0;
    UpdateStyle(edge, WS_EX_CLIENTEDGE & ~edge, true);
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (value == m_charCase) return;
    m_charCase = value;
    // The window turns only what is typed from now on; what it holds turns here.
    SetCaption(InCase(Text(), value));
    RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment value) {
    if (value == m_alignment) return;
    m_alignment = value;
    RecreateWnd();
}

int TCustomEdit::SelStart() const noexcept {
    DWORD start = 0;
    if (HWND edit = HandleIfAllocated()) ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() const noexcept {
    DWORD start = 0, end = 0;
    if (HWND edit = HandleIfAllocated())
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::Select(int start, int length) {
    if (HWND edit = HandleIfAllocated()) ::SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

void TCustomEdit::SetSelStart(int value) { Select(std::max(value, 0), 0); }
void TCustomEdit::SetSelLength(int value) { Select(SelStart(), std::max(value, 0)); }
void TCustomEdit::SelectAll() { Select(0, -1); }

bool TCustomEdit::Modified() const noexcept {
    HWND edit = HandleIfAllocated();
    return edit && ::SendMessageW(edit, EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::Change() { Fire(OnChange, this); }

void TCustomEdit::WndProc(TMessage& message) {
    switch (message.Msg) {
    case kMsgReflectCommand:
        if (HIWORD(message.WParam) == EN_CHANGE) {
            ReadCaptionFromWindow();
            if (!IsLoading()) Change();
        }
        message.Result = 0;
        return;
    case WM_SETTEXT:
        // The window may have turned the case of what it was given.
        TWinControl::WndProc(message);
        ReadCaptionFromWindow();
        return;
    case WM_SETFOCUS:
        TWinControl::WndProc(message);
        if (m_autoSelect && ::GetKeyState(VK_LBUTTON) >= 0) SelectAll();
        return;
    default: TWinControl::WndProc(message);
    }
}

void TCustomEdit::Publish(TPublisher<TCustomEdit>& p) {
    // The caption is the text, stored once, as Text.
    p.String(u"Caption", &TCustomEdit::Caption, &TCustomEdit::SetCaption).Stored([](const TObject&) { return false; });
    p.String(u"Text", &TCustomEdit::Text, &TCustomEdit::SetText);
    p.Integer(u"MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
    p.Bool(u"ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    p.String(
        u"PasswordChar",
        [](const TCustomEdit& e) { return e.PasswordChar() ? std::wstring(1, e.PasswordChar()) : std::wstring(); },
        [](TCustomEdit& e, std::wstring_view v) { e.SetPasswordChar(v.empty() ? L'\0' : v.front()); });
    p.Enum(u"BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle).Default(TBorderStyle::bsSingle);
    p.Bool(u"AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
    p.Enum(u"CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase).Default(TEditCharCase::ecNormal);
    p.Enum(u"Alignment", &TCustomEdit::Alignment, &TCustomEdit::SetAlignment).Default(TAlignment::taLeftJustify);
    p.Event(u"OnChange", &TCustomEdit::OnChange);
}
