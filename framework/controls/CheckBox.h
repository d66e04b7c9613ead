#pragma once
// A check box: unchecked, checked or, where the program allows it, grayed (neither).
// A click moves it on (unchecked, grayed if allowed, checked, unchecked again); every
// change of state, by the user or by code, counts as a click, except while a layout is
// being read.

#include "framework/controls/ButtonControl.h"

class TCustomCheckBox : public TButtonControl {
    KESTRELLE_CLASS(TCustomCheckBox, TButtonControl)

public:
    TCustomCheckBox();

    // The side of the mark the caption is on: taRightJustify (the usual) or taLeftJustify.
    TAlignment Alignment() const noexcept { return m_alignment; }
    void SetAlignment(TAlignment value) { SetCaptionSide(m_alignment, value); }
    bool AllowGrayed() const noexcept { return m_allowGrayed; }
    void SetAllowGrayed(bool value) noexcept { m_allowGrayed = value; }
    TCheckBoxState State() const noexcept { return m_state; }
    void SetState(TCheckBoxState value);
    bool Checked() const noexcept { return m_state == TCheckBoxState::cbChecked; }
    void SetChecked(bool value) { SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }

    static void Publish(TPublisher<TCustomCheckBox>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void ButtonClicked() override { Toggle(); }
    WPARAM CheckState() const noexcept override { return static_cast<WPARAM>(m_state); }
    // The state a click moves on to.
    virtual void Toggle();

private:
    TAlignment m_alignment = TAlignment::taRightJustify;
    bool m_allowGrayed = false;
    TCheckBoxState m_state = TCheckBoxState::cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
    KESTRELLE_CLASS(TCheckBox, TCustomCheckBox)
};
