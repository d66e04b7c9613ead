#pragma once
// The skin of a group box: a rounded line in the skin's border colour with the caption
// set into it on the skin's background. A framework group box is painted by the skin
// alone (OwnerPaint); a bare one paints itself first and the skin paints over it.

#include "skin/controls/SkinControl.h"

class TSkinGroupBox : public TSkinControl {
    KESTRELLE_CLASS(TSkinGroupBox, TSkinControl)

public:
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    bool OwnerPaint() const noexcept { return m_ownerPaint; }

protected:
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    void PaintBox(HDC dc, const RECT& rect);

    bool m_ownerPaint = false;
};
