#pragma once
// Skins that only give a container the skin's background colour: TSkinBox for framework
// panels, tool bars and inner forms (it recolours the control and leaves its handler
// alone), TSkinBoxH for a dialog nested in a bare dialog (its background and its static
// texts' background), and TSkinSizer for a size grip, which it covers with the colour.

#include "skin/controls/SkinControl.h"

class TSkinBox : public TSkinControl {
    KESTRELLE_CLASS(TSkinBox, TSkinControl)

public:
    // The state of a box that keeps the skin's colour when it is unskinned.
    static constexpr int32_t kKeepColour = 4;

    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    // Its own colour back (unless the state says keep it); the box is then unskinned.
    void Unskin() override;
    // Has the next Unskin leave the skin's colour on the control.
    void KeepColour() noexcept { m_state = kKeepColour; }
};

class TSkinBoxH : public TSkinControl {
    KESTRELLE_CLASS(TSkinBoxH, TSkinControl)

protected:
    bool BeforeMessage(TMessage& message) override;
};

class TSkinSizer : public TSkinControl {
    KESTRELLE_CLASS(TSkinSizer, TSkinControl)

protected:
    void PaintSkin(HDC dc, const RECT& rect) override;
};
