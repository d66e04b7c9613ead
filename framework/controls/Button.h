#pragma once
// A push button. Enter clicks the form's active button (the focused button, or the
// default one while no button has the focus) and Escape clicks a cancel button,
// through the form's dialog keys. The active button is drawn as the default.

#include "framework/controls/ButtonControl.h"

class TButton : public TButtonControl {
    KESTRELLE_CLASS(TButton, TButtonControl)

public:
    TButton();

    bool Default() const noexcept { return m_default; }
    void SetDefault(bool value);
    bool Cancel() const noexcept { return m_cancel; }
    void SetCancel(bool value) noexcept { m_cancel = value; }
    // Carried for the form a click is to end: modal runs are the form's business.
    TModalResult ModalResult() const noexcept { return m_modalResult; }
    void SetModalResult(TModalResult value) noexcept { m_modalResult = value; }
    // Whether Enter clicks this button now.
    bool Active() const noexcept { return m_active; }

    static void Publish(TPublisher<TButton>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    // The BUTTON type bits the button shows: a push or a default push button; a
    // button that draws itself answers BS_OWNERDRAW.
    virtual DWORD ButtonType() const noexcept { return m_active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

private:
    void SetActive(bool value);
    // After the focus went to `focused`: a focused button is the active one, else the default.
    void FollowFocus(const TControl* focused);

    bool m_default = false;
    bool m_cancel = false;
    bool m_active = false;
    TModalResult m_modalResult = mrNone;
};
