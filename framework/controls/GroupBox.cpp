#include "framework/controls/GroupBox.h"

#include <algorithm>

namespace {
constexpr int kCaptionIndent = 8;  // from the frame's end to the caption
}  // namespace

TCustomGroupBox::TCustomGroupBox() {
    SetControlStyle(ControlStyle::AcceptsControls | ControlStyle::CaptureMouse | ControlStyle::ClickEvents |
                    ControlStyle::DoubleClicks | ControlStyle::Opaque);
    SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight() const noexcept {
    WindowDc screen = WindowDc::Client(nullptr);
    if (!screen) return 0;
    SelectScope useFont{screen.Get(), FontHandle()};
    TEXTMETRICW metrics{};
    return ::GetTextMetricsW(screen.Get(), &metrics) ? metrics.tmHeight : 0;
}

core::Rect TCustomGroupBox::AdjustClientRect(core::Rect rect) const {
    rect.top += CaptionHeight();
    return rect.Inflate(-2, -2);
}

void TCustomGroupBox::FontChanged() {
    TCustomControl::FontChanged();
    Realign();
}

bool TCustomGroupBox::Paint(HDC dc, const RECT& box) noexcept {
    ::FillRect(dc, &box, Brush());
    SelectScope useFont{dc, FontHandle()};
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    // The frame's top line runs through the middle of the caption.
    RECT frame{box.left, box.top + metrics.tmHeight / 2, box.right, box.bottom};
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty()) return true;

    const int length = static_cast<int>(Caption().size());
    RECT text{0, 0, 0, 0};
    UINT flags = DT_SINGLELINE | DT_EXPANDTABS;
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    ::DrawTextW(dc, Caption().c_str(), length, &text, flags | DT_CALCRECT);
    const int width = std::min<int>(text.right, std::max<int>(0, box.right - box.left - 2 * kCaptionIndent));
    const int left = UseRightToLeftAlignment() ? box.right - kCaptionIndent - width : box.left + kCaptionIndent;
    text = {left, box.top, left + width, box.top + metrics.tmHeight};
    // The caption sits on the control's colour and breaks the line.
    ::FillRect(dc, &text, Brush());
    SavedDc keep{dc};
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    return ::DrawTextW(dc, Caption().c_str(), length, &text, flags) != 0;
}
