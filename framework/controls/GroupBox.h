#pragma once
// A framed group of controls with its caption set into the top line. It paints itself:
// the standard group box lets mouse input through to what lies beneath it and leaves
// its inside unpainted, neither of which suits a container. Children are aligned inside
// the frame, below the caption.

#include "framework/controls/CustomControl.h"

class TCustomGroupBox : public TCustomControl {
    KESTRELLE_CLASS(TCustomGroupBox, TCustomControl)

public:
    TCustomGroupBox();

    core::Rect AdjustClientRect(core::Rect rect) const override;

protected:
    bool Paint(HDC dc, const RECT& box) noexcept override;
    void FontChanged() override;
    // The height of a line of the control's font: the caption's, and the room above the children.
    int CaptionHeight() const noexcept;
};

class TGroupBox : public TCustomGroupBox {
    KESTRELLE_CLASS(TGroupBox, TCustomGroupBox)
};
