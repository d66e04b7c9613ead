#pragma once
// A list box on the system's list control. The control keeps the lines itself (see
// ListLines.h) and hands them to every window it makes, so they outlive a re-created
// window, as do the selection and the scroll position. OnClick fires when the user
// changes the selection.

#include "framework/controls/WinControl.h"
#include "framework/controls/ListLines.h"

#include <string_view>
#include <vector>

class TCustomListBox : public TWinControl {
    KESTRELLE_CLASS(TCustomListBox, TWinControl)

public:
    TCustomListBox();

    // The lines; change them through SetItems (or by name), AddItem, DeleteItem or Clear.
    const TStringList& Items() const noexcept { return m_items.lines; }
    void SetItems(const TStringList& value);
    // Answers the index the line got (its place in order when Sorted).
    int AddItem(std::wstring_view text);
    void DeleteItem(int index);
    void Clear();

    // The selected line (with MultiSelect: the one with the focus rectangle, when it is
    // selected); -1 none. A value past either end stands for the line at that end.
    int ItemIndex() const noexcept;
    void SetItemIndex(int value);
    bool MultiSelect() const noexcept { return m_multiSelect; }
    void SetMultiSelect(bool value);
    bool Selected(int index) const noexcept;
    void SetSelected(int index, bool value);
    int SelCount() const noexcept;
    bool Sorted() const noexcept { return m_items.sorted; }
    void SetSorted(bool value);
    // The first line shown.
    int TopIndex() const noexcept;
    void SetTopIndex(int value);
    // The height of a line in pixels; 0 = what the font needs.
    int ItemHeight() const noexcept { return m_itemHeight; }
    void SetItemHeight(int value);
    TBorderStyle BorderStyle() const noexcept { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);

    void Loaded() override;
    static void Publish(TPublisher<TCustomListBox>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    void SendItems();
    void SendSelection();

    ListLines m_items;
    int m_itemIndex = -1;
    std::vector<int> m_selected;  // the selected lines while there is no window
    int m_topIndex = 0;
    bool m_multiSelect = false;
    int m_itemHeight = 0;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
};

class TListBox : public TCustomListBox {
    KESTRELLE_CLASS(TListBox, TCustomListBox)
};
