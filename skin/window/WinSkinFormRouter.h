#pragma once
// Inside the window skinning object: the subclasser that routes the skinned window's
// messages into FormWndProc. Only the files of TWinSkinForm include this.

#include "skin/window/WinSkinForm.h"

// Routes the window's messages into FormWndProc.
class TWinSkinForm::Router final : public Subclasser {
public:
    explicit Router(TWinSkinForm& form) noexcept : m_form{&form} {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        return m_form->FormWndProc(message, wParam, lParam);
    }

private:
    TWinSkinForm* m_form;
};

// Routes an MDI frame's client window's messages into MdiClientWndProc.
class TWinSkinForm::MdiClientRouter final : public Subclasser {
public:
    explicit MdiClientRouter(TWinSkinForm& form) noexcept : m_form{&form} {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        return m_form->MdiClientWndProc(message, wParam, lParam);
    }

private:
    TWinSkinForm* m_form;
};
