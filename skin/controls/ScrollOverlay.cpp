#include "skin/controls/ScrollOverlay.h"

#include "framework/controls/Control.h"
#include "framework/core/Component.h"
#include "framework/core/FailureLog.h"
#include "framework/graphics/Colors.h"
#include "framework/win/Convert.h"
#include "framework/win/Handles.h"
#include "framework/win/User32Functions.h"
#include "skin/controls/CheckSkins.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <utility>

#include <windowsx.h>

namespace {

const TDataSkinObject* Usable(const TDataSkinObject* object) noexcept {
    return object && !object->Image.Empty() ? object : nullptr;
}

}  // namespace

TWScrollbar::TWScrollbar() {
    SetDoubleBuffered(false);  // composed off-screen here already
    SetTabStop(false);
    SetVisible(false);
    m_arrowSize = ::GetSystemMetrics(SM_CXHSCROLL);
}

TWScrollbar::~TWScrollbar() { ReleaseTarget(); }

void TWScrollbar::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.style &= ~WS_TABSTOP;
    params.exStyle |= WS_EX_TOOLWINDOW;
}

HWND TWScrollbar::Target() const noexcept {
    return m_targetControl ? m_targetControl->HandleIfAllocated() : m_target;
}

// --- attaching ------------------------------------------------------------------------------

void TWScrollbar::AttachBar(TSkinControl& owner, TWinControl& target, uint8_t kind) {
    m_targetControl = &target;
    if (kind == kControlBar) m_vertical = TSkinControl::GetEnumName(&target, u"Kind") != u"sbhorizontal";
    Attach(owner, target.Handle(), kind);
}

void TWScrollbar::AttachBarHandle(TSkinControl& owner, HWND target, uint8_t kind) {
    m_targetControl = nullptr;
    if (kind == kControlBar) m_vertical = (::GetWindowLongPtrW(target, GWL_STYLE) & SBS_VERT) != 0;
    // A window that does not clip its siblings draws its scroll bars over the overlay.
    const LONG_PTR style = ::GetWindowLongPtrW(target, GWL_STYLE);
    if (!(style & WS_CLIPSIBLINGS)) {
        ::SetWindowLongPtrW(target, GWL_STYLE, style | WS_CLIPSIBLINGS);
        m_addedClipSiblings = true;
    }
    Attach(owner, target, kind);
}

void TWScrollbar::Attach(TSkinControl& owner, HWND target, uint8_t kind) {
    m_owner = &owner;
    m_target = target;
    m_barKind = kind;
    if (kind != kControlBar) m_vertical = kind == kVerticalBar;
    const TSkinData* data = owner.SkinData();
    const TColor face = data ? data->Colours().ButtonFace : clBtnFace;
    const TControl* control = owner.Control();
    SetColor(control && control->Parent() ? control->Parent()->Color() : face);
    HWND parent = ::GetParent(target);
    if (!parent) return;  // a window with no parent has no sibling to lie over it
    SetParentWindow(parent);
    HandleNeeded();
    Place();
}

void TWScrollbar::ReleaseTarget() noexcept {
    if (m_addedClipSiblings && ::IsWindow(m_target)) {
        const LONG_PTR style = ::GetWindowLongPtrW(m_target, GWL_STYLE);
        ::SetWindowLongPtrW(m_target, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CLIPSIBLINGS));
    }
    m_addedClipSiblings = false;
    try {
        HideBar();
    } catch (...) {
        LogCurrentException(u"a scroll-bar overlay could not be hidden");
    }
}

// --- following the real bar -----------------------------------------------------------------

