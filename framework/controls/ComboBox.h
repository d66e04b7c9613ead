#pragma once
// A combo box on the system's combo control: an edit with a list always shown under it
// (csSimple), an edit with a list that drops down (csDropDown), or a list that drops
// down from a field the user cannot type in (csDropDownList). The control keeps the
// lines (ListLines.h), the chosen line and the text, so they outlive a re-created
// window. OnSelect fires when the user picks a line, OnChange when the text changes
// by the user (typing or picking).

#include "framework/controls/ListLines.h"
#include "framework/controls/WinControl.h"

#include <string>
#include <string_view>

class TCustomComboBox : public TWinControl {
    KESTRELLE_CLASS(TCustomComboBox, TWinControl)

public:
    TCustomComboBox();

    TComboBoxStyle ComboStyle() const noexcept { return m_style; }
    void SetComboStyle(TComboBoxStyle value);
    // The lines; change them through SetItems (or by name), AddItem or Clear.
    const TStringList& Items() const noexcept { return m_items.lines; }
    void SetItems(const TStringList& value);
    int AddItem(std::wstring_view text);
    void Clear();
    bool Sorted() const noexcept { return m_items.sorted; }
    void SetSorted(bool value);
    // The chosen line; -1 none. A value past either end stands for the line at that end.
    int ItemIndex() const noexcept;
    void SetItemIndex(int value);
    // What the field shows. In a drop-down list it can only be a line: setting another
    // text chooses no line.
    std::wstring Text() const;
    void SetText(std::wstring_view value);
    // How many lines the dropped list shows at once.
    int DropDownCount() const noexcept { return m_dropDownCount; }
    void SetDropDownCount(int value);
    bool DroppedDown() const noexcept;
    void SetDroppedDown(bool value);

    // The windows inside the combo: its edit (none in a drop-down list) and its list.
    // Null without a window; owned by the combo's window.
    HWND EditHandle() const noexcept;
    HWND ListHandle() const noexcept;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void Loaded() override;
    static void Publish(TPublisher<TCustomComboBox>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    void Notified(WORD code);
    bool Info(COMBOBOXINFO& info) const noexcept;

    TComboBoxStyle m_style = TComboBoxStyle::csDropDown;
    ListLines m_items;
    int m_itemIndex = -1;
    int m_dropDownCount = 8;
};

class TComboBox : public TCustomComboBox {
    KESTRELLE_CLASS(TComboBox, TCustomComboBox)
};
