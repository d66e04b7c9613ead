#pragma once
// A windowless push button with a glyph strip and a caption. It tracks its own press
// (down while the mouse is held inside, a click on release inside), can stay down as
// one of a group, and draws flat until hovered when Flat is set.

#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/win/DibSection.h"

#include <cstdint>
#include <memory>
#include <vector>

class TSpeedButton : public TGraphicControl {
    KESTRELLE_CLASS(TSpeedButton, TGraphicControl)

public:
    enum class ButtonState { Up, Disabled, Down, Exclusive };

    TSpeedButton();

    // The glyph strip: NumGlyphs cells side by side (up, disabled, pressed, down).
    // Its transparent colour (the lower-left pixel unless set otherwise) is left out.
    TBitmap& Glyph() noexcept { return m_glyph; }
    void SetGlyph(const TBitmap& value) { m_glyph.Assign(value); }
    bool HasGlyph() const noexcept { return m_glyphWidth > 0 && m_glyphHeight > 0; }
    int NumGlyphs() const noexcept { return m_numGlyphs; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const noexcept { return m_layout; }
    void SetLayout(TButtonLayout value);
    int Margin() const noexcept { return m_margin; }
    void SetMargin(int value);
    int Spacing() const noexcept { return m_spacing; }
    void SetSpacing(int value);
    bool Flat() const noexcept { return m_flat; }
    void SetFlat(bool value);
    bool Transparent() const noexcept { return m_transparent; }
    void SetTransparent(bool value);

    bool Down() const noexcept { return m_down; }
    void SetDown(bool value);
    int GroupIndex() const noexcept { return m_groupIndex; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const noexcept { return m_allowAllUp; }
    void SetAllowAllUp(bool value);

    ButtonState State() const noexcept { return m_state; }
    bool MouseInControl() const noexcept { return m_mouseInControl; }

    void Loaded() override;
    static void Publish(TPublisher<TSpeedButton>& p);

protected:
    bool Paint(HDC dc, const RECT& box) noexcept override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void WndProc(TMessage& message) override;

private:
    void GlyphChanged();
    void UpdateExclusive();
    void SetState(ButtonState state);
    bool DrawGlyph(HDC dc, int x, int y, int cell, bool grey) const noexcept;

    TBitmap m_glyph;
    // The strip as drawn: 32-bit copies made when the glyph changes, so painting only blits.
    std::unique_ptr<DibSection> m_glyphImage;
    std::unique_ptr<DibSection> m_glyphGrey;  // in grey, for a disabled button without its own cell
    COLORREF m_transparentColor = 0;
    int m_glyphWidth = 0;       // the whole strip
    int m_glyphHeight = 0;
    int m_numGlyphs = 1;
    TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
    int m_margin = -1;
    int m_spacing = 4;
    bool m_flat = false;
    bool m_transparent = true;
    bool m_down = false;
    int m_groupIndex = 0;
    bool m_allowAllUp = false;
    ButtonState m_state = ButtonState::Up;
    bool m_dragging = false;
    bool m_mouseInControl = false;
};
