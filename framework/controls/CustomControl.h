#pragma once
// A windowed control that paints all of itself.

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/WinControl.h"

class TCustomControl : public TWinControl {
    KESTRELLE_CLASS(TCustomControl, TWinControl)

public:
    TCustomControl();
    ~TCustomControl() override;

    // Drawing surface: the paint's DC while painting, a fetched one otherwise.
    TCanvas& Canvas() noexcept { return m_canvas; }

protected:
    bool PaintWindow(HDC dc) override;
    bool PaintsItself() const noexcept override { return true; }
    // Draws the control into `dc` within `box` (its client area). Never throws.
    virtual bool Paint(HDC dc, const RECT& box) noexcept;

private:
    TControlCanvas m_canvas{*this};
};
