#pragma once
// A container with bevels and an optional caption. Children are aligned inside the
// bevels and border.

#include "framework/controls/CustomControl.h"

class TCustomPanel : public TCustomControl {
    KESTRELLE_CLASS(TCustomPanel, TCustomControl)

public:
    TCustomPanel();

    TAlignment Alignment() const noexcept { return m_alignment; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const noexcept { return m_bevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const noexcept { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const noexcept { return m_bevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const noexcept { return m_borderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const noexcept { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // Repaint everything when the size changes (the bevels and a centred caption move).
    bool FullRepaint() const noexcept { return m_fullRepaint; }
    void SetFullRepaint(bool value) noexcept { m_fullRepaint = value; }

    core::Rect AdjustClientRect(core::Rect rect) const override;
    static void Publish(TPublisher<TCustomPanel>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void BoundsChanged(bool sizeChanged) override;
    bool Paint(HDC dc, const RECT& box) noexcept override;

private:
    void Changed();
    int FrameWidth() const noexcept;

    TAlignment m_alignment = TAlignment::taCenter;
    TBevelCut m_bevelInner = TBevelCut::bvNone;
    TBevelCut m_bevelOuter = TBevelCut::bvRaised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TBorderStyle m_borderStyle = TBorderStyle::bsNone;
    bool m_fullRepaint = true;
};

class TPanel : public TCustomPanel {
    KESTRELLE_CLASS(TPanel, TCustomPanel)
};

// Draws a 3-D frame of `width` pixels just inside `box` and moves `box` inside it.
void Frame3D(HDC dc, RECT& box, COLORREF topLeft, COLORREF bottomRight, int width) noexcept;
