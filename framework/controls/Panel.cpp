#include "framework/controls/Panel.h"

#include "framework/win/Handles.h"

#include <algorithm>

void Frame3D(HDC dc, RECT& box, COLORREF topLeft, COLORREF bottomRight, int width) noexcept {
    BrushHandle light{::CreateSolidBrush(topLeft)};
    BrushHandle dark{::CreateSolidBrush(bottomRight)};
    for (int i = 0; i < width && box.right > box.left && box.bottom > box.top; ++i) {
        const RECT top{box.left, box.top, box.right - 1, box.top + 1};
        const RECT left{box.left, box.top, box.left + 1, box.bottom - 1};
        const RECT bottom{box.left, box.bottom - 1, box.right, box.bottom};
        const RECT right{box.right - 1, box.top, box.right, box.bottom};
        ::FillRect(dc, &top, light.Get());
        ::FillRect(dc, &left, light.Get());
        ::FillRect(dc, &bottom, dark.Get());
        ::FillRect(dc, &right, dark.Get());
        ::InflateRect(&box, -1, -1);
    }
}

TCustomPanel::TCustomPanel() {
    SetControlStyle(ControlStyle::AcceptsControls | ControlStyle::CaptureMouse | ControlStyle::ClickEvents |
                    ControlStyle::DoubleClicks | ControlStyle::Opaque);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::Changed() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value) {
    m_alignment = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    m_bevelInner = value;
    Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    m_bevelOuter = value;
    Changed();
}

void TCustomPanel::SetBevelWidth(int value) {
    m_bevelWidth = std::max(1, value);
    Changed();
}

void TCustomPanel::SetBorderWidth(int value) {
    m_borderWidth = std::max(0, value);
    Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (value == m_borderStyle) return;
    m_borderStyle = value;
    if (value == TBorderStyle::bsSingle)
        UpdateStyle(WS_EX_CLIENTEDGE, 0, true);
    else
        UpdateStyle(0, WS_EX_CLIENTEDGE, true);
    Changed();
}

int TCustomPanel::FrameWidth() const noexcept {
    int width = m_borderWidth;
    if (m_bevelOuter != TBevelCut::bvNone) width += m_bevelWidth;
    if (m_bevelInner != TBevelCut::bvNone) width += m_bevelWidth;
    return width;
}

core::Rect TCustomPanel::AdjustClientRect(core::Rect rect) const {
    const int frame = FrameWidth();
    return rect.Inflate(-frame, -frame);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (m_borderStyle == TBorderStyle::bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomPanel::BoundsChanged(bool sizeChanged) {
    TCustomControl::BoundsChanged(sizeChanged);
    if (sizeChanged && m_fullRepaint) Invalidate();
}

bool TCustomPanel::Paint(HDC dc, const RECT& box) noexcept {
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF face = ColorToRGB(Color());
    RECT r = box;
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone) return;
        const bool lowered = cut == TBevelCut::bvLowered;
        const COLORREF topLeft = cut == TBevelCut::bvSpace ? face : lowered ? shadow : highlight;
        const COLORREF bottomRight = cut == TBevelCut::bvSpace ? face : lowered ? highlight : shadow;
        Frame3D(dc, r, topLeft, bottomRight, m_bevelWidth);
    };
    bevel(m_bevelOuter);
    Frame3D(dc, r, face, face, m_borderWidth);
    bevel(m_bevelInner);
    ::FillRect(dc, &r, Brush());

    if (Caption().empty()) return true;
    SelectScope useFont{dc, FontHandle()};
    SavedDc keep{dc};
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Enabled() ? TextOnFace(Font().Color(), Color()) : ColorToRGB(clGrayText));
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    switch (m_alignment) {
    case TAlignment::taLeftJustify: flags |= UseRightToLeftAlignment() ? DT_RIGHT : DT_LEFT; break;
    case TAlignment::taRightJustify: flags |= UseRightToLeftAlignment() ? DT_LEFT : DT_RIGHT; break;
    case TAlignment::taCenter: flags |= DT_CENTER; break;
    }
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    return ::DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &r, flags) != 0;
}

void TCustomPanel::Publish(TPublisher<TCustomPanel>& p) {
    p.Enum(u"Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).Default(TAlignment::taCenter);
    p.Enum(u"BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(TBevelCut::bvNone);
    p.Enum(u"BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(TBevelCut::bvRaised);
    p.Integer(u"BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
    p.Integer(u"BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
    p.Enum(u"BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle).Default(TBorderStyle::bsNone);
    p.Bool(u"FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint).Default(true);
}
