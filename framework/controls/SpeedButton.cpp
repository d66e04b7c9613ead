#include "framework/controls/SpeedButton.h"

#include "framework/controls/ButtonLayout.h"
#include "framework/controls/WinControl.h"

#include <algorithm>

TSpeedButton::TSpeedButton() {
    // It clicks itself on release, so the generic click logic stays off.
    SetControlStyle(ControlStyle::CaptureMouse | ControlStyle::DoubleClicks);
    SetBounds(0, 0, 23, 22);
    m_glyph.OnChange = [this](TObject*) { GlyphChanged(); };
}

void TSpeedButton::GlyphChanged() {
    m_glyphImage.reset();
    m_glyphGrey.reset();
    m_glyphWidth = m_glyphHeight = 0;
    if (!m_glyph.Empty()) {
        const int width = m_glyph.Width();
        const int height = m_glyph.Height();
        auto image = std::make_unique<DibSection>();
        auto grey = std::make_unique<DibSection>();
        if (image->EnsureSize(width, height) && grey->EnsureSize(width, height)) {
            const COLORREF transparent = ColorToRGB(m_glyph.TransparentColor());
            const PixelView out = image->View();
            const PixelView outGrey = grey->View();
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const COLORREF c = ColorToRGB(m_glyph.PixelColour(x, y));
                    const uint8_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
                    out.At(x, y) = Bgra(r, g, b, 0);
                    // The transparent colour stays as it is, so it is still left out.
                    const auto mean = static_cast<uint8_t>((r + g + b) / 3);
                    outGrey.At(x, y) = c == transparent ? out.At(x, y) : Bgra(mean, mean, mean, 0);
                }
            m_transparentColor = transparent;
            m_glyphImage = std::move(image);
            m_glyphGrey = std::move(grey);
            m_glyphWidth = width;
            m_glyphHeight = height;
        }
    }
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value) {
    m_numGlyphs = std::clamp(value, 1, 4);
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
    m_layout = value;
    Invalidate();
}

void TSpeedButton::SetMargin(int value) {
    m_margin = std::max(-1, value);
    Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
    m_spacing = std::max(-1, value);
    Invalidate();
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

bool TSpeedButton::DrawGlyph(HDC dc, int x, int y, int cell, bool grey) const noexcept {
    const DibSection* source = grey ? m_glyphGrey.get() : m_glyphImage.get();
    if (!source) return false;
    const int cellWidth = m_glyphWidth / m_numGlyphs;
    return ::TransparentBlt(dc, x, y, cellWidth, m_glyphHeight, source->Dc(), cell * cellWidth, 0, cellWidth,
                            m_glyphHeight, m_transparentColor) != FALSE;
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
    const core::Size client{box.right - box.left, box.bottom - box.top};
    const core::Size glyph = HasGlyph() ? core::Size{m_glyphWidth / m_numGlyphs, m_glyphHeight} : core::Size{};
    SelectScope useFont{dc, FontHandle()};
    core::Size text{};
    if (!Caption().empty()) {
        const core::Rect textBox = ButtonTextBox(client, glyph, m_layout);
        RECT measure{0, 0, std::max(0, textBox.Width()), 0};
        ::DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &measure, DT_CALCRECT | DT_WORDBREAK);
        text = {measure.right - measure.left, measure.bottom - measure.top};
    }
    const ButtonLayoutResult place =
        LayoutButton({client, glyph, text, m_layout, m_margin, m_spacing, ButtonKind::Speed, false});
    const int shift = pressed ? 1 : 0;

    bool drawn = true;
    if (HasGlyph()) {
        int cell = 0;
        if (!enabled) cell = 1;
        else if (m_state == ButtonState::Down) cell = 2;
        else if (m_state == ButtonState::Exclusive) cell = 3;
        const bool grey = cell >= m_numGlyphs && !enabled;
        if (cell >= m_numGlyphs) cell = 0;
        drawn = DrawGlyph(dc, box.left + place.glyph.x + shift, box.top + place.glyph.y + shift, cell, grey);
    }
    if (!Caption().empty()) {
        SavedDc keep{dc};
        ::SetBkMode(dc, TRANSPARENT);
        UINT flags = DT_WORDBREAK;
        if (m_layout == TButtonLayout::blGlyphRight) flags |= DT_RIGHT;
        if (m_layout == TButtonLayout::blGlyphTop || m_layout == TButtonLayout::blGlyphBottom) flags |= DT_CENTER;
        if (UseRightToLeftReading()) flags |= DT_RTLREADING;
        RECT r{box.left + place.text.left + shift, box.top + place.text.top + shift,
               box.left + place.text.right + shift, box.top + place.text.bottom + shift};
        const int length = static_cast<int>(Caption().size());
        if (enabled) {
            ::SetTextColor(dc, ColorToRGB(Font().Color()));
            ::DrawTextW(dc, Caption().c_str(), length, &r, flags);
        } else {
            // Etched: a highlight copy below-right, the shadow on top.
            RECT lower = r;
            ::OffsetRect(&lower, 1, 1);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            ::DrawTextW(dc, Caption().c_str(), length, &lower, flags);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
            ::DrawTextW(dc, Caption().c_str(), length, &r, flags);
        }
    }
    return drawn;
}

void TSpeedButton::Publish(TPublisher<TSpeedButton>& p) {
    p.Object(u"Glyph", &TSpeedButton::Glyph).Stored([](const TObject& o) {
        return !const_cast<TSpeedButton&>(static_cast<const TSpeedButton&>(o)).Glyph().Empty();
    });
    p.Integer(u"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
    p.Enum(u"Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(TButtonLayout::blGlyphLeft);
    p.Integer(u"Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
    p.Integer(u"Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
    p.Bool(u"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
    p.Bool(u"Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent).Default(true);
    p.Integer(u"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    p.Bool(u"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    p.Bool(u"Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
}
