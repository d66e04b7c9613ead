#pragma once
// A radio button. Checking one turns the other radio buttons of the same parent off;
// it takes the tab stop while checked. Becoming checked, by the user or by code, counts
// as a click, except while a layout is being read.

#include "framework/controls/ButtonControl.h"

class TRadioButton : public TButtonControl {
    KESTRELLE_CLASS(TRadioButton, TButtonControl)

public:
    TRadioButton();

    // The side of the mark the caption is on: taRightJustify (the usual) or taLeftJustify.
    TAlignment Alignment() const noexcept { return m_alignment; }
    void SetAlignment(TAlignment value) { SetCaptionSide(m_alignment, value); }
    bool Checked() const noexcept { return m_checked; }
    void SetChecked(bool value);

    static void Publish(TPublisher<TRadioButton>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void ButtonClicked() override { SetChecked(true); }
    WPARAM CheckState() const noexcept override { return m_checked ? BST_CHECKED : BST_UNCHECKED; }

private:
    TAlignment m_alignment = TAlignment::taRightJustify;
    bool m_checked = false;
};
