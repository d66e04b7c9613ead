#pragma once
// Inside the framework's windowed controls: the subclasser that routes a control's
// window messages into its WindowProc. Only the files of TWinControl include this.

#include "framework/controls/WinControl.h"

class TWinControl::Router final : public Subclasser {
public:
    explicit Router(TWinControl& control) noexcept : m_control{&control} {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        TMessage m{message, wParam, lParam, 0};
        m_control->MainWndProc(m);
        return m.Result;
    }

private:
    TWinControl* m_control;
};
