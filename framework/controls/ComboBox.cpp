#include "framework/controls/ComboBox.h"

#include "framework/win/Convert.h"

#include <algorithm>

namespace {

DWORD StyleBits(TComboBoxStyle value) noexcept {
    switch (value) {
    case TComboBoxStyle::csSimple: return CBS_SIMPLE;
    case TComboBoxStyle::csDropDownList: return CBS_DROPDOWNLIST;
    default: return CBS_DROPDOWN;
    }
}

}  // namespace

TCustomComboBox::TCustomComboBox() {
    // Picking a line clicks, not the press and release the window turns into one.
    SetControlStyle(ControlStyle::CaptureMouse | ControlStyle::DoubleClicks);
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = L"COMBOBOX";
    params.style |= StyleBits(m_style) | CBS_AUTOHSCROLL | CBS_HASSTRINGS | WS_VSCROLL;
    // The window's height counts the dropped list in; the window shrinks to its field.
    if (m_style != TComboBoxStyle::csSimple) params.height += m_dropDownCount * 16 + 2;
    // A simple combo's list would otherwise stop short of the bounds.
    if (m_style == TComboBoxStyle::csSimple) params.style |= CBS_NOINTEGRALHEIGHT;
}

void TCustomComboBox::InitializeWindow() {
    HWND combo = HandleIfAllocated();
    ::SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    m_items.SendTo(combo, CB_RESETCONTENT, CB_ADDSTRING);
    if (m_itemIndex >= 0) ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(m_itemIndex), 0);
    else if (m_style != TComboBoxStyle::csDropDownList) ::SetWindowTextW(combo, Caption().c_str());
    // Now that the lines' height is known, the list drops as far as DropDownCount says.
    SetDropDownCount(m_dropDownCount);
}

void TCustomComboBox::DestroyWnd() {
    if (HandleAllocated() && !IsDestroying()) {
        m_itemIndex = ItemIndex();
        ReadCaptionFromWindow();
    }
    TWinControl::DestroyWnd();
}

bool TCustomComboBox::Info(COMBOBOXINFO& info) const noexcept {
    info = COMBOBOXINFO{};
    info.cbSize = sizeof info;
    HWND combo = HandleIfAllocated();
    return combo && ::GetComboBoxInfo(combo, &info);
}

HWND TCustomComboBox::EditHandle() const noexcept {
    COMBOBOXINFO info;
    return Info(info) && info.hwndItem != info.hwndCombo ? info.hwndItem : nullptr;
}

HWND TCustomComboBox::ListHandle() const noexcept {
    COMBOBOXINFO info;
    return Info(info) ? info.hwndList : nullptr;
}

void TCustomComboBox::SetComboStyle(TComboBoxStyle value) {
    if (value == m_style) return;
    if (HandleAllocated()) {
        m_itemIndex = ItemIndex();
        ReadCaptionFromWindow();
    }
    m_style = value;
    if (!IsLoading()) SetBounds(Left(), Top(), Width(), value == TComboBoxStyle::csSimple ? 145 : 21);
    RecreateWnd();
}

void TCustomComboBox::SetItems(const TStringList& value) {
    m_items.lines.Assign(value);
    if (m_items.sorted) m_items.Sort();
    if (!IsLoading()) m_itemIndex = -1;
    if (HWND combo = HandleIfAllocated()) m_items.SendTo(combo, CB_RESETCONTENT, CB_ADDSTRING);
}

int TCustomComboBox::AddItem(std::wstring_view text) {
    const int index = m_items.PlaceFor(AsUtf16(text));
    m_items.lines.Insert(index, AsUtf16(text));
    if (HWND combo = HandleIfAllocated())
        ::SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
    else if (m_itemIndex >= index)
        ++m_itemIndex;
    return index;
}

void TCustomComboBox::Clear() {
    SetItems(TStringList{});
    SetText(L"");
}

void TCustomComboBox::SetSorted(bool value) {
    if (value == m_items.sorted) return;
    m_items.sorted = value;
    if (!value) return;
    const std::wstring text = Text();
    SetItems(TStringList(m_items.lines));
    SetText(text);
}

int TCustomComboBox::ItemIndex() const noexcept {
    HWND combo = HandleIfAllocated();
    return combo ? static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)) : m_itemIndex;
}

