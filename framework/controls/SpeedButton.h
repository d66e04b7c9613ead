#pragma once
// A windowless push button with a glyph strip and a caption. It tracks its own press
// (down while the mouse is held inside, a click on release inside), can stay down as
// one of a group, and draws flat until hovered when Flat is set.

#include "framework/controls/ButtonGlyph.h"
#include "framework/controls/GraphicControl.h"

class TSpeedButton : public TGraphicControl, public GlyphButtonLook {
    KESTRELLE_CLASS(TSpeedButton, TGraphicControl)

public:
    enum class ButtonState { Up, Disabled, Down, Exclusive };

    TSpeedButton();

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
    void UpdateExclusive();
    void SetState(ButtonState state);

    bool m_flat = false;
    bool m_transparent = true;
    bool m_down = false;
    int m_groupIndex = 0;
    bool m_allowAllUp = false;
    ButtonState m_state = ButtonState::Up;
    bool m_dragging = false;
    bool m_mouseInControl = false;
};