std::optional<TWScrollbar::Geometry> TWScrollbar::ReadGeometry() const noexcept {
    HWND target = Target();
    if (!target) return std::nullopt;
    Geometry g;
    if (m_barKind == kControlBar) {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (!::GetWindowRect(target, &g.screen) || !::GetScrollInfo(target, SB_CTL, &info)) return std::nullopt;
        g.length = m_vertical ? g.screen.bottom - g.screen.top : g.screen.right - g.screen.left;
        g.thumb = ControlThumb(g.length, m_arrowSize,
                               {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos});
        g.unavailable = !::IsWindowEnabled(target);
        return g;
    }
    SCROLLBARINFO info{};
    if (!SkinGetScrollBarInfo(target, m_vertical ? OBJID_VSCROLL : OBJID_HSCROLL, info)) return std::nullopt;
    g.screen = info.rcScrollBar;
    g.length = m_vertical ? g.screen.bottom - g.screen.top : g.screen.right - g.screen.left;
    g.thumb = {info.xyThumbTop, info.xyThumbBottom};
    g.invisible = (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0;
    g.unavailable = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
    return g;
}

void TWScrollbar::Place() {
    HWND self = HandleIfAllocated();
    HWND target = Target();
    if (!self || !target) return;
    const std::optional<Geometry> g = ReadGeometry();
    const TSkinData* data = m_owner ? m_owner->SkinData() : nullptr;
    // Without the skin's arrows there is nothing to show: the real bar shows through.
    const bool paintable = data && Usable(data->Scrollbar());
    if (!g || !paintable || g->invisible || !(::GetWindowLongPtrW(target, GWL_STYLE) & WS_VISIBLE) ||
        g->screen.right <= g->screen.left || g->screen.bottom <= g->screen.top) {
        HideBar();
        return;
    }
    m_length = g->length;
    m_thumbStart = g->thumb.start;
    m_thumbEnd = g->thumb.end;
    m_screenOrigin = {g->screen.left, g->screen.top};
    RECT inParent = g->screen;
    ::MapWindowPoints(nullptr, ::GetParent(self), reinterpret_cast<POINT*>(&inParent), 2);
    // Directly in front of the target, whatever moved in between.
    HWND before = ::GetWindow(target, GW_HWNDPREV);
    if (before != self)
        ::SetWindowPos(self, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::MoveWindow(self, inParent.left, inParent.top, inParent.right - inParent.left, inParent.bottom - inParent.top,
                 TRUE);
    if (!m_shown) {
        m_shown = true;
        SetVisible(true);
    }
    ::InvalidateRect(self, nullptr, FALSE);
}

void TWScrollbar::HideBar() {
    m_shown = false;
    if (HandleAllocated() && Visible()) SetVisible(false);
}

void TWScrollbar::SetHotPart(ScrollPart part) {
    if (part == m_hotPart) return;
    m_hotPart = part;
    RepaintBar();
}

void TWScrollbar::RepaintBar() {
    InvalidateBar();
    if (HWND self = HandleIfAllocated(); self && m_shown) ::UpdateWindow(self);
}

void TWScrollbar::InvalidateBar() noexcept {
    if (HWND self = HandleIfAllocated(); self && m_shown) ::InvalidateRect(self, nullptr, FALSE);
}

// --- mouse ----------------------------------------------------------------------------------

void TWScrollbar::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_MOUSEMOVE: MouseMove(message); return;
    case WM_MOUSELEAVE:
        m_leave.Reset();
        if (!m_tracking) SetHotPart(ScrollPart::None);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Press(message); return;
    case WM_LBUTTONUP: Release(); return;
    default: TCustomControl::WndProc(message);
    }
}

int TWScrollbar::Along(LPARAM position) const noexcept {
    return m_vertical ? GET_Y_LPARAM(position) : GET_X_LPARAM(position);
}

void TWScrollbar::MouseMove(const TMessage& message) {
    if (m_tracking) return;
    SetHotPart(HitPart(Along(message.LParam), m_length, m_arrowSize, Thumb()));
    m_leave.Track(HandleIfAllocated());
}

void TWScrollbar::Press(const TMessage& message) {
    HWND target = Target();
    if (m_tracking || !target) return;
    ::GetCursorPos(&m_pressCursor);
    if (const std::optional<Geometry> g = ReadGeometry()) {
        m_length = g->length;
        m_thumbStart = g->thumb.start;
        m_thumbEnd = g->thumb.end;
    }
    m_pressThumb = Thumb();
    m_hotPart = HitPart(Along(message.LParam), m_length, m_arrowSize, Thumb());
    m_tracking = true;
    RepaintBar();
    ::ReleaseCapture();
    POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    UINT press = WM_LBUTTONDOWN;
    WPARAM code = MK_LBUTTON;
    if (m_barKind != kControlBar) {
        at.x += m_screenOrigin.x, at.y += m_screenOrigin.y;
        press = WM_NCLBUTTONDOWN;
        code = m_barKind == kVerticalBar ? HTVSCROLL : HTHSCROLL;
    }
    // Returns when the system's tracking loop ends, after its auto-repeat; the skin may
    // have let go of this overlay meanwhile.
    const ComponentRef<TWScrollbar> alive{this};
    ::SendMessageW(target, press, code, MAKELPARAM(at.x, at.y));
    if (!alive.Get()) return;
    m_tracking = false;
    ::ReleaseCapture();
    POINT cursor{};
    ::GetCursorPos(&cursor);
    HWND self = HandleIfAllocated();
    RECT box{};
    if (self && ::GetClientRect(self, &box) && ::ScreenToClient(self, &cursor) &&
        ::PtInRect(&box, cursor)) {
        m_hotPart = HitPart(m_vertical ? cursor.y : cursor.x, m_length, m_arrowSize, Thumb());
        m_leave.Track(self);
    } else {
        m_hotPart = ScrollPart::None;
    }
    Place();
    RepaintBar();
}

