#include "framework/controls/SpeedButton.h"

#include "framework/controls/WinControl.h"

#include <algorithm>

TSpeedButton::TSpeedButton() : GlyphButtonLook{static_cast<TControl&>(*this)} {
    // It clicks itself on release, so the generic click logic stays off.
    SetControlStyle(ControlStyle::CaptureMouse | ControlStyle::DoubleClicks);
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool value) {
    m_flat = value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
    m_transparent = value;
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    m_allowAllUp = value;
    UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int value) {
    m_groupIndex = value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
    // While the layout is read, GroupIndex may still follow; Loaded settles it.
    if (!IsLoading()) {
        if (m_groupIndex == 0) value = false;
        if (value == m_down) return;
        if (m_down && !value && !m_allowAllUp) return;  // one of a group always stays down
    }
    m_down = value;
    m_state = value ? ButtonState::Exclusive : ButtonState::Up;
    Invalidate();
    if (value && !IsLoading()) UpdateExclusive();
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    if (m_groupIndex == 0 && m_down) {
        m_down = false;
        m_state = ButtonState::Up;
    }
    if (m_down) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
    // The other buttons of the same group on the same parent pop up.
    if (!m_down || m_groupIndex == 0 || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = As<TSpeedButton>(Parent()->Controls(i));
        if (!other || other == this || other->m_groupIndex != m_groupIndex) continue;
        other->m_allowAllUp = m_allowAllUp;
        if (other->m_down) {
            other->m_down = false;
            other->m_state = ButtonState::Up;
            other->Invalidate();
        }
    }
}

void TSpeedButton::SetState(ButtonState state) {
    if (state == m_state) return;
    m_state = state;
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !Enabled()) return;
    if (!m_down) SetState(ButtonState::Down);
    m_dragging = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!m_dragging) return;
    const bool inside = ClientRect().Contains({x, y});
    SetState(inside ? ButtonState::Down : m_down ? ButtonState::Exclusive : ButtonState::Up);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !m_dragging) return;
    m_dragging = false;
    const bool inside = ClientRect().Contains({x, y});
    if (m_groupIndex == 0) {
        SetState(ButtonState::Up);
    } else if (inside) {
        SetDown(!m_down);
        SetState(m_down ? ButtonState::Exclusive : ButtonState::Up);
    } else {
        SetState(m_down ? ButtonState::Exclusive : ButtonState::Up);
    }
    if (inside) Click();
}

void TSpeedButton::MouseEnter() {
    TGraphicControl::MouseEnter();
    m_mouseInControl = true;
    if (m_flat && Enabled()) Invalidate();
}

void TSpeedButton::MouseLeave() {
    TGraphicControl::MouseLeave();
    m_mouseInControl = false;
    if (m_flat && Enabled()) Invalidate();
}

void TSpeedButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CAPTURECHANGED:
        if (m_dragging) {
            m_dragging = false;
            SetState(m_down ? ButtonState::Exclusive : ButtonState::Up);
        }
        break;
    case kMsgEnabledChanged: m_state = Enabled() ? ButtonState::Up : ButtonState::Disabled; break;
    default: break;
    }
    TGraphicControl::WndProc(message);
}

bool TSpeedButton::Paint(HDC dc, const RECT& box) noexcept {
    if (box.right - box.left < 1 || box.bottom - box.top < 1) return true;
    const bool enabled = Enabled();
    const bool pressed = m_state == ButtonState::Down || m_state == ButtonState::Exclusive;
    RECT face = box;

    if (!m_flat || !m_transparent) {
        BrushHandle background{::CreateSolidBrush(ColorToRGB(Color()))};
        ::FillRect(dc, &face, background.Get());
    }
    if (!m_flat) {
        ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
        if (m_state == ButtonState::Exclusive && !m_dragging) {
            // A button that stays down shows a light dither inside its frame.
            static const WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
            BitmapHandle pattern{::CreateBitmap(8, 8, 1, 1, kChecker)};
            BrushHandle dither{pattern ? ::CreatePatternBrush(pattern.Get()) : nullptr};
            if (dither) {
                SavedDc keep{dc};
                ::SetTextColor(dc, ::GetSysColor(COLOR_BTNFACE));
                ::SetBkColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
                ::FillRect(dc, &face, dither.Get());
            }
        }
    } else if (pressed || (m_mouseInControl && enabled)) {
        RECT edge = box;
        ::DrawEdge(dc, &edge, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }

    // Glyph and caption, one pixel down and right while pressed.
    int cell = 0;
    if (!enabled) cell = 1;
    else if (m_state == ButtonState::Down) cell = 2;
    else if (m_state == ButtonState::Exclusive) cell = 3;
    return PaintFace(dc, box, ButtonKind::Speed, cell, pressed ? 1 : 0);
}

void TSpeedButton::Publish(TPublisher<TSpeedButton>& p) {
    PublishLook(p);
    p.Bool(u"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
    p.Bool(u"Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
    p.Integer(u"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    p.Bool(u"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    p.Bool(u"Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
}
