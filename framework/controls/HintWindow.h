#pragma once
// The small window that shows a control's hint near the mouse.

#include "framework/controls/CustomControl.h"

class THintWindow : public TCustomControl {
    KESTRELLE_CLASS(THintWindow, TCustomControl)

public:
    THintWindow();

    // Shows `text` with its top-left at `at` (screen), without taking the focus.
    void ActivateHint(core::Point at, std::wstring_view text);
    void ReleaseHint();
    bool IsShowing() const noexcept;

protected:
    void CreateParams(TCreateParams& params) override;
    bool Paint(HDC dc, const RECT& box) noexcept override;
};
