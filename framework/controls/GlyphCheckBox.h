#pragma once
// Check boxes and radio buttons that draw their mark from a glyph strip given to them
// (see GlyphCells.h for the cells), or, without one, in the system's look; the caption
// beside it. They paint all of themselves, so a strip handed over changes their look
// at once. Three classes, under the class names the skin engine's control discovery
// looks for: a check box and a radio button whose strip is "CustomGlyphs" (used once
// "UseCustomGlyphs" is switched on, which loads it again), and a check box whose strip
// is the "Glyph" of its "Properties".

#include "framework/controls/CustomControl.h"
#include "framework/controls/GlyphCells.h"
#include "framework/graphics/Bitmap.h"

#include <functional>

class TGlyphButton : public TCustomControl {
    KESTRELLE_CLASS(TGlyphButton, TCustomControl)

public:
    TCheckBoxState State() const noexcept { return m_state; }
    void SetState(TCheckBoxState value);
    bool Checked() const noexcept { return m_state == TCheckBoxState::cbChecked; }
    void SetChecked(bool value) { SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    bool AllowGrayed() const noexcept { return m_allowGrayed; }
    void SetAllowGrayed(bool value) noexcept { m_allowGrayed = value; }
    // The mouse is over the control or pressing it.
    bool Hot() const noexcept { return m_hot || m_pressed; }
    // The cell of the strip the control shows now.
    int Cell() const noexcept;

protected:
    explicit TGlyphButton(GlyphStripKind kind);

    // The strip in use, null for the system's look; the colour left out of it.
    virtual const TBitmap* Strip() const noexcept = 0;
    virtual TColor StripKey() const noexcept = 0;
    // A click moves the state on.
    virtual void Toggle();
    GlyphStripKind Kind() const noexcept { return m_kind; }

    void WndProc(TMessage& message) override;
    bool Paint(HDC dc, const RECT& box) noexcept override;

    template <class T>
    static void PublishState(TPublisher<T>& p) {
        p.Enum(u"State", &T::State, &T::SetState).Default(TCheckBoxState::cbUnchecked);
        p.Bool(u"Checked", &T::Checked, &T::SetChecked).NotStored();
        p.Bool(u"AllowGrayed", &T::AllowGrayed, &T::SetAllowGrayed).Default(false);
    }

private:
    bool PaintMark(HDC dc, const RECT& mark) const noexcept;
    void SetHot(bool value);

    GlyphStripKind m_kind;
    TCheckBoxState m_state = TCheckBoxState::cbUnchecked;
    bool m_allowGrayed = false;
    bool m_hot = false;
    bool m_pressed = false;
};

// A control whose strip is "CustomGlyphs": TRzCheckBox and TRzRadioButton.
class TCustomGlyphControl : public TGlyphButton {
    KESTRELLE_CLASS(TCustomGlyphControl, TGlyphButton)

public:
    TBitmap& CustomGlyphs() noexcept { return m_customGlyphs; }
    TColor TransparentColor() const noexcept { return m_transparentColor; }
    void SetTransparentColor(TColor value);
    bool UseCustomGlyphs() const noexcept { return m_useCustomGlyphs; }
    // Switching on loads CustomGlyphs again.
    void SetUseCustomGlyphs(bool value);

protected:
    explicit TCustomGlyphControl(GlyphStripKind kind) : TGlyphButton{kind} {}
    const TBitmap* Strip() const noexcept override;
    TColor StripKey() const noexcept override { return m_transparentColor; }

    template <class T>
    static void PublishGlyphs(TPublisher<T>& p) {
        p.Object(u"CustomGlyphs", [](T& c) -> TBitmap& { return c.CustomGlyphs(); });
        p.Colour(u"TransparentColor", &T::TransparentColor, &T::SetTransparentColor).Default(clFuchsia);
        p.Bool(u"UseCustomGlyphs", &T::UseCustomGlyphs, &T::SetUseCustomGlyphs).Default(false);
    }

private:
    TBitmap m_customGlyphs;
    TBitmap m_loaded;  // what CustomGlyphs held when last loaded
    TColor m_transparentColor = clFuchsia;
    bool m_useCustomGlyphs = false;
};

class TRzCheckBox : public TCustomGlyphControl {
    KESTRELLE_CLASS(TRzCheckBox, TCustomGlyphControl)

public:
    TRzCheckBox() : TCustomGlyphControl{GlyphStripKind::Check} {}
    static void Publish(TPublisher<TRzCheckBox>& p);
};

// Checking one turns off the other radio buttons of the same parent.
class TRzRadioButton : public TCustomGlyphControl {
    KESTRELLE_CLASS(TRzRadioButton, TCustomGlyphControl)

public:
    TRzRadioButton() : TCustomGlyphControl{GlyphStripKind::Radio} {}
    static void Publish(TPublisher<TRzRadioButton>& p);

protected:
    void Toggle() override { SetChecked(true); }
};

// The look of a TcxCheckBox: its strip is Glyph, with Glyph's transparent colour left out.
class TcxCheckBoxProperties : public TPersistent {
    KESTRELLE_CLASS(TcxCheckBoxProperties, TPersistent)

public:
    explicit TcxCheckBoxProperties(std::function<void()> changed);
    TBitmap& Glyph() noexcept { return m_glyph; }
    const TBitmap& Glyph() const noexcept { return m_glyph; }
    void Assign(const TPersistent& source) override;
    static void Publish(TPublisher<TcxCheckBoxProperties>& p);

private:
    TBitmap m_glyph;
};

class TcxCheckBox : public TGlyphButton {
    KESTRELLE_CLASS(TcxCheckBox, TGlyphButton)

public:
    TcxCheckBox();
    TcxCheckBoxProperties& Properties() noexcept { return m_properties; }
    static void Publish(TPublisher<TcxCheckBox>& p);

protected:
    const TBitmap* Strip() const noexcept override;
    TColor StripKey() const noexcept override { return m_properties.Glyph().TransparentColor(); }

private:
    TcxCheckBoxProperties m_properties;
};
