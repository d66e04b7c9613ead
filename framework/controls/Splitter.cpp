#include "framework/controls/Splitter.h"

#include "framework/controls/AlignLayout.h"
#include "framework/controls/Panel.h"
#include "framework/controls/WinControl.h"
#include "framework/win/Handles.h"

TSplitter::TSplitter() {
    SetControlStyle(ControlStyle::CaptureMouse);
    SetAlign(TAlign::alLeft);
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
}

bool TSplitter::Horizontal() const noexcept { return Align() == TAlign::alTop || Align() == TAlign::alBottom; }

void TSplitter::SetBeveled(bool value) {
    m_beveled = value;
    Invalidate();
}

int TSplitter::SizeOf(const TControl& control) const noexcept {
    return Horizontal() ? control.Height() : control.Width();
}

TControl* TSplitter::ResizeControl() const {
    TWinControl* parent = Parent();
    if (!parent || Align() == TAlign::alNone || Align() == TAlign::alClient) return nullptr;
    // The pixel just outside the splitter on the side the control sits.
    core::Point probe{};
    switch (Align()) {
    case TAlign::alLeft: probe = {Left() - 1, Top() + Height() / 2}; break;
    case TAlign::alRight: probe = {Left() + Width(), Top() + Height() / 2}; break;
    case TAlign::alTop: probe = {Left() + Width() / 2, Top() - 1}; break;
    case TAlign::alBottom: probe = {Left() + Width() / 2, Top() + Height()}; break;
    default: break;
    }
    for (int i = parent->ControlCount() - 1; i >= 0; --i) {
        TControl* c = parent->Controls(i);
        if (c != this && c->Visible() && c->Align() == Align() && c->BoundsRect().Contains(probe)) return c;
    }
    return nullptr;
}

int TSplitter::NewSizeAt(int x, int y) const {
    int delta = Horizontal() ? y - m_downAt.y : x - m_downAt.x;
    // Dragging towards the client area grows controls on the left or top only.
    if (Align() == TAlign::alRight || Align() == TAlign::alBottom) delta = -delta;
    return SplitterNewSize(m_startSize, delta, m_minSize, m_maxSize, m_autoSnap);
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !Parent()) return;
    m_control = ResizeControl();
    if (!m_control) return;
    m_downAt = {x, y};
    m_startSize = SizeOf(*m_control);
    // Everything else aligned along the same axis keeps its room.
    int others = 0;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        const TControl* c = Parent()->Controls(i);
        if (c == this || c == m_control || !c->Visible()) continue;
        const bool sameAxis = Horizontal() ? (c->Align() == TAlign::alTop || c->Align() == TAlign::alBottom)
                                           : (c->Align() == TAlign::alLeft || c->Align() == TAlign::alRight);
        if (sameAxis) others += SizeOf(*c);
    }
    const core::Rect client = Parent()->AdjustClientRect(Parent()->ClientRect());
    const int extent = Horizontal() ? client.Height() : client.Width();
    m_maxSize = SplitterMaxSize(extent, others, SizeOf(*this), m_minSize);
    m_maxSize = std::max(m_maxSize, m_startSize);  // never worse than where it is
    m_newSize = m_startSize;
    if (m_resizeStyle == TResizeStyle::rsLine || m_resizeStyle == TResizeStyle::rsPattern) DrawLine();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!m_control) return;
    int size = NewSizeAt(x, y);
    bool accept = true;
    Fire(OnCanResize, this, size, accept);
    if (!accept || size == m_newSize) return;
    const bool line = m_resizeStyle == TResizeStyle::rsLine || m_resizeStyle == TResizeStyle::rsPattern;
    if (line) DrawLine();  // XOR: erases the old line
    m_newSize = size;
    if (m_resizeStyle == TResizeStyle::rsUpdate) Apply(size);
    if (line) DrawLine();
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button == TMouseButton::mbLeft) EndDrag(true);
}

void TSplitter::EndDrag(bool apply) {
    if (!m_control) return;
    if (m_lineVisible) DrawLine();
    if (apply && m_newSize != SizeOf(*m_control)) Apply(m_newSize);
    const bool moved = apply && m_newSize != m_startSize;
    m_control = nullptr;
    if (moved) Fire(OnMoved, this);
}

void TSplitter::Apply(int size) {
    if (!m_control) return;
    // The parent's alignment then moves the splitter and the client control.
    switch (Align()) {
    case TAlign::alLeft: m_control->SetWidth(size); break;
    case TAlign::alRight:
        m_control->SetBounds(m_control->Left() + m_control->Width() - size, m_control->Top(), size,
                             m_control->Height());
        break;
    case TAlign::alTop: m_control->SetHeight(size); break;
    case TAlign::alBottom:
        m_control->SetBounds(m_control->Left(), m_control->Top() + m_control->Height() - size, m_control->Width(),
                             size);
        break;
    default: break;
    }
    if (Parent()) Parent()->Update();
}

void TSplitter::DrawLine() {
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated() || !m_control) return;
    // Where the splitter would be with the new size.
    const int shift = m_newSize - m_startSize;
    core::Rect r = BoundsRect();
    switch (Align()) {
    case TAlign::alLeft: r = r.Offset(shift, 0); break;
    case TAlign::alRight: r = r.Offset(-shift, 0); break;
    case TAlign::alTop: r = r.Offset(0, shift); break;
    case TAlign::alBottom: r = r.Offset(0, -shift); break;
    default: break;
    }
    m_line = r;
    // Not clipped to the children: the line crosses the controls on both sides.
    HWND window = parent->HandleIfAllocated();
    WindowDc dc{window, ::GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE)};
    if (!dc) return;
    static const WORD kHalftone[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    BitmapHandle pattern{::CreateBitmap(8, 8, 1, 1, kHalftone)};
    BrushHandle brush{m_resizeStyle == TResizeStyle::rsPattern && pattern ? ::CreatePatternBrush(pattern.Get())
                                                                           : ::CreateSolidBrush(RGB(0, 0, 0))};
    SelectScope useBrush{dc.Get(), brush.Get()};
    ::PatBlt(dc.Get(), r.left, r.top, r.Width(), r.Height(), PATINVERT);
    m_lineVisible = !m_lineVisible;
}

void TSplitter::WndProc(TMessage& message) {
    if (message.Msg == WM_CAPTURECHANGED) EndDrag(false);
    TGraphicControl::WndProc(message);
}

bool TSplitter::Paint(HDC dc, const RECT& box) noexcept {
    BrushHandle face{::CreateSolidBrush(ColorToRGB(Color()))};
    ::FillRect(dc, &box, face.Get());
    if (m_beveled) {
        RECT r = box;
        Frame3D(dc, r, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW), 1);
    }
    return true;
}

void TSplitter::Publish(TPublisher<TSplitter>& p) {
    p.Integer(u"MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
    p.Bool(u"AutoSnap", &TSplitter::AutoSnap, &TSplitter::SetAutoSnap).Default(true);
    p.Bool(u"Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled).Default(false);
    p.Enum(u"ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle).Default(TResizeStyle::rsPattern);
    p.Event(u"OnCanResize", &TSplitter::OnCanResize);
    p.Event(u"OnMoved", &TSplitter::OnMoved);
}
