#pragma once
// Check boxes and radio buttons painted from the check and radio strips of the skin's
// button object. On a framework control the skin paints the whole control, box and
// caption (the control then never paints itself); on a bare "BUTTON" window the window
// paints itself and the skin draws the box over its own. A cell per state: unchecked,
// checked, each disabled, and grayed for check boxes.

#include "skin/controls/SkinControl.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include <windows.h>

class TBitmap;

// Cell `cell` (from 1) of a strip of `count` equal cells, stretched to `rect`, the key
// colour left out. Nothing for an inverted rectangle; false when the strip has no such cell.
bool DrawStripCell(HDC dc, const RECT& rect, int count, int cell, const TBitmap& strip) noexcept;

// What check boxes and radio buttons share; each class picks its strip and its cell.
class CheckSkinBase : public TSkinControl {
public:
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void Reskin() override;

    // The skin paints the whole control: a framework control, while the strip has cells.
    bool OwnerPaint() const noexcept { return m_ownerPaint; }
    bool Transparent() const noexcept { return m_transparent; }

protected:
    enum class Kind { Check, Radio };
    explicit CheckSkinBase(Kind kind) noexcept : m_kind{kind} {}

    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

    // The cell (from 1) of the strip for the control's state now.
    virtual int Cell() = 0;
    // The strip, null when the skin has none; its cell count.
    const TBitmap* Strip() const noexcept;
    int StripCells() const noexcept;
    bool WindowDisabled() const noexcept;
    // The framework control's "Checked", when it publishes one.
    std::optional<bool> PublishedChecked() const;

private:
    void PaintCaption(HDC dc, const RECT& caption, bool leftText);
    void DrawFocusAround(HDC dc, const RECT& box, UINT flags, std::wstring_view text);

    Kind m_kind;
    bool m_ownerPaint = false;
    bool m_transparent = false;
};

class TSkinCheckBox : public CheckSkinBase {
    KESTRELLE_CLASS(TSkinCheckBox, TSkinControl)

public:
    TSkinCheckBox() noexcept : CheckSkinBase(Kind::Check) {}
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;

    // The last value sent with BM_SETCHECK, plus 1; 0 when none was.
    int32_t LastCheck() const noexcept { return m_lastCheck; }

protected:
    void AfterMessage(TMessage& message) override;
    int Cell() override;

private:
    int32_t m_lastCheck = 0;
};

class TSkinRadioButton : public CheckSkinBase {
    KESTRELLE_CLASS(TSkinRadioButton, TSkinControl)

public:
    TSkinRadioButton() noexcept : CheckSkinBase(Kind::Radio) {}

protected:
    int Cell() override;
};