void TWScrollbar::Release() {
    m_tracking = false;
    ::ReleaseCapture();
    HWND target = Target();
    if (!target) return;
    if (m_barKind == kControlBar) {
        ::PostMessageW(target, WM_LBUTTONUP, MK_LBUTTON, 0);
        RepaintBar();
        return;
    }
    ::PostMessageW(target, WM_NCLBUTTONUP, m_barKind == kVerticalBar ? HTVSCROLL : HTHSCROLL, 0);
}

// --- painting -------------------------------------------------------------------------------

ThumbSpan TWScrollbar::ShownThumb(const Geometry& geometry) const noexcept {
    if (!m_tracking || m_hotPart != ScrollPart::Thumb || m_barKind == kControlBar) return geometry.thumb;
    POINT cursor{};
    if (!::GetCursorPos(&cursor)) return geometry.thumb;
    const int moved = m_vertical ? cursor.y - m_pressCursor.y : cursor.x - m_pressCursor.x;
    return DraggedThumb(m_pressThumb, moved, geometry.length, m_arrowSize);
}

bool TWScrollbar::Paint(HDC dc, const RECT& box) noexcept {
    try {
        const TSkinData* data = m_owner ? m_owner->SkinData() : nullptr;
        const TDataSkinObject* strip = data ? Usable(data->Scrollbar()) : nullptr;
        if (!strip) return true;
        const std::optional<Geometry> g = ReadGeometry();
        if (!g || g->invisible) return true;
        const int width = g->screen.right - g->screen.left, height = g->screen.bottom - g->screen.top;
        if (width > box.right - box.left || height > box.bottom - box.top) return true;
        m_length = g->length;
        m_thumbStart = g->thumb.start;
        m_thumbEnd = g->thumb.end;
        const int thickness = DrawingThickness(strip->Image.Height(), m_arrowSize);
        const int pictureWidth = m_vertical ? thickness : g->length, pictureHeight = m_vertical ? g->length : thickness;
        if (pictureWidth <= 0 || pictureHeight <= 0 || !m_buffer.EnsureSize(pictureWidth, pictureHeight)) return false;
        if (!Compose(m_buffer.Dc(), *g, thickness)) return false;
        ::SetStretchBltMode(dc, COLORONCOLOR);
        return ::StretchBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, m_buffer.Dc(), 0, 0,
                            pictureWidth, pictureHeight, SRCCOPY) != FALSE;
    } catch (...) {
        LogCurrentException(u"a scroll-bar overlay could not paint");
        return false;
    }
}

bool TWScrollbar::Compose(HDC dc, const Geometry& geometry, int thickness) const {
    const TSkinData& data = *m_owner->SkinData();
    const TDataSkinObject& strip = *data.Scrollbar();
    const int cells = std::max(strip.FrameCount, 1);
    const int stripHeight = strip.Image.Height();
    const RECT all{0, 0, m_vertical ? thickness : geometry.length, m_vertical ? geometry.length : thickness};
    BrushHandle face{::CreateSolidBrush(ColorToRGB(data.Colours().ButtonFace))};
    if (face) ::FillRect(dc, &all, face.Get());

    const ScrollBarPlan plan =
        PlanScrollBar(geometry.length, thickness, m_vertical, m_arrowSize, ShownThumb(geometry), stripHeight);
    const TDataSkinObject* shaft = Usable(m_vertical ? data.VertScroll() : data.HorzScroll());
    if (shaft && !plan.shaft.IsEmpty())
        TSkinControl::DrawSkinFrame(dc, ToRECT(plan.shaft), std::max(shaft->FrameCount, 1),
                                    ShaftFrame(geometry.unavailable), *shaft);
    const auto state = [&](ScrollPart part) { return std::pair{m_hotPart == part, m_hotPart == part && m_tracking}; };
    const auto [firstHot, firstPressed] = state(ScrollPart::FirstArrow);
    const auto [secondHot, secondPressed] = state(ScrollPart::SecondArrow);
    DrawStripCell(dc, ToRECT(plan.firstArrow), cells, ArrowCell(m_vertical, false, firstHot, firstPressed), strip.Image);
    DrawStripCell(dc, ToRECT(plan.secondArrow), cells, ArrowCell(m_vertical, true, secondHot, secondPressed), strip.Image);
    const TDataSkinObject* thumb = Usable(m_vertical ? data.VertScrollThumb() : data.HorzScrollThumb());
    if (thumb && !plan.thumb.IsEmpty()) {
        const auto [hot, pressed] = state(ScrollPart::Thumb);
        TSkinControl::DrawSkinFrame(dc, ToRECT(plan.thumb), std::max(thumb->FrameCount, 1), ThumbFrame(hot, pressed),
                                    *thumb);
        if (!plan.gripper.IsEmpty())
            DrawStripCell(dc, ToRECT(plan.gripper), cells, GripperCell(m_vertical, hot, pressed), strip.Image);
    }
    return true;
}
