#pragma once
// A control without a window: its parent paints it (handing it a DC whose origin is
// the control's top-left and whose clip is its bounds) and feeds it mouse input.

#include "framework/controls/Control.h"
#include "framework/controls/ControlCanvas.h"

class TGraphicControl : public TControl {
    KESTRELLE_CLASS(TGraphicControl, TControl)

public:
    TGraphicControl();
    ~TGraphicControl() override;

    // Drawing surface: the parent's DC while painting, a fetched one otherwise.
    TCanvas& Canvas() noexcept { return m_canvas; }

protected:
    void WndProc(TMessage& message) override;
    // Draws the control into `dc` within `box` (its client area at origin). Returns
    // false when it could not draw, and WM_PAINT answers 0 then; the parent's
    // background shows in its place. Never throws.
    virtual bool Paint(HDC dc, const RECT& box) noexcept;

private:
    TControlCanvas m_canvas{*this};
};
