#pragma once
// A list view on the common list-view control: items with a caption and sub-items,
// shown as icons, a list or a report with columns. The control keeps the columns, the
// items and the chosen item, so they outlive a re-created window; a caption the user
// edits in place, and a column width the user drags, come back to the control.
// OnSelectItem fires when an item gains or loses the selection, by the user or by code.

#include "framework/controls/WinControl.h"
#include "framework/core/Collection.h"
#include "framework/core/StringList.h"

#include <functional>
#include <string>
#include <string_view>

class TCustomListView;

class TListColumn : public TCollectionItem {
    KESTRELLE_CLASS(TListColumn, TCollectionItem)

public:
    const std::wstring& Caption() const noexcept { return m_caption; }
    void SetCaption(std::wstring_view value) { ChangeField(m_caption, value); }
    // Never below 0.
    int Width() const noexcept { return m_width; }
    void SetWidth(int value);
    TAlignment Alignment() const noexcept { return m_alignment; }
    void SetAlignment(TAlignment value) { ChangeField(m_alignment, value); }

    static void Publish(TPublisher<TListColumn>& p);

private:
    std::wstring m_caption;
    int m_width = 50;
    TAlignment m_alignment = TAlignment::taLeftJustify;
};

// The columns of one list view, in index order; owned by the view.
class TListColumns : public TCollection {
    KESTRELLE_CLASS(TListColumns, TCollection)

public:
    explicit TListColumns(TCustomListView& view) noexcept : TCollection(TCollection::Of<TListColumn>()), m_view{view} {}

    TListColumn& Add() { return static_cast<TListColumn&>(TCollection::Add()); }
    // Null outside the range.
    TListColumn* Items(int index) const noexcept { return ItemAs<TListColumn>(index); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomListView& m_view;
};

class TListItem : public TCollectionItem {
    KESTRELLE_CLASS(TListItem, TCollectionItem)

public:
    const std::wstring& Caption() const noexcept { return m_caption; }
    void SetCaption(std::wstring_view value) { ChangeField(m_caption, value); }
    // The texts of the columns after the first.
    const TStringList& SubItems() const noexcept { return m_subItems; }
    void SetSubItems(const TStringList& value);

    static void Publish(TPublisher<TListItem>& p);

private:
    std::wstring m_caption;
    TStringList m_subItems;
};

// The items of one list view, in the order shown; owned by the view.
class TListItems : public TCollection {
    KESTRELLE_CLASS(TListItems, TCollection)

public:
    explicit TListItems(TCustomListView& view) noexcept : TCollection(TCollection::Of<TListItem>()), m_view{view} {}

    TListItem& Add() { return static_cast<TListItem&>(TCollection::Add()); }
    // Null outside the range.
    TListItem* Items(int index) const noexcept { return ItemAs<TListItem>(index); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomListView& m_view;
};

using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;

class TCustomListView : public TWinControl {
    KESTRELLE_CLASS(TCustomListView, TWinControl)

public:
    TCustomListView();

    TListColumns& Columns() noexcept { return m_columns; }
    TListItems& Items() noexcept { return m_items; }
    TViewStyle ViewStyle() const noexcept { return m_viewStyle; }
    void SetViewStyle(TViewStyle value);
    // Without it the user may edit an item's caption in place.
    bool ReadOnly() const noexcept { return m_readOnly; }
    void SetReadOnly(bool value);
    // A report selects and highlights whole rows.
    bool RowSelect() const noexcept { return m_rowSelect; }
    void SetRowSelect(bool value);
    bool GridLines() const noexcept { return m_gridLines; }
    void SetGridLines(bool value);
    // The selected item; -1 none. A value past either end stands for the item at that end.
    int ItemIndex() const noexcept;
    void SetItemIndex(int value);
    // The selected item, null none; not owned.
    TListItem* Selected() const noexcept { return m_items.Items(ItemIndex()); }

    // The header window of a report; null without a window. Owned by the view's window.
    HWND HeaderHandle() const noexcept;

    TLVSelectItemEvent OnSelectItem;

    void Loaded() override;
    static void Publish(TPublisher<TCustomListView>& p);

    // The columns or items changed: all of them (null) or one.
    void ColumnsChanged(const TListColumn* column);
    void ItemsChanged(const TListItem* item);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    void SendColumns();
    void SendColumn(const TListColumn& column, UINT message);
    void SendItems();
    void SendItemTexts(const TListItem& item);
    void SendExtendedStyle();
    void ReadColumnWidths();
    void Notified(const NMHDR& notice, TMessage& message);

    TListColumns m_columns{*this};
    TListItems m_items{*this};
    TViewStyle m_viewStyle = TViewStyle::vsIcon;
    bool m_readOnly = false;
    bool m_rowSelect = false;
    bool m_gridLines = false;
    int m_itemIndex = -1;
    int m_columnsSent = 0;
    bool m_following = false;  // the control takes a value from its window: nothing to send back
    bool m_sending = false;    // the window is being filled: its notices are ours, not the user's
};

class TListView : public TCustomListView {
    KESTRELLE_CLASS(TListView, TCustomListView)
};