void TCustomComboBox::SetItemIndex(int value) {
    if (IsLoading()) {
        m_itemIndex = value;
        return;
    }
    m_itemIndex = std::clamp(value, -1, m_items.lines.Count() - 1);
    if (HWND combo = HandleIfAllocated()) {
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(m_itemIndex), 0);
        ReadCaptionFromWindow();
    } else if (m_itemIndex >= 0 || m_style == TComboBoxStyle::csDropDownList) {
        SetCaption(ToWide(m_items.lines[m_itemIndex]));
    }
}

std::wstring TCustomComboBox::Text() const { return WindowText(); }

void TCustomComboBox::SetText(std::wstring_view value) {
    if (m_style != TComboBoxStyle::csDropDownList) {
        SetCaption(value);
        return;
    }
    int found = -1;
    for (int i = 0; i < m_items.lines.Count() && found < 0; ++i)
        if (CompareListText(m_items.lines[i], AsUtf16(value)) == 0) found = i;
    if (IsLoading()) {
        // The lines may not be read yet; Loaded looks again.
        SetCaption(value);
        return;
    }
    SetItemIndex(found);
}

void TCustomComboBox::SetDropDownCount(int value) {
    m_dropDownCount = std::clamp(value, 1, 100);
    HWND combo = HandleIfAllocated();
    if (!combo || m_style == TComboBoxStyle::csSimple) return;
    RECT field{};
    ::GetWindowRect(combo, &field);
    const auto line = static_cast<int>(::SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    // A size taller than the field sets the dropped list's height; the window keeps the
    // field's, and keeps that list height when it is later given the field's again.
    ::SetWindowPos(combo, nullptr, 0, 0, field.right - field.left,
                   field.bottom - field.top + m_dropDownCount * std::max(line, 1) + 2,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TCustomComboBox::DroppedDown() const noexcept {
    HWND combo = HandleIfAllocated();
    return combo && ::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
    if (HWND combo = HandleIfAllocated()) ::SendMessageW(combo, CB_SHOWDROPDOWN, value, 0);
}

void TCustomComboBox::Loaded() {
    TWinControl::Loaded();
    const int index = m_itemIndex;
    const std::wstring text = Caption();
    SetItemIndex(index);
    if (m_itemIndex < 0) SetText(text);
}

void TCustomComboBox::Notified(WORD code) {
    switch (code) {
    case CBN_SELCHANGE: {
        // The field shows the line only after this notice: the text is taken from the line.
        const int index = ItemIndex();
        if (index >= 0) SetCaption(ToWide(m_items.lines[index]));
        Fire(OnSelect, this);
        Fire(OnChange, this);
        return;
    }
    case CBN_EDITCHANGE:
        ReadCaptionFromWindow();
        Fire(OnChange, this);
        return;
    case CBN_DROPDOWN: Fire(OnDropDown, this); return;
    case CBN_CLOSEUP: Fire(OnCloseUp, this); return;
    default: return;
    }
}

void TCustomComboBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case kMsgReflectCommand:
        Notified(HIWORD(message.WParam));
        message.Result = 0;
        return;
    default: TWinControl::WndProc(message);
    }
}

void TCustomComboBox::Publish(TPublisher<TCustomComboBox>& p) {
    p.String(u"Caption", &TCustomComboBox::Caption, &TCustomComboBox::SetCaption)
        .Stored([](const TObject&) { return false; });
    p.Enum(u"Style", &TCustomComboBox::ComboStyle, &TCustomComboBox::SetComboStyle).Default(TComboBoxStyle::csDropDown);
    p.Bool(u"Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(false);
    p.Object(u"Items", [](TCustomComboBox& c) -> TStringList& { return c.m_items.lines; }, &TCustomComboBox::SetItems);
    p.Integer(u"ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex).Default(-1);
    p.String(u"Text", &TCustomComboBox::Text, &TCustomComboBox::SetText);
    p.Integer(u"DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount).Default(8);
    p.Event(u"OnChange", &TCustomComboBox::OnChange);
    p.Event(u"OnSelect", &TCustomComboBox::OnSelect);
    p.Event(u"OnDropDown", &TCustomComboBox::OnDropDown);
    p.Event(u"OnCloseUp", &TCustomComboBox::OnCloseUp);
}
