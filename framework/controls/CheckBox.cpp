#include "framework/controls/CheckBox.h"

// BST_UNCHECKED, BST_CHECKED and BST_INDETERMINATE are the states' own numbers.
static_assert(static_cast<int>(TCheckBoxState::cbChecked) == BST_CHECKED);
static_assert(static_cast<int>(TCheckBoxState::cbGrayed) == BST_INDETERMINATE);

TCustomCheckBox::TCustomCheckBox() { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    // Not an automatic box: the control decides the next state (Toggle).
    params.style |= BS_3STATE | CaptionSideStyle(m_alignment);
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == m_state) return;
    m_state = value;
    CheckStateChanged();
    ClickForChange();
}

void TCustomCheckBox::Toggle() { SetState(NextCheckState(m_state, m_allowGrayed)); }

void TCustomCheckBox::Publish(TPublisher<TCustomCheckBox>& p) {
    p.Enum(u"Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment, LeftRightIdents())
        .Default(TAlignment::taRightJustify);
    p.Bool(u"AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed).Default(false);
    // State says it all; Checked is there for reading and for code.
    p.Bool(u"Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).NotStored();
    p.Enum(u"State", &TCustomCheckBox::State, &TCustomCheckBox::SetState).Default(TCheckBoxState::cbUnchecked);
}
