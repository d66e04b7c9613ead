#pragma once
// Push buttons painted from the skin's button object: plain ones (TSkinButton), ones
// with a glyph or an image list (TSkinBitButton) and ones with a drop-down arrow
// (TSkinMenuButton), on framework controls or bare "BUTTON" windows. The skin keeps
// the mouse press from the button and clicks on release over it; the space bar stays
// the button's own. The states (normal, pressed, disabled, hover, focused) pick the
// button object's frames. Speed buttons are in SpeedButtonSkin.h.

#include "framework/controls/ButtonLayout.h"
#include "framework/win/MouseLeaveTracker.h"
#include "skin/controls/ButtonRules.h"
#include "skin/controls/SkinControl.h"

#include <functional>
#include <string>
#include <string_view>

#include <windows.h>

class TBitmap;
class TDataSkinButton;

// A control with this Tag shows what lies behind it around the skin's picture.
inline constexpr int32_t kTransparentTag = 5555;
// Whether a button or check box skin paints its parent's background: by the control's
// Tag, or for every control by the skin's xoTransparent option.
bool ShowsParentBackground(const TComponent* control, const TSkinData& skinData) noexcept;

class TSkinButton : public TSkinControl {
    KESTRELLE_CLASS(TSkinButton, TSkinControl)

public:
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) override;

    bool Transparent() const noexcept { return m_transparent; }
    bool NoMouseRelay() const noexcept { return m_noMouseRelay; }

protected:
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

    // The skin's button object when it has a picture to paint with; null otherwise, and
    // the button then keeps its own look.
    const TDataSkinButton* ButtonObject() const noexcept;
    // The control whose published properties are read: the framework control or the
    // windowless host; null for a bare window.
    TControl* Subject() const noexcept;
    // Reads focus, enabled state and caption for a paint.
    std::wstring ReadLook();
    ButtonFacts Facts() const noexcept;

    // The paint the push, glyph and menu buttons share, composed off-screen: the
    // background, the frame `frameOf` picks for the button's state, the caption's font
    // and colour, then `content` (caption, glyph, arrow). Never throws.
    void PaintButton(HDC dc, const RECT& rect, ButtonFrame (*frameOf)(const ButtonFacts&),
                     const std::function<void(HDC, ButtonFrame, const std::wstring&)>& content);
    // The parts of a paint, into the off-screen buffer.
    void PaintBackground(HDC buffer, const RECT& rect);
    void PaintFace(HDC buffer, const RECT& rect, ButtonFrame frame);
    // The control's font and text colour, then the state's colour where the skin has one.
    void UseCaptionLook(HDC buffer, ButtonFrame frame, bool enabled);
    // A caption in `rect`, centred or at the left, with its focus rectangle.
    void DrawCaption(HDC dc, const RECT& rect, bool centred, std::wstring_view caption);
    void DrawFocus(HDC dc, const core::Rect& text);
    // Measures `text` word-wrapped in `box` with `flags`.
    static core::Size MeasureText(HDC dc, std::wstring_view text, const core::Rect& box, UINT flags);
    // What the button's release over it does.
    void Click();
    // WM_KEYDOWN or WM_KEYUP of the space bar presses the button or lets it go; false,
    // and nothing changed, for any other key.
    bool TakeSpaceBar(const TMessage& message) noexcept;

    bool m_transparent = false;

private:
    void PressBegins();
    void HoverBegins();
    void HoverEnds();

    MouseLeaveTracker m_leave;
};

class TSkinBitButton : public TSkinButton {
    KESTRELLE_CLASS(TSkinBitButton, TSkinButton)

public:
    // Non-empty: the name of the object property that holds the glyph as a picture of
    // its own ("PngImage"), instead of "Glyph" and "Images".
    const std::u16string& GlyphPropName() const noexcept { return m_glyphPropName; }
    void SetGlyphPropName(std::u16string_view name) { m_glyphPropName = name; }

protected:
    void PaintSkin(HDC dc, const RECT& rect) override;

    // Glyph and caption of a glyph button in `rect`: placed by the layout arithmetic of
    // `kind`, the glyph drawn from cell `glyphIndex`, the caption in the buffer's colours.
    void PaintGlyphAndCaption(HDC dc, const RECT& rect, ButtonKind kind, int glyphIndex, bool enabled,
                              std::wstring_view caption);
    // Glyph `index` of a strip of `numGlyphs` cells at `at`, transparent by the cell's
    // lower-left pixel (or the strip's fixed transparent colour), grey when disabled.
    static bool DrawGlyph(HDC dc, core::Point at, const TBitmap& strip, int numGlyphs, int index) noexcept;

private:
    std::u16string m_glyphPropName;
};

class TSkinMenuButton : public TSkinButton {
    KESTRELLE_CLASS(TSkinMenuButton, TSkinButton)

protected:
    void PaintSkin(HDC dc, const RECT& rect) override;
};
