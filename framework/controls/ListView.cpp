#include "framework/controls/ListView.h"

#include "framework/win/Convert.h"

#include <algorithm>
#include <string>

#include <commctrl.h>

namespace {

constexpr DWORD ViewStyleBits(TViewStyle value) noexcept {
    switch (value) {
    case TViewStyle::vsSmallIcon: return LVS_SMALLICON;
    case TViewStyle::vsList: return LVS_LIST;
    case TViewStyle::vsReport: return LVS_REPORT;
    default: return LVS_ICON;
    }
}

constexpr int ColumnFormat(TAlignment value) noexcept {
    switch (value) {
    case TAlignment::taRightJustify: return LVCFMT_RIGHT;
    case TAlignment::taCenter: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
    }
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, const void* lParam) {
    return ::SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(lParam));
}

}  // namespace

// ---- columns and items -------------------------------------------------------------------

void TListColumn::SetWidth(int value) { ChangeField(m_width, std::max(0, value)); }

void TListColumn::Publish(TPublisher<TListColumn>& p) {
    p.String(u"Caption", &TListColumn::Caption, &TListColumn::SetCaption);
    p.Integer(u"Width", &TListColumn::Width, &TListColumn::SetWidth).Default(50);
    p.Enum(u"Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment).Default(TAlignment::taLeftJustify);
}

void TListColumns::Update(TCollectionItem* item) { m_view.ColumnsChanged(As<TListColumn>(item)); }

void TListItem::SetSubItems(const TStringList& value) {
    if (value == m_subItems) return;
    m_subItems.Assign(value);
    Changed();
}

void TListItem::Publish(TPublisher<TListItem>& p) {
    p.String(u"Caption", &TListItem::Caption, &TListItem::SetCaption);
    p.Object(u"SubItems", [](TListItem& i) -> TStringList& { return i.m_subItems; }, &TListItem::SetSubItems);
}

void TListItems::Update(TCollectionItem* item) { m_view.ItemsChanged(As<TListItem>(item)); }

// ---- the view ----------------------------------------------------------------------------

TCustomListView::TCustomListView() {
    SetControlStyle(ControlStyle::CaptureMouse | ControlStyle::DoubleClicks);
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = WC_LISTVIEWW;
    params.commonControls = ICC_LISTVIEW_CLASSES;
    // One chosen item (ItemIndex), still marked while the focus is elsewhere.
    params.style |= ViewStyleBits(m_viewStyle) | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    if (!m_readOnly) params.style |= LVS_EDITLABELS;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::InitializeWindow() {
    HWND view = HandleIfAllocated();
    ::SendMessageW(view, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    SendExtendedStyle();
    m_columnsSent = 0;
    SendColumns();
    SendItems();
}

void TCustomListView::DestroyWnd() {
    if (HandleAllocated() && !IsDestroying()) {
        m_itemIndex = ItemIndex();
        ReadColumnWidths();
    }
    TWinControl::DestroyWnd();
}

void TCustomListView::SendExtendedStyle() {
    HWND view = HandleIfAllocated();
    if (!view) return;
    const DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    const DWORD bits = (m_rowSelect ? LVS_EX_FULLROWSELECT : 0) | (m_gridLines ? LVS_EX_GRIDLINES : 0);
    ::SendMessageW(view, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, bits);
}

void TCustomListView::SendColumn(const TListColumn& column, UINT message) {
    std::wstring text = column.Caption();
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    info.fmt = ColumnFormat(column.Alignment());
    info.cx = column.Width();
    info.pszText = text.data();
    info.iSubItem = column.Index();
    Send(HandleIfAllocated(), message, static_cast<WPARAM>(column.Index()), &info);
}

void TCustomListView::SendColumns() {
    HWND view = HandleIfAllocated();
    if (!view) return;
    for (; m_columnsSent > 0; --m_columnsSent) ::SendMessageW(view, LVM_DELETECOLUMN, static_cast<WPARAM>(m_columnsSent - 1), 0);
    for (int i = 0; i < m_columns.Count(); ++i) SendColumn(*m_columns.Items(i), LVM_INSERTCOLUMNW);
    m_columnsSent = m_columns.Count();
}

void TCustomListView::ReadColumnWidths() {
    HWND view = HandleIfAllocated();
    if (!view || m_viewStyle != TViewStyle::vsReport) return;
    m_following = true;
    for (int i = 0; i < m_columns.Count() && i < m_columnsSent; ++i)
        m_columns.Items(i)->SetWidth(static_cast<int>(::SendMessageW(view, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0)));
    m_following = false;
}

void TCustomListView::SendItemTexts(const TListItem& item) {
    HWND view = HandleIfAllocated();
    const auto index = static_cast<WPARAM>(item.Index());
    std::wstring text = item.Caption();
    LVITEMW info{};
    info.pszText = text.data();
    Send(view, LVM_SETITEMTEXTW, index, &info);
    for (int i = 0; i < item.SubItems().Count(); ++i) {
        std::wstring sub = ToWide(item.SubItems()[i]);
        info.iSubItem = i + 1;
        info.pszText = sub.data();
        Send(view, LVM_SETITEMTEXTW, index, &info);
    }
}

void TCustomListView::SendItems() {
    HWND view = HandleIfAllocated();
    if (!view) return;
    m_sending = true;
    ::SendMessageW(view, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(view, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < m_items.Count(); ++i) {
        LVITEMW info{};
        info.mask = LVIF_TEXT;
        info.iItem = i;
        std::wstring caption = m_items.Items(i)->Caption();
        info.pszText = caption.data();
        Send(view, LVM_INSERTITEMW, 0, &info);
        SendItemTexts(*m_items.Items(i));
    }
    SetItemIndex(m_itemIndex);
    ::SendMessageW(view, WM_SETREDRAW, TRUE, 0);
    m_sending = false;
}

void TCustomListView::ColumnsChanged(const TListColumn* column) {
    if (m_following || !HandleAllocated()) return;
    if (column && column->Index() >= 0 && column->Index() < m_columnsSent)
        SendColumn(*column, LVM_SETCOLUMNW);
    else
        SendColumns();
}

void TCustomListView::ItemsChanged(const TListItem* item) {
    if (m_following) return;
    if (!HandleAllocated()) {
        // The chosen item may be gone.
        if (!IsLoading()) m_itemIndex = std::min(m_itemIndex, m_items.Count() - 1);
        return;
    }
    if (item && item->Index() >= 0) {
        SendItemTexts(*item);
        return;
    }
    // The chosen item stays chosen by place, as far as there are items.
    m_itemIndex = std::min(ItemIndex(), m_items.Count() - 1);
    SendItems();
}

void TCustomListView::SetViewStyle(TViewStyle value) {
    if (value == m_viewStyle) return;
    ReadColumnWidths();
    m_viewStyle = value;
    UpdateStyle(ViewStyleBits(value), LVS_TYPEMASK & ~ViewStyleBits(value), false);
}

void TCustomListView::SetReadOnly(bool value) {
    m_readOnly = value;
    UpdateStyle(value ? 0 : LVS_EDITLABELS, value ? LVS_EDITLABELS : 0, false);
}

void TCustomListView::SetRowSelect(bool value) {
    m_rowSelect = value;
    SendExtendedStyle();
}

void TCustomListView::SetGridLines(bool value) {
    m_gridLines = value;
    SendExtendedStyle();
}

int TCustomListView::ItemIndex() const noexcept {
    HWND view = HandleIfAllocated();
    if (!view) return m_itemIndex;
    return static_cast<int>(::SendMessageW(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int value) {
    if (!IsLoading()) value = std::clamp(value, -1, m_items.Count() - 1);
    m_itemIndex = value;
    HWND view = HandleIfAllocated();
    if (!view || IsLoading()) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (value < 0) {
        Send(view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &state);
        return;
    }
    state.state = state.stateMask;
    Send(view, LVM_SETITEMSTATE, static_cast<WPARAM>(value), &state);
    ::SendMessageW(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(value), FALSE);
}

HWND TCustomListView::HeaderHandle() const noexcept {
    HWND view = HandleIfAllocated();
    return view ? reinterpret_cast<HWND>(::SendMessageW(view, LVM_GETHEADER, 0, 0)) : nullptr;
}

void TCustomListView::Loaded() {
    TWinControl::Loaded();
    SetItemIndex(m_itemIndex);
}

void TCustomListView::Notified(const NMHDR& notice, TMessage& message) {
    switch (notice.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(notice);
        if (m_sending || !(change.uChanged & LVIF_STATE)) return;
        if (!((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) return;
        if (TListItem* item = m_items.Items(change.iItem))
            Fire(OnSelectItem, this, item, (change.uNewState & LVIS_SELECTED) != 0);
        return;
    }
    case LVN_ENDLABELEDITW: {
        // Non-zero takes the edited text; the control keeps it, so the item changes here.
        const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(notice);
        TListItem* item = m_items.Items(edit.item.iItem);
        if (!item || !edit.item.pszText) return;
        m_following = true;
        item->SetCaption(edit.item.pszText);
        m_following = false;
        message.Result = TRUE;
        return;
    }
    default: return;
    }
}

void TCustomListView::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectNotify && message.LParam) {
        message.Result = 0;
        Notified(*reinterpret_cast<const NMHDR*>(message.LParam), message);
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomListView::Publish(TPublisher<TCustomListView>& p) {
    p.Object(u"Columns", &TCustomListView::Columns);
    p.Object(u"Items", &TCustomListView::Items);
    p.Enum(u"ViewStyle", &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle).Default(TViewStyle::vsIcon);
    p.Bool(u"ReadOnly", &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly).Default(false);
    p.Bool(u"RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect).Default(false);
    p.Bool(u"GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines).Default(false);
    p.Integer(u"ItemIndex", &TCustomListView::ItemIndex, &TCustomListView::SetItemIndex).Default(-1);
    p.Event(u"OnSelectItem", &TCustomListView::OnSelectItem);
}
