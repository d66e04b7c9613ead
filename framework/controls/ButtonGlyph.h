#pragma once
// What the glyph buttons (the windowless speed button and the bitmap button) share: a
// glyph strip ready to paint, the settings that place glyph and caption, and the
// painting of both on the button's face, so that the two agree to the pixel.

#include "framework/controls/ButtonLayout.h"
#include "framework/controls/Control.h"
#include "framework/graphics/Bitmap.h"
#include "framework/win/DibSection.h"

#include <memory>

#include <windows.h>

// The strip holds NumGlyphs cells side by side: up, disabled, pressed, down. It is
// copied into one 32-bit picture when the bitmap changes, the strip above its grey
// copy, so that painting only blits. The bitmap's transparent colour is left out.
class ButtonGlyph {
public:
    // Makes the copies of `bitmap`; an empty bitmap, or one whose copies cannot be
    // made, leaves the strip empty.
    void Prepare(const TBitmap& bitmap);
    bool Empty() const noexcept { return !m_pictures; }
    // One cell of the strip cut into `numGlyphs`; (0, 0) when the strip is empty.
    core::Size CellSize(int numGlyphs) const noexcept;
    // Draws `cell` with its top-left at (x, y). A cell the strip does not have is
    // drawn as the first one, in grey when it stands for the disabled look (cell 1).
    bool Draw(HDC dc, int x, int y, int cell, int numGlyphs) const noexcept;

private:
    std::unique_ptr<DibSection> m_pictures;  // the strip, its grey copy below it
    COLORREF m_transparent = 0;
    int m_width = 0;  // the whole strip
    int m_height = 0;
};

// Mixed into a glyph button, which hands it itself: the published settings, each kept
// within its limits, and the painting of glyph and caption.
class GlyphButtonLook {
public:
    explicit GlyphButtonLook(TControl& control);
    GlyphButtonLook(const GlyphButtonLook&) = delete;
    GlyphButtonLook& operator=(const GlyphButtonLook&) = delete;

    // The glyph strip (see ButtonGlyph); its transparent colour is the lower-left pixel
    // unless set otherwise.
    TBitmap& Glyph() noexcept { return m_glyph; }
    const TBitmap& Glyph() const noexcept { return m_glyph; }
    void SetGlyph(const TBitmap& value) { m_glyph.Assign(value); }
    bool HasGlyph() const noexcept { return !m_strip.Empty(); }
    // 1 to 4.
    int NumGlyphs() const noexcept { return m_numGlyphs; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const noexcept { return m_layout; }
    void SetLayout(TButtonLayout value);
    // -1 centres glyph and caption; otherwise the glyph's distance from the edge.
    int Margin() const noexcept { return m_margin; }
    void SetMargin(int value);
    // -1 spreads the room evenly; otherwise the gap between glyph and caption.
    int Spacing() const noexcept { return m_spacing; }
    void SetSpacing(int value);

protected:
    // Paints glyph cell `cell` (0 up, 1 disabled, 2 pressed, 3 down) and the control's
    // caption (etched when the control is disabled) inside `box`, both moved `shift`
    // pixels right and down. False when the glyph could not be drawn. Leaves the DC as
    // it found it.
    bool PaintFace(HDC dc, const RECT& box, ButtonKind kind, int cell, int shift) const noexcept;

    // Publishes the settings for the control class T.
    template <class T>
    static void PublishLook(TPublisher<T>& p) {
        p.Object(u"Glyph", [](T& c) -> TBitmap& { return c.Glyph(); }).Stored([](const TObject& o) {
            return !static_cast<const T&>(o).Glyph().Empty();
        });
        p.Integer(u"NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs).Default(1);
        p.Enum(u"Layout", &T::Layout, &T::SetLayout).Default(TButtonLayout::blGlyphLeft);
        p.Integer(u"Margin", &T::Margin, &T::SetMargin).Default(-1);
        p.Integer(u"Spacing", &T::Spacing, &T::SetSpacing).Default(4);
    }

private:
    TControl& m_control;
    TBitmap m_glyph;
    ButtonGlyph m_strip;
    int m_numGlyphs = 1;
    TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
    int m_margin = -1;
    int m_spacing = 4;
};
