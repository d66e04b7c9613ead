#include "framework/controls/RadioButton.h"

TRadioButton::TRadioButton() {
    SetBounds(0, 0, 113, 17);
    SetTabStop(false);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    // Not an automatic radio button: the control turns its siblings off itself, the
    // framework's siblings rather than the window's group.
    params.style |= BS_RADIOBUTTON | CaptionSideStyle(m_alignment);
}

void TRadioButton::SetChecked(bool value) {
    if (value == m_checked) return;
    m_checked = value;
    SetTabStop(value);
    if (value && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* other = As<TRadioButton>(Parent()->Controls(i)); other && other != this) other->SetChecked(false);
    CheckStateChanged();
    if (value) ClickForChange();
}

void TRadioButton::Publish(TPublisher<TRadioButton>& p) {
    p.Enum(u"Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, LeftRightIdents())
        .Default(TAlignment::taRightJustify);
    p.Bool(u"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
}
