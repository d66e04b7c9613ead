#pragma once
// A group box holding one radio button per line of Items, arranged in Columns; the
// buttons are its own components and children. ItemIndex is the checked line (-1:
// none); a click on a button sets it and clicks the group. Setting ItemIndex by code
// does not click the group. A value out of range is clamped to -1 .. the last line.

#include "framework/controls/GroupBox.h"
#include "framework/core/StringList.h"

#include <vector>

class TRadioButton;

class TCustomRadioGroup : public TCustomGroupBox {
    KESTRELLE_CLASS(TCustomRadioGroup, TCustomGroupBox)

public:
    TCustomRadioGroup();
    ~TCustomRadioGroup() override;

    // The lines; change them through SetItems (or by name), which remakes the buttons.
    const TStringList& Items() const noexcept { return m_items; }
    void SetItems(const TStringList& value);
    int ItemIndex() const noexcept { return m_itemIndex; }
    void SetItemIndex(int value);
    // 1 to 16.
    int Columns() const noexcept { return m_columns; }
    void SetColumns(int value);
    // The button of line `index`; null outside the lines.
    TRadioButton* Buttons(int index) const noexcept;

    void Loaded() override;
    static void Publish(TPublisher<TCustomRadioGroup>& p);

protected:
    void BoundsChanged(bool sizeChanged) override;
    void FontChanged() override;
    void BiDiModeChanged() override;

private:
    class GroupButton;
    void ButtonClicked(const TRadioButton& button);
    int ClampedIndex(int value) const noexcept;
    // One button per line, captioned, the one of ItemIndex checked, then arranged.
    void UpdateButtons();
    void ArrangeButtons();

    TStringList m_items;
    int m_itemIndex = -1;
    int m_columns = 1;
    std::vector<TRadioButton*> m_buttons;  // owned as components
    bool m_updating = false;
};

class TRadioGroup : public TCustomRadioGroup {
    KESTRELLE_CLASS(TRadioGroup, TCustomRadioGroup)
};
