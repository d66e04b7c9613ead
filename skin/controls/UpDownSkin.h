#pragma once
// The skin of up-down (spin) buttons: each half drawn from the skin's spin pictures (or,
// without them, as a plain outlined button with an arrow), lit on its own while the
// mouse is over it or presses it. The control's own mouse handling runs first, so its
// auto-repeat and its notifications stay as they were. An up-down sitting inside an edit
// (Buddied) is painted clear of the edit's skinned frame.

#include "framework/win/MouseLeaveTracker.h"
#include "skin/controls/SkinControl.h"

#include <cstdint>

class TSkinUpDown : public TSkinControl {
    KESTRELLE_CLASS(TSkinUpDown, TSkinControl)

public:
    bool Buddied() const noexcept { return m_buddied; }
    void SetBuddied(bool value) noexcept { m_buddied = value; }
    // 1 lays the halves side by side whatever the control's style says.
    int32_t Horizontal() const noexcept { return m_horizontal; }
    void SetHorizontal(int32_t value) noexcept { m_horizontal = value; }

protected:
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    bool LaidHorizontally() const noexcept;
    // The half under the cursor now (0 or 1), -1 for none.
    int HotHalf() const noexcept;
    void HoverMoves();
    void HoverEnds();
    void PaintNow();
    void DrawPlainHalf(HDC dc, const RECT& half, int kind, int state) const;

    bool m_buddied = false;
    int32_t m_horizontal = 0;
    int m_hotHalf = -1;
    MouseLeaveTracker m_leave;
};
