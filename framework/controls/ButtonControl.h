#pragma once
// Base of the controls on the standard "BUTTON" window class: push buttons, check boxes
// and radio buttons. The window tracks its own press and tells its parent when it was
// clicked (BN_CLICKED: a release inside after a press inside, or the space bar let go);
// that notice, reflected back to the control, is the click. So mouse releases do not go
// through the generic click logic, and a double click counts as one more press.

#include "framework/controls/WinControl.h"

class TButtonControl : public TWinControl {
    KESTRELLE_CLASS(TButtonControl, TWinControl)

public:
    TButtonControl();

    // The caption wraps onto several lines where it does not fit.
    bool WordWrap() const noexcept { return m_wordWrap; }
    void SetWordWrap(bool value);

    static void Publish(TPublisher<TButtonControl>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;

    // The window reported a click (BN_CLICKED). A push button clicks; check boxes and
    // radio buttons change their state first.
    virtual void ButtonClicked() { Click(); }

    // Check boxes and radio buttons: the check the window shows (BST_UNCHECKED,
    // BST_CHECKED or BST_INDETERMINATE).
    virtual WPARAM CheckState() const noexcept { return BST_UNCHECKED; }
    // The check state changed: the window shows it and the control's handlers hear of it
    // (kMsgStateChanged).
    void CheckStateChanged();
    // A change of state that counts as a click: not while a layout is being read.
    void ClickForChange() {
        if (!IsLoading()) Click();
    }
    // Check boxes and radio buttons: the caption left (taLeftJustify) or right of the
    // mark. A mark has no centre: taCenter counts as the usual side, the right.
    static DWORD CaptionSideStyle(TAlignment side) noexcept {
        return side == TAlignment::taLeftJustify ? BS_LEFTTEXT : 0;
    }
    void SetCaptionSide(TAlignment& side, TAlignment value);

private:
    bool m_wordWrap = false;
};
