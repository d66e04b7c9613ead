#pragma once
// The skin of a header control (a framework header or a bare one, such as a list view's):
// each section framed by the skin's header picture, the section under the mouse in its
// hot frame, and the space right of the last section in the normal frame.

#include "framework/core/Geometry.h"
#include "skin/controls/SkinControl.h"

#include <vector>

#include <commctrl.h>

class TSkinHeader : public TSkinControl {
    KESTRELLE_CLASS(TSkinHeader, TSkinControl)

public:
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) override;

    // The section under the mouse; -1 for none.
    int HotItem() const noexcept { return m_hotItem; }

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    const TDataSkinObject* HeaderObject() const noexcept;
    void PaintSections(HDC dc, const RECT& rect, const TDataSkinObject& object);
    void PaintSection(HDC dc, int index, const RECT& section, const TDataSkinObject& object, HIMAGELIST images);

    // Each section's rectangle less three pixels at either side, by index, as last painted.
    std::vector<core::Rect> m_itemRects;
    int m_hotItem = -1;
};
