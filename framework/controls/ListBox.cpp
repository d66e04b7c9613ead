#include "framework/controls/ListBox.h"

#include "framework/win/Convert.h"

#include <algorithm>

TCustomListBox::TCustomListBox() {
    // The selection change clicks, not the press and release the window turns into one.
    SetControlStyle(ControlStyle::CaptureMouse | ControlStyle::DoubleClicks);
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = L"LISTBOX";
    // Whole lines only would make the window shorter than the bounds it is given.
    params.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | WS_VSCROLL;
    if (m_multiSelect) params.style |= LBS_EXTENDEDSEL;
    if (m_borderStyle == TBorderStyle::bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::InitializeWindow() {
    HWND list = HandleIfAllocated();
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    if (m_itemHeight > 0) ::SendMessageW(list, LB_SETITEMHEIGHT, 0, m_itemHeight);
    SendItems();
}

void TCustomListBox::DestroyWnd() {
    // What the user chose and where the list was scrolled to go to the next window.
    if (HandleAllocated() && !IsDestroying()) {
        m_itemIndex = ItemIndex();
        m_topIndex = TopIndex();
        m_selected.clear();
        for (int i = 0; i < m_items.lines.Count(); ++i)
            if (Selected(i)) m_selected.push_back(i);
    }
    TWinControl::DestroyWnd();
}

void TCustomListBox::SendItems() {
    HWND list = HandleIfAllocated();
    if (!list) return;
    m_items.SendTo(list, LB_RESETCONTENT, LB_ADDSTRING);
    SendSelection();
    ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(m_topIndex, 0)), 0);
    Invalidate();
}

void TCustomListBox::SendSelection() {
    HWND list = HandleIfAllocated();
    if (!list) return;
    if (!m_multiSelect) {
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(m_itemIndex), 0);
        return;
    }
    ::SendMessageW(list, LB_SETSEL, FALSE, -1);
    for (int i : m_selected) ::SendMessageW(list, LB_SETSEL, TRUE, i);
    if (m_itemIndex >= 0) ::SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(m_itemIndex), FALSE);
}

void TCustomListBox::SetItems(const TStringList& value) {
    m_items.lines.Assign(value);
    if (m_items.sorted) m_items.Sort();
    m_selected.clear();
    if (!IsLoading()) {
        m_itemIndex = -1;
        m_topIndex = 0;
    }
    SendItems();
}

int TCustomListBox::AddItem(std::wstring_view text) {
    const int index = m_items.PlaceFor(AsUtf16(text));
    m_items.lines.Insert(index, AsUtf16(text));
    if (HWND list = HandleIfAllocated())
        ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
    else
        for (int& i : m_selected) i += i >= index ? 1 : 0;
    return index;
}

void TCustomListBox::DeleteItem(int index) {
    if (index < 0 || index >= m_items.lines.Count()) return;
    m_items.lines.Delete(index);
    if (HWND list = HandleIfAllocated()) {
        ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        return;
    }
    std::erase(m_selected, index);
    for (int& i : m_selected) i -= i > index ? 1 : 0;
    if (m_itemIndex == index) m_itemIndex = -1;
    else if (m_itemIndex > index) --m_itemIndex;
}

void TCustomListBox::Clear() { SetItems(TStringList{}); }

int TCustomListBox::ItemIndex() const noexcept {
    HWND list = HandleIfAllocated();
    if (!list) return m_itemIndex;
    if (!m_multiSelect) return static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
    const int caret = static_cast<int>(::SendMessageW(list, LB_GETCARETINDEX, 0, 0));
    return Selected(caret) ? caret : -1;
}

void TCustomListBox::SetItemIndex(int value) {
    if (!IsLoading()) value = std::clamp(value, -1, m_items.lines.Count() - 1);
    m_itemIndex = value;
    if (m_multiSelect && value >= 0) SetSelected(value, true);
    if (HandleAllocated() && !m_multiSelect) SendSelection();
    if (HWND list = HandleIfAllocated(); list && m_multiSelect && value >= 0)
        ::SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(value), FALSE);
}

bool TCustomListBox::Selected(int index) const noexcept {
    if (index < 0 || index >= m_items.lines.Count()) return false;
    HWND list = HandleIfAllocated();
    if (!list) return m_multiSelect ? std::find(m_selected.begin(), m_selected.end(), index) != m_selected.end()
                                    : index == m_itemIndex;
    return ::SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= m_items.lines.Count()) return;
    if (!m_multiSelect) {
        if (value) SetItemIndex(index);
        else if (ItemIndex() == index) SetItemIndex(-1);
        return;
    }
    if (HWND list = HandleIfAllocated()) {
        ::SendMessageW(list, LB_SETSEL, value, index);
        return;
    }
    std::erase(m_selected, index);
    if (value) m_selected.push_back(index);
}

int TCustomListBox::SelCount() const noexcept {
    int count = 0;
    for (int i = 0; i < m_items.lines.Count(); ++i) count += Selected(i) ? 1 : 0;
    return count;
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == m_multiSelect) return;
    m_multiSelect = value;
    RecreateWnd();
}

void TCustomListBox::SetSorted(bool value) {
    if (value == m_items.sorted) return;
    m_items.sorted = value;
    if (!value) return;
    m_items.Sort();
    m_itemIndex = -1;
    m_selected.clear();
    SendItems();
}

int TCustomListBox::TopIndex() const noexcept {
    HWND list = HandleIfAllocated();
    return list ? static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0)) : m_topIndex;
}

void TCustomListBox::SetTopIndex(int value) {
    m_topIndex = std::max(value, 0);
    if (HWND list = HandleIfAllocated()) ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(m_topIndex), 0);
}

void TCustomListBox::SetItemHeight(int value) {
    // The window keeps the height in a byte.
    m_itemHeight = std::clamp(value, 0, 255);
    RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
    m_borderStyle = value;
    const DWORD edge = value == TBorderStyle::bsSingle ? WS_EX_CLIENTEDGE : 0;
    UpdateStyle(edge, WS_EX_CLIENTEDGE & ~edge, true);
}

void TCustomListBox::Loaded() {
    TWinControl::Loaded();
    m_itemIndex = std::clamp(m_itemIndex, -1, m_items.lines.Count() - 1);
    SendSelection();
}

void TCustomListBox::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectCommand) {
        if (HIWORD(message.WParam) == LBN_SELCHANGE) Click();
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomListBox::Publish(TPublisher<TCustomListBox>& p) {
    p.Object(u"Items", [](TCustomListBox& l) -> TStringList& { return l.m_items.lines; }, &TCustomListBox::SetItems);
    p.Integer(u"ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex).Default(-1);
    p.Bool(u"MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).Default(false);
    p.Bool(u"Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
    p.Integer(u"ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight).Default(0);
    p.Enum(u"BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle).Default(TBorderStyle::bsSingle);
}
