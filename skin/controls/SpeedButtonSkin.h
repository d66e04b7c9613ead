#pragma once
// The skin of windowless speed buttons (the lesson buttons of the main window): it
// stands in for the button's handler without any window, lets the button's own press,
// group and click logic run, and paints the button object's frames with the glyph and
// caption placed as the framework's speed button places them. A flat button shows its
// frame only while hovered, pressed or down.

#include "skin/controls/ButtonSkins.h"

#include <windows.h>

class TSkinSpeedButton : public TSkinBitButton {
    KESTRELLE_CLASS(TSkinSpeedButton, TSkinBitButton)

public:
    // The speed button's own attach, on the control that owns this object.
    void AttachOwn(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) override;
    // Paints now: into `dc`, or into the button's part of its parent's window.
    void PaintFrame(HDC dc) noexcept override;

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    void PaintMessageIntoHost(HDC dc) noexcept;

    // A transparent button has its parent paint behind it, and the parent paints its
    // windowless children, this one included: that nested paint is skipped.
    bool m_painting = false;
};
