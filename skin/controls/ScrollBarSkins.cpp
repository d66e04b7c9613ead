#include "skin/controls/ScrollBarSkins.h"

#include "framework/controls/Messages.h"
#include "framework/controls/WinControl.h"
#include "framework/core/Exception.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "framework/core/Strings.h"
#include "framework/forms/Form.h"
#include "skin/controls/HeaderSkin.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"

#include <string>
#include <utility>

#include <commctrl.h>

namespace {

// Declared only for later systems than the build targets; older ones never send it.
constexpr UINT kMouseHWheel = 0x020E;

// The overlay's rectangle in the window coordinates of `window`.
RECT InWindow(HWND window, const TWScrollbar& bar) {
    RECT r{}, outer{};
    HWND self = bar.HandleIfAllocated();
    if (!self || !::GetWindowRect(self, &r) || !::GetWindowRect(window, &outer)) return {};
    return {r.left - outer.left, r.top - outer.top, r.right - outer.left, r.bottom - outer.top};
}

void FreeBar(ComponentRef<TWScrollbar>& bar) {
    if (TWScrollbar* overlay = bar.Get()) {
        overlay->ReleaseTarget();
        FreeComponent(overlay);
    }
}

}  // namespace

// --- framework controls that scroll ---------------------------------------------------------

TSkinScrollbar& MakeSingleScrollBarSkin(TComponent& owner) {
    auto& skin = owner.Create<TSkinScrollbar>();
    skin.SetSingleBar(true);
    return skin;
}

void TSkinScrollbar::AttachOwn(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) {
    AttachScrolling(form, skinData, canvas);
}

void TSkinScrollbar::AttachScrolling(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) {
    if (Attached()) return;
    auto* control = As<TWinControl>(Owner());
    if (!control) throw EInvalidOperation(u"A scroll-bar skin attaches to the windowed control that owns it");
    AttachOwner(form, skinData, false, canvas, HandlerUse::Keep);
    m_drawBorder = GetEnumName(control, u"BorderStyle") != u"bsnone" &&
                   !SameText(control->ClassName(), u"TImageScrollBox") && !m_singleBar;
    if (const PropInfo* fixed = FindPropInfo(control, u"FixedColor"); fixed && fixed->kind == PropKind::Integer) {
        m_savedFixedColor = GetIntProp(control, u"FixedColor");
        m_fixedColorSaved = true;
        SetPropText(control, u"FixedColor", FromUtf8(std::to_string(skinData.Colours().ButtonFace)));
    }
    MakeBars([control, this](TWScrollbar& bar, uint8_t kind) { bar.AttachBar(*this, *control, kind); });
    ReplaceHandler(*control);
    // The border is drawn into the frame.
    if (m_drawBorder)
        ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinScrollbar::Unskin() {
    if (m_fixedColorSaved && Control())
        SetPropText(Control(), u"FixedColor", FromUtf8(std::to_string(m_savedFixedColor)));
    m_fixedColorSaved = false;
    TSkinControl::Unskin();
    ReleaseBars();
}

void TSkinScrollbar::ReleaseBars() {
    if (m_state == kWindowGone) {
        // The overlays are the parent's windows; they would go on showing a bar that is gone.
        if (TWScrollbar* bar = m_horzBar.Get()) bar->ReleaseTarget();
        if (TWScrollbar* bar = m_vertBar.Get()) bar->ReleaseTarget();
        return;
    }
    FreeBar(m_horzBar);
    FreeBar(m_vertBar);
}

void TSkinScrollbar::Reskin() {
    TSkinControl::Reskin();
    PlaceBars();
}

void TSkinScrollbar::PlaceBars() {
    if (TWScrollbar* bar = m_horzBar.Get()) bar->Place();
    if (TWScrollbar* bar = m_vertBar.Get()) bar->Place();
}

void TSkinScrollbar::HideBars() {
    if (TWScrollbar* bar = m_horzBar.Get()) bar->HideBar();
    if (TWScrollbar* bar = m_vertBar.Get()) bar->HideBar();
}

void TSkinScrollbar::RepaintBars() {
    if (TWScrollbar* bar = m_horzBar.Get()) bar->RepaintBar();
    if (TWScrollbar* bar = m_vertBar.Get()) bar->RepaintBar();
}

void TSkinScrollbar::ScrollMessage(TWScrollbar* bar, WPARAM code) {
    if (!bar) return;
    // Only a press the overlay handed on names a part; a scroll by code or keyboard
    // must not leave an arrow lit with no mouse over it.
    if (bar->Tracking()) bar->SetHotPart(PartOfScrollCode(LOWORD(code)));
    bar->Place();
    bar->RepaintBar();
}

bool TSkinScrollbar::FollowTarget(const TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        m_moved = true;
        PlaceBars();
        return true;
    case WM_HSCROLL: ScrollMessage(m_horzBar.Get(), message.WParam); return true;
    case WM_VSCROLL: ScrollMessage(m_vertBar.Get(), message.WParam); return true;
    case WM_MOUSEWHEEL:
    case kMouseHWheel:
    case WM_KEYDOWN:
        PlaceBars();
        RepaintBars();
        return true;
    default: return false;
    }
}

