#include "framework/controls/RadioGroup.h"

#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroupLayout.h"
#include "framework/win/Convert.h"

#include <algorithm>

// A button of the group: its click is the group's.
class TCustomRadioGroup::GroupButton : public TRadioButton {
    KESTRELLE_CLASS(GroupButton, TRadioButton)

public:
    explicit GroupButton(TCustomRadioGroup& group) noexcept : m_group{group} {}

    void Click() override {
        TRadioButton::Click();
        m_group.ButtonClicked(*this);
    }

private:
    TCustomRadioGroup& m_group;
};

TCustomRadioGroup::TCustomRadioGroup() = default;

TCustomRadioGroup::~TCustomRadioGroup() {
    // The buttons go while the group can still be told of it.
    DestroyComponents();
    m_buttons.clear();
}

TRadioButton* TCustomRadioGroup::Buttons(int index) const noexcept {
    if (index < 0 || index >= static_cast<int>(m_buttons.size())) return nullptr;
    return m_buttons[static_cast<size_t>(index)];
}

int TCustomRadioGroup::ClampedIndex(int value) const noexcept {
    return std::clamp(value, -1, m_items.Count() - 1);
}

void TCustomRadioGroup::SetItems(const TStringList& value) {
    m_items.Assign(value);
    // While a layout is read, ItemIndex may still follow; Loaded makes the buttons.
    if (IsLoading()) return;
    m_itemIndex = ClampedIndex(m_itemIndex);
    UpdateButtons();
}

void TCustomRadioGroup::SetItemIndex(int value) {
    if (IsLoading()) {
        m_itemIndex = value;
        return;
    }
    value = ClampedIndex(value);
    if (value == m_itemIndex) return;
    m_itemIndex = value;
    UpdateButtons();
}

void TCustomRadioGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (value == m_columns) return;
    m_columns = value;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    m_itemIndex = ClampedIndex(m_itemIndex);
    UpdateButtons();
}

void TCustomRadioGroup::ButtonClicked(const TRadioButton& button) {
    if (m_updating) return;
    const auto it = std::find(m_buttons.begin(), m_buttons.end(), &button);
    if (it == m_buttons.end()) return;
    m_itemIndex = static_cast<int>(it - m_buttons.begin());
    Click();
}

void TCustomRadioGroup::UpdateButtons() {
    m_updating = true;
    try {
        while (static_cast<int>(m_buttons.size()) < m_items.Count()) {
            auto& button = Create<GroupButton>(*this);
            m_buttons.push_back(&button);
            button.SetParent(this);
        }
        while (static_cast<int>(m_buttons.size()) > m_items.Count()) {
            TRadioButton* last = m_buttons.back();
            m_buttons.pop_back();
            DestroyComponent(*last);
        }
        for (int i = 0; i < m_items.Count(); ++i) {
            TRadioButton& button = *m_buttons[static_cast<size_t>(i)];
            button.SetCaption(ToWide(m_items[i]));
            button.SetChecked(i == m_itemIndex);
        }
    } catch (...) {
        m_updating = false;
        throw;
    }
    m_updating = false;
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
    const auto cells = ArrangeRadioGroup({{Width(), Height()},
                                          CaptionHeight(),
                                          static_cast<int>(m_buttons.size()),
                                          m_columns,
                                          UseRightToLeftAlignment()});
    for (size_t i = 0; i < cells.size(); ++i) {
        const core::Rect& r = cells[i];
        m_buttons[i]->SetBounds(r.left, r.top, r.Width(), r.Height());
    }
}

void TCustomRadioGroup::BoundsChanged(bool sizeChanged) {
    TCustomGroupBox::BoundsChanged(sizeChanged);
    if (sizeChanged) ArrangeButtons();
}

void TCustomRadioGroup::FontChanged() {
    TCustomGroupBox::FontChanged();
    ArrangeButtons();
}

void TCustomRadioGroup::BiDiModeChanged() {
    TCustomGroupBox::BiDiModeChanged();
    ArrangeButtons();
}

void TCustomRadioGroup::Publish(TPublisher<TCustomRadioGroup>& p) {
    p.Object(
        u"Items", [](TCustomRadioGroup& g) -> TStringList& { return g.m_items; }, &TCustomRadioGroup::SetItems);
    p.Integer(u"ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex).Default(-1);
    p.Integer(u"Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns).Default(1);
}
