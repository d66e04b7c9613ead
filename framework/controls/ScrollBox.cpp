#include "framework/controls/ScrollBox.h"

#include <algorithm>

namespace {

constexpr int BarId(TScrollBarKind kind) noexcept { return kind == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT; }

// Counts the box's own moves and bar changes, so that the reports they cause are ignored.
class Updating {
public:
    explicit Updating(int& count) noexcept : m_count{++count} {}
    ~Updating() { --m_count; }
    Updating(const Updating&) = delete;
    Updating& operator=(const Updating&) = delete;

private:
    int& m_count;
};

}  // namespace

// ---- the bars ----------------------------------------------------------------------------

void TControlScrollBar::SetRange(int value) {
    m_range = std::max(value, 0);
    m_box.UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int value) {
    m_position = value;
    // Children read from a layout stand where they were scrolled to already.
    if (m_box.IsLoading()) m_scrolled = value;
    m_box.UpdateScrollBars();
}

void TControlScrollBar::SetIncrement(int value) { m_increment = std::max(value, 1); }

void TControlScrollBar::SetVisible(bool value) {
    m_visible = value;
    m_box.UpdateScrollBars();
}

void TControlScrollBar::Publish(TPublisher<TControlScrollBar>& p) {
    p.Integer(u"Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
        .Default(0)
        .Stored([](const TObject& o) { return !static_cast<const TControlScrollBar&>(o).m_box.AutoScroll(); });
    p.Integer(u"Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition).Default(0);
    p.Integer(u"Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement).Default(8);
    p.Bool(u"Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

// ---- the box -----------------------------------------------------------------------------

TScrollBox::TScrollBox() {
    SetControlStyle(ControlStyle::AcceptsControls | ControlStyle::CaptureMouse | ControlStyle::ClickEvents |
                    ControlStyle::DoubleClicks);
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    if (m_borderStyle == TBorderStyle::bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::InitializeWindow() { UpdateScrollBars(); }

void TScrollBox::Loaded() {
    TWinControl::Loaded();
    UpdateScrollBars();
}

void TScrollBox::SetAutoScroll(bool value) {
    m_autoScroll = value;
    UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
    m_borderStyle = value;
    const DWORD edge = value == TBorderStyle::bsSingle ? WS_EX_CLIENTEDGE : 0;
    UpdateStyle(edge, WS_EX_CLIENTEDGE & ~edge, true);
    UpdateScrollBars();
}

int TScrollBox::ChildExtent(const TControlScrollBar& bar) const noexcept {
    const bool horizontal = bar.m_kind == TScrollBarKind::sbHorizontal;
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl& c = *Controls(i);
        if (!c.Visible() || c.Align() != TAlign::alNone) continue;
        extent = std::max(extent, horizontal ? c.Left() + c.Width() : c.Top() + c.Height());
    }
    return extent + bar.m_scrolled;
}

void TScrollBox::UpdateScrollBars() {
    if (m_updating || IsLoading() || IsDestroying()) return;
    Updating updating{m_updating};
    if (m_autoScroll) {
        m_horz.m_range = ChildExtent(m_horz);
        m_vert.m_range = ChildExtent(m_vert);
    }
    // The client area the box would have without bars.
    const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    int width = ClientRect().Width();
    int height = ClientRect().Height();
    if (HWND box = HandleIfAllocated()) {
        const auto style = ::GetWindowLongPtrW(box, GWL_STYLE);
        if (style & WS_VSCROLL) width += barWidth;
        if (style & WS_HSCROLL) height += barHeight;
    } else if (m_borderStyle == TBorderStyle::bsSingle) {
        width -= 2 * ::GetSystemMetrics(SM_CXEDGE);
        height -= 2 * ::GetSystemMetrics(SM_CYEDGE);
    }
    // One bar takes room from the other's direction, which may then need its bar too.
    bool horz = m_horz.m_visible && m_horz.m_range > width;
    bool vert = m_vert.m_visible && m_vert.m_range > height;
    if (horz && !vert) vert = m_vert.m_visible && m_vert.m_range > height - barHeight;
    if (vert && !horz) horz = m_horz.m_visible && m_horz.m_range > width - barWidth;
    const int pageWidth = std::max(width - (vert ? barWidth : 0), 0);
    const int pageHeight = std::max(height - (horz ? barHeight : 0), 0);

    const int oldX = m_horz.m_scrolled;
    const int oldY = m_vert.m_scrolled;
    m_horz.m_shown = horz;
    m_vert.m_shown = vert;
    m_horz.m_position = horz ? std::clamp(m_horz.m_position, 0, m_horz.m_range - pageWidth) : 0;
    m_vert.m_position = vert ? std::clamp(m_vert.m_position, 0, m_vert.m_range - pageHeight) : 0;
    m_horz.m_scrolled = m_horz.m_position;
    m_vert.m_scrolled = m_vert.m_position;
    MoveChildren(oldX - m_horz.m_position, oldY - m_vert.m_position);
    ShowBar(m_horz, pageWidth);
    ShowBar(m_vert, pageHeight);
}

void TScrollBox::ShowBar(const TControlScrollBar& bar, int page) {
    HWND box = HandleIfAllocated();
    if (!box) return;
    // A bar without range and page is hidden by the system.
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    if (bar.m_shown) {
        info.nMax = bar.m_range - 1;
        info.nPage = static_cast<UINT>(page);
        info.nPos = bar.m_position;
    }
    ::SetScrollInfo(box, BarId(bar.m_kind), &info, TRUE);
}

void TScrollBox::MoveChildren(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl& c = *Controls(i);
        if (c.Align() == TAlign::alNone) c.SetBounds(c.Left() + dx, c.Top() + dy, c.Width(), c.Height());
    }
    Invalidate();
}

void TScrollBox::ScrollInView(const TControl& control) {
    if (control.Parent() != this) return;
    const core::Rect client = ClientRect();
    // Moves `position` so that [start, end) lies in [0, size), preferring its start.
    auto bring = [](int& position, int start, int end, int size) {
        if (end > size) position += std::min(end - size, start);
        else if (start < 0) position += start;
    };
    bring(m_horz.m_position, control.Left(), control.Left() + control.Width(), client.Width());
    bring(m_vert.m_position, control.Top(), control.Top() + control.Height(), client.Height());
    UpdateScrollBars();
}

void TScrollBox::Scroll(TControlScrollBar& bar, WORD code) {
    const core::Rect client = ClientRect();
    const int page = bar.m_kind == TScrollBarKind::sbHorizontal ? client.Width() : client.Height();
    int target = bar.m_position;
    switch (code) {
    case SB_LINEUP: target -= bar.m_increment; break;
    case SB_LINEDOWN: target += bar.m_increment; break;
    case SB_PAGEUP: target -= page; break;
    case SB_PAGEDOWN: target += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        // The thumb's place in 32 bits; the message carries only 16.
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (::GetScrollInfo(HandleIfAllocated(), BarId(bar.m_kind), &info)) target = info.nTrackPos;
        break;
    }
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = bar.m_range; break;
    default: return;
    }
    bar.SetPosition(target);
}

void TScrollBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        // Only the box's own bars; a child's notifications come reflected to the child.
        if (message.LParam) break;
        Scroll(message.Msg == WM_HSCROLL ? m_horz : m_vert, LOWORD(message.WParam));
        message.Result = 0;
        return;
    case WM_MOUSEWHEEL: {
        TControlScrollBar& bar = m_vert.m_shown || !m_horz.m_shown ? m_vert : m_horz;
        UINT lines = 3;
        ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        // Fine wheels send parts of a notch; they add up.
        m_wheelRest += GET_WHEEL_DELTA_WPARAM(message.WParam);
        const int notches = m_wheelRest / WHEEL_DELTA;
        m_wheelRest %= WHEEL_DELTA;
        if (notches != 0 && lines != WHEEL_PAGESCROLL)
            bar.SetPosition(bar.m_position - notches * static_cast<int>(lines) * bar.m_increment);
        message.Result = 0;
        return;
    }
    default: break;
    }
    TWinControl::WndProc(message);
}

void TScrollBox::BoundsChanged(bool sizeChanged) {
    TWinControl::BoundsChanged(sizeChanged);
    if (sizeChanged) UpdateScrollBars();
}

void TScrollBox::ControlsChanged() {
    if (m_autoScroll) UpdateScrollBars();
}

void TScrollBox::Publish(TPublisher<TScrollBox>& p) {
    p.Object(u"HorzScrollBar", &TScrollBox::HorzScrollBar);
    p.Object(u"VertScrollBar", &TScrollBox::VertScrollBar);
    p.Bool(u"AutoScroll", &TScrollBox::AutoScroll, &TScrollBox::SetAutoScroll).Default(true);
    p.Enum(u"BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).Default(TBorderStyle::bsSingle);
}