bool TSkinScrollbar::BeforeMessage(TMessage& message) {
    if (message.Msg == WM_NCPAINT && m_drawBorder) {
        CallDefault(message);
        if (const WindowDc dc = WindowDc::Whole(Handle())) PaintBorder(dc.Get());
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbar::AfterMessage(TMessage& message) {
    if (FollowTarget(message)) return;
    switch (message.Msg) {
    case kMsgVisibleChanged:
        if (message.WParam)
            PlaceBars();
        else
            HideBars();
        return;
    case kMsgRecreateWindow:
        // The new window needs a new skin; the form gives it one once the window exists.
        if (TCustomForm* form = Control() ? GetParentForm(*Control()) : nullptr; form && form->HandleAllocated())
            ::PostMessageW(form->HandleIfAllocated(), WMX_REPLACESCROLLSKIN, reinterpret_cast<WPARAM>(Handle()), 0);
        return;
    case WMX_PAINTFRAMEINTO:
        if (message.LParam != kSkinSignature) break;
        if (message.WParam) PaintBorder(reinterpret_cast<HDC>(message.WParam));
        message.Result = kSkinSignature;
        return;
    default: break;
    }
    TSkinControl::AfterMessage(message);
}

void TSkinScrollbar::PaintBorder(HDC dc) {
    RECT outer{};
    if (!SkinData() || !::GetWindowRect(Handle(), &outer)) return;
    RECT r{0, 0, outer.right - outer.left, outer.bottom - outer.top};
    BrushHandle shadow{::CreateSolidBrush(ColorToRGB(SkinData()->Colours().ButtonShadow))};
    BrushHandle face{::CreateSolidBrush(ColorToRGB(SkinData()->Colours().ButtonFace))};
    if (shadow) ::FrameRect(dc, &r, shadow.Get());
    ::InflateRect(&r, -1, -1);
    if (face) ::FrameRect(dc, &r, face.Get());
}

void TSkinScrollbar::PaintSkin(HDC dc, const RECT&) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_STYLE));
    TWScrollbar* horz = m_horzBar.Get();
    TWScrollbar* vert = m_vertBar.Get();
    for (auto [bar, bit] : {std::pair{horz, DWORD{WS_HSCROLL}}, std::pair{vert, DWORD{WS_VSCROLL}}}) {
        if (!bar) continue;
        if (bar->Shown())
            bar->InvalidateBar();  // painted with the control's next paint, not twice now
        else if (style & bit)
            bar->Place();  // the bar has just appeared
    }
    if (horz && vert && horz->Shown() && vert->Shown()) {
        const RECT h = InWindow(Handle(), *horz), v = InWindow(Handle(), *vert);
        FillSkinBackground(dc, RECT{v.left, h.top, v.right, h.bottom});
    }
}

// --- bare windows -----------------------------------------------------------------------------

void TSkinScrollbarH::AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) {
    if (Attached()) return;
    TSkinControl::AttachHandle(handle, skinData, form, canvas);
    MakeBars([handle, this](TWScrollbar& bar, uint8_t kind) { bar.AttachBarHandle(*this, handle, kind); });
}

void TSkinScrollbarH::AfterMessage(TMessage& message) {
    if (!(::GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE)) {
        HideBars();
        TSkinControl::AfterMessage(message);
        return;
    }
    switch (message.Msg) {
    case WM_NCPAINT:
    case WM_SHOWWINDOW:
        PlaceBars();
        RepaintBars();
        break;
    default:
        if (FollowTarget(message)) return;
        break;
    }
    TSkinControl::AfterMessage(message);
}

// --- list views -----------------------------------------------------------------------------

void TSkinListView::AttachScrolling(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) {
    if (Attached()) return;
    TSkinScrollbar::AttachScrolling(form, skinData, canvas);
    auto header = reinterpret_cast<HWND>(::SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
    if (!header) return;
    // Owned here, so that the header's skin goes with the list view's.
    auto& skin = Create<TSkinHeader>();
    m_header = &skin;
    skin.AttachHandle(header, skinData, form, canvas);
}

// --- stand-alone scroll-bar controls --------------------------------------------------------

void TSkinScControl::AttachOwn(ControlSkinHost& form, TSkinData& skinData, TCanvas* canvas) {
    if (Attached()) return;
    auto* control = As<TWinControl>(Owner());
    if (!control) throw EInvalidOperation(u"A scroll-bar control skin attaches to the control that owns it");
    AttachOwner(form, skinData, false, canvas, HandlerUse::Keep);
    auto& bar = Create<TWScrollbar>();
    m_bar = &bar;
    // The control's hint still shows over the overlay.
    bar.SetShowHint(control->ShowHint());
    bar.SetHint(control->Hint());
    bar.AttachBar(*this, *control, TWScrollbar::kControlBar);
    ReplaceHandler(*control);
}

void TSkinScControl::Unskin() {
    TSkinControl::Unskin();
    if (m_state == kWindowGone) {
        if (TWScrollbar* bar = m_bar.Get()) bar->ReleaseTarget();
        return;
    }
    FreeBar(m_bar);
}

void TSkinScControl::Reskin() {
    TSkinControl::Reskin();
    if (TWScrollbar* bar = m_bar.Get()) bar->Place();
}

void TSkinScControl::AfterMessage(TMessage& message) {
    TWScrollbar* bar = m_bar.Get();
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCPAINT:
        if (bar) bar->Place();
        return;
    case kMsgVisibleChanged:
        if (!bar) return;
        if (message.WParam)
            bar->Place();
        else
            bar->HideBar();
        return;
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case WM_ENABLE:
    case kMsgReflectVScroll:
    case kMsgReflectHScroll:
        if (bar) bar->RepaintBar();
        return;
    default: break;
    }
    TSkinControl::AfterMessage(message);
}

void TSkinScControl::PaintSkin(HDC, const RECT&) {
    if (TWScrollbar* bar = m_bar.Get()) bar->RepaintBar();
}
