#include "skin/window/WinSkinForm.h"

#include "framework/controls/Messages.h"
#include "framework/core/FailureLog.h"
#include "framework/forms/Form.h"
#include "framework/win/Convert.h"
#include "framework/win/WindowsVersion.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinFormRouter.h"
#include "skin/window/WindowQueries.h"

#include <algorithm>
#include <array>

namespace {

// The window's position in its parent's client coordinates (the screen for a top-level window).
POINT WindowOrigin(HWND window) noexcept {
    RECT r{};
    ::GetWindowRect(window, &r);
    POINT p{r.left, r.top};
    if (HWND parent = ::GetParent(window); parent && (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD))
        ::ScreenToClient(parent, &p);
    return p;
}

}  // namespace

TWinSkinForm::TWinSkinForm() : m_doubleClickTime{::GetDoubleClickTime()} {
    MakeCaptionFont();
    m_mouseTimer = &Create<TTimer>();
    m_mouseTimer->SetEnabled(false);
    m_mouseTimer->SetInterval(250);
    m_mouseTimer->OnTimer = [this](TObject*) { MouseTimer(); };
}

TWinSkinForm::~TWinSkinForm() {
    // A form that dies with its window takes this object with it: let go of the window
    // (if it still lives) before the members the procedures use are gone.
    if (m_router) ReleaseWindow();
    ReleaseControls();
    m_buttons.clear();
    m_hotObject = nullptr;
    if (TSkinManage* manager = TSkinManage::Instance(); manager && m_window) manager->RemoveSkinForm(*this);
}

void TWinSkinForm::Publish(TPublisher<TWinSkinForm>&) {}

// --- attaching ----------------------------------------------------------------------------

void TWinSkinForm::AttachForm(TSkinData& skinData, TCustomForm& form) {
    m_form = &form;
    InitSkin(skinData);
    if (m_frameSkinning && !m_formHooked) {
        m_oldFormHandler = form.WindowProc();
        form.SetWindowProc([this](TMessage& message) { FormMessageHook(message); });
        m_formHooked = true;
    }
    if (skinData.SkinControls().Contains(TSkinControlType::xcMenuItem)) SetMainMenuOwnerDraw(form, true);
    SetFormColour(true);
}

void TWinSkinForm::AttachWindow(TSkinData& skinData) { InitSkin(skinData); }

void TWinSkinForm::SetFormColour(bool skinned) noexcept {
    if (!m_form || !m_skinData) return;
    if (skinned) {
        if (!m_formColourSaved) {
            m_savedFormColour = m_form->Color();
            m_formColourSaved = true;
        }
        m_form->SetColor(m_skinData->Colours().ButtonFace);
    } else if (m_formColourSaved) {
        m_form->SetColor(m_savedFormColour);
        m_formColourSaved = false;
    }
}

PlatformVersion TWinSkinForm::RunningVersion() noexcept {
    const WindowsVersion version = WindowsVersion::Current();
    return {version.major, version.minor, version.ntFamily};
}

void TWinSkinForm::InitSkin(TSkinData& skinData) {
    if (m_router) return;  // once per object
    if (TSkinManage* manager = TSkinManage::Instance()) manager->SetManagerState(SkinManagerLink::kLive);
    m_skinData = &skinData;

    m_frameSkinning = skinData.SkinControls().Contains(TSkinControlType::xcMainMenu);
    m_style = static_cast<DWORD>(::GetWindowLongPtrW(m_window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(m_window, GWL_EXSTYLE));
    m_rightToLeft = exStyle & WS_EX_LEFTSCROLLBAR;
    m_isChild = m_style & WS_CHILD;
    m_className = ClassNameOf(m_window);
    m_ownerWindow = ::GetWindow(m_window, GW_OWNER);
    m_isDialog = m_className == L"#32770" || m_className == L"TMessageForm";

    const PlatformVersion version = RunningVersion();
    m_capabilities = CapabilitiesOf(m_style, exStyle, ::GetSystemMenu(m_window, FALSE) != nullptr,
                                    m_ownerWindow != nullptr, version);
    ReadWindowState();
    m_mdiKind = ChildOfClass(m_window, L"MDIClient") ? MdiKind::Frame : MdiKind::None;
    if (exStyle & WS_EX_MDICHILD) {
        m_mdiKind = MdiKind::Child;
        // Skinned while it lives, only the client's active child shows the active frame;
        // the others learn nothing of activation until it changes.
        HWND client = ::GetParent(m_window);
        m_active = client && reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) == m_window;
        if (skinData.Options().Contains(TSkinOption::xoMDIChildBorder)) m_frameSkinning = false;
    }
    m_borderKind = BorderKindOf(m_style, exStyle, m_isDialog);
    // The systems without the NT kernel have no owner-drawn system menu to offer.
    if (!version.ntFamily) {
        TSkinControlTypes controls = skinData.SkinControls();
        controls.Exclude(TSkinControlType::xcSystemMenu);
        skinData.SetSkinControls(controls);
    }

    if (m_mdiKind == MdiKind::Frame) SubclassMdiClient();  // throws, with nothing changed yet
    auto router = SubclasserPtr<Router>{new Router(*this)};
    try {
        router->Subclass(m_window);
    } catch (...) {
        ReleaseMdiClient();
        throw;
    }
    m_router = std::move(router);

    TSkinManage* manager = TSkinManage::Instance();
    if (WantsMenuBar()) CreateMenuBar();
    if (m_frameSkinning) {
        const bool mdiMaximized = m_mdiKind == MdiKind::Child && manager && manager->MdiMaximized();
        if (m_windowState != WindowState::Minimized && !mdiMaximized) SetCaptionStyle(false);
        ReadBorderSizes();
    } else {
        m_skinState = SkinState::Running;
    }
    if (m_mdiKind == MdiKind::Child && m_frameSkinning) {
        // A skin caption lower than the system's pushes the client down to where the
        // system's caption would have ended, so the child's content keeps its place.
        const int systemTop = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CXFRAME);
        if (m_borders.top < systemTop) m_menuBarHeight = systemTop - m_borders.top;
        if (m_windowState == WindowState::Maximized && manager && !manager->MdiMaximized())
            manager->SetMdiMaximized(true);
    }
}

// --- starting -------------------------------------------------------------------------------

void TWinSkinForm::StartSkin() {
    m_systemMenu = ::GetSystemMenu(m_window, FALSE);
    MakeIconBitmap();
    ::GetClientRect(m_window, &m_clientRect);
    const core::Size window = WindowSize(m_window);
    // Measured before the skin frame is applied: the size the system frame adds.
    m_standardFrameExtra = {window.width - m_clientRect.right, window.height - m_clientRect.bottom};
    if (m_menuBar) {
        // The system bar went before this measure: its height belongs to the system frame,
        // and the client the window had lies below it.
        m_standardFrameExtra.height += m_menuBarHeight;
        m_clientRect.bottom = std::max<LONG>(m_clientRect.bottom - m_menuBarHeight, 0);
    }
    try {
        if (m_form) DiscoverForm(*m_form);
        else DiscoverWindow(m_window);
    } catch (...) {
        // The frame is fitted all the same; controls not reached keep their own look.
        LogCurrentException(u"control discovery stopped part-way");
    }

    bool framePainted = false;
    if (m_skinState == SkinState::Attached && m_frameSkinning && m_mdiKind == MdiKind::Child) {
        if (m_windowState == WindowState::Maximized) {
            SetMdiLook(true);
            PostMdiFrameRedraw();  // the frame's bar shows the child's buttons
        } else if (m_windowState == WindowState::Minimized) {
            SetCaptionStyle(true);
        } else {
            m_skinState = SkinState::Fitting;
            FitToSkin(false);
            m_skinState = SkinState::Running;
            BuildRegion();
        }
    } else if (m_skinState == SkinState::Attached && m_frameSkinning) {
        if (!m_isChild && m_borderKind != BorderKind::NoCaption && m_windowState != WindowState::Minimized) {
            m_skinState = SkinState::Fitting;
            FitToSkin(false);
            m_skinState = SkinState::Running;
            if (m_windowState == WindowState::Maximized) {
                // The frame change repaints the frame, skinned now.
                ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
                framePainted = true;
            } else {
                BuildRegion();
            }
        }
    }
    ::SendMessageW(m_window, WMX_SKINCOMPLETE, 0, kSkinSignature);
    m_skinState = SkinState::Running;
    if (m_frameSkinning) m_mouseTimer->SetEnabled(true);
    // The skinned frame replaces whatever the system drew before.
    if (m_frameSkinning && !framePainted)
        ::RedrawWindow(m_window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void TWinSkinForm::FitToSkin(bool useClient) {
    if (m_windowState == WindowState::Maximized) {
        ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return;
    }
    if (m_isDialog || m_skinState == SkinState::Reapplying) ::GetClientRect(m_window, &m_clientRect);
    int width = m_clientRect.right + m_borders.left + m_borders.right;
    int clientHeight = m_clientRect.bottom;
    if (useClient) {
        RECT client{};
        ::GetClientRect(m_window, &client);
        clientHeight = client.bottom;
    } else if (m_form) {
        const core::Rect client = m_form->ClientRect();
        width = client.Width() + m_borders.left + m_borders.right;
        clientHeight = client.Height() - (m_mdiKind == MdiKind::Child ? 0 : m_menuBarHeight);
        m_clientRect.bottom = clientHeight;
    }
    const int height = clientHeight + m_borders.top + m_borders.bottom + m_menuBarHeight;

    if (m_isDialog && !useClient && m_skinData) {
        const TDataSkinTitle& title = m_skinData->Title();
        const DialogWidening wide =
            WidenForCaption(width, CaptionTextWidth(), title.TextShift(), title.TextRightClip());
        if (wide.childShift > 0) {
            for (HWND child = ::GetTopWindow(m_window); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                const POINT at = WindowOrigin(child);
                ::SetWindowPos(child, nullptr, at.x + wide.childShift, at.y, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
            }
        }
        width = wide.width;
    }
    ::SetWindowPos(m_window, nullptr, 0, 0, width, height,
                   SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

// --- region ---------------------------------------------------------------------------------

void TWinSkinForm::BuildRegion() noexcept {
    if (m_skinState == SkinState::Finished || !m_frameSkinning || !m_skinData) return;
    const core::Size size = WindowSize(m_window);
    const int w = size.width, h = size.height;
    if (w <= 0 || h <= 0) return;
    // A maximised MDI child shows the system's frame beyond the client's edges; a
    // minimised one is cut as its caption, or the key colour would show at its corners.
    if (m_mdiKind == MdiKind::Child && m_windowState == WindowState::Maximized) return;
    if (m_hasRegion && w == m_regionWidth && h == m_regionHeight && m_mdiKind != MdiKind::Child &&
        m_skinState != SkinState::Reapplying)
        return;

    const FrameBorders& b = m_borders;
    // Each edge is the opaque part of its picture as painted at this size, or its whole
    // rectangle when the picture has no transparent pixels.
    const auto edge = [this](int index, int width, int height, int x, int y, bool usePicture) {
        if (usePicture && width > 0 && height > 0) {
            const TDataSkinObject& border = BorderObject(index);
            const RECT target{0, 0, width, height};
            const FrameLayout layout = index > 2 ? FrameLayout::Vertical : FrameLayout::Horizontal;
            const MiddleMode middle = border.Tile == 1 ? MiddleMode::Stretch : MiddleMode::Tile;
            if (auto piece = SliceImage(target, border.Image, border.Margins(), layout, middle, border.FrameCount,
                                        BorderFrame(m_active, border.FrameCount)))
                return RegionFromBitmap(*piece, x, y, 1, 1, 1, kKeyColour);
        }
        return RegionHandle{::CreateRectRgn(x, y, x + width, y + height)};
    };
    constexpr std::array<int, 4> kEdges{1, 2, 3, 4};
    const bool anyTransparent =
        std::any_of(kEdges.begin(), kEdges.end(), [this](int index) { return BorderObject(index).Trans != 0; });
    m_regionWidth = w;
    m_regionHeight = h;
    RegionHandle shape;
    if (!anyTransparent || m_borderKind == BorderKind::NoCaption) {
        shape = RegionHandle{::CreateRectRgn(0, 0, w, h)};  // no frame, or nothing cut from it
    } else if (m_windowState == WindowState::Minimized) {
        // A minimised window is its caption alone, corners cut as on the whole frame.
        shape = edge(3, w, std::min(h, b.top), 0, 0, BorderObject(3).Trans != 0 && b.top > 1);
        if (h > b.top && shape) {
            RegionHandle rest{::CreateRectRgn(0, b.top, w, h)};
            if (rest) ::CombineRgn(shape.Get(), shape.Get(), rest.Get(), RGN_OR);
        }
    } else {
        shape = RegionHandle{::CreateRectRgn(b.left, b.top, w - b.right, h - b.bottom)};
        RegionHandle left = edge(1, b.left, h, 0, 0, BorderObject(1).Trans != 0 && h > 1);
        RegionHandle right = edge(2, b.right, h, w - b.right, 0, BorderObject(2).Trans != 0 && h > 1);
        RegionHandle bottom =
            edge(4, w - b.left - b.right, b.bottom, b.left, h - b.bottom, BorderObject(4).Trans != 0 && b.bottom >= 2);
        RegionHandle top = edge(3, w - b.left - b.right, b.top, b.left, 0, BorderObject(3).Trans != 0 && b.top > 1);
        if (left && right && top && bottom && shape) {
            ::CombineRgn(left.Get(), left.Get(), right.Get(), RGN_OR);
            ::CombineRgn(top.Get(), top.Get(), bottom.Get(), RGN_OR);
            ::CombineRgn(top.Get(), top.Get(), left.Get(), RGN_OR);
            ::CombineRgn(shape.Get(), shape.Get(), top.Get(), RGN_OR);
        }
    }
    if (!shape) return;
    if (::SetWindowRgn(m_window, shape.Get(), TRUE)) {
        (void)shape.Release();  // the system owns the region now
        m_hasRegion = true;
    }
}

// --- styles and states ----------------------------------------------------------------------

void TWinSkinForm::SetCaptionStyle(bool on) noexcept {
    if (!m_capabilities.stripCaption) return;
    auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_window, GWL_STYLE));
    style = on ? (style | WS_CAPTION) : (style & ~WS_CAPTION);
    ::SetWindowLongPtrW(m_window, GWL_STYLE, static_cast<LONG_PTR>(style));
    m_style = style;
}

void TWinSkinForm::SetSysMenuStyle(bool remove) noexcept {
    if (m_capabilities.stripCaption) return;
    auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_window, GWL_STYLE));
    const DWORD before = style;
    if (remove) style &= ~WS_SYSMENU;
    else if (m_systemMenu || m_capabilities.systemMenu) style |= WS_SYSMENU;
    if (style != before) ::SetWindowLongPtrW(m_window, GWL_STYLE, static_cast<LONG_PTR>(style));
    m_style = style;
}

void TWinSkinForm::ReadWindowState() noexcept {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(m_window, &placement)) m_windowState = WindowStateOf(placement.showCmd);
}

// --- skin changes ---------------------------------------------------------------------------

void TWinSkinForm::DropSkinImages() noexcept {
    // The caption buttons point into the old skin's objects: they go with it.
    m_hotObject = nullptr;
    m_buttons.clear();
    m_frameBuffer.EnsureSize(0, 0);
    m_sideBuffer.EnsureSize(0, 0);
}

void TWinSkinForm::RecomputeFrame() {
    if (m_frameSkinning) ReadBorderSizes();
}

void TWinSkinForm::ReapplySkin() { RefreshSkin(); }

void TWinSkinForm::RefreshSkin() {
    if (!m_skinData) return;
    if (m_form) {
        const TColor face = m_skinData->Colours().ButtonFace;
        m_form->SetColor(face);
        for (int i = 0; i < m_form->ComponentCount(); ++i)
            if (auto* inner = As<TCustomForm>(m_form->Components(i))) inner->SetColor(face);
    }
    {
        TSkinControl::RepaintBatch batch;
        for (TSkinControl* skin : ControlSkins()) skin->Reskin();
    }
    // Each window the skins marked paints once, now, as each control's repaint did (never
    // with no window: that would repaint the whole desktop).
    if (m_window) ::RedrawWindow(m_window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_skinState = SkinState::Reapplying;
    if (m_frameSkinning && m_form) {
        if (m_buttons.empty()) ReadBorderSizes();
        RECT before{}, after{};
        ::GetClientRect(m_window, &before);
        FitToSkin(true);
        ::GetClientRect(m_window, &after);
        // A height one more and back makes the form lay its controls out again; needed
        // only when the new frame left the client another size. Each pass moves every
        // control of every page, and repaints each: most of a switch's time.
        if (!::EqualRect(&before, &after)) {
            const int height = m_form->Height();
            m_form->SetHeight(height + 1);
            m_form->SetHeight(height);
        }
    }
    ::SendMessageW(m_window, WMX_SKINCOMPLETE, 0, kSkinSignature);
    m_skinState = SkinState::Running;
    if (m_frameSkinning) {
        BuildRegion();
        ::RedrawWindow(m_window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

// --- detaching ------------------------------------------------------------------------------

void TWinSkinForm::Unhook() noexcept {
    StopMouseTimer();
    ReleaseMenus();
    if (m_form && m_formHooked) {
        m_form->SetWindowProc(std::move(m_oldFormHandler));
        m_oldFormHandler = nullptr;
        m_formHooked = false;
    }
    if (m_router) {
        m_router->Unsubclass();
        m_router.reset();
    }
    ReleaseMdiClient();
}

void TWinSkinForm::ReleaseWindow() noexcept {
    if (!m_frameSkinning) {
        RestoreForm();
        return;
    }
    Unhook();
    ReleaseControls();
}

void TWinSkinForm::RestoreWindow() noexcept {
    if (!m_frameSkinning) {
        RestoreForm();
        return;
    }
    const bool living = m_skinState != SkinState::Destroying && ::IsWindow(m_window);
    const int barHeight = m_menuBarHeight;  // part of the skin frame, as the system bar is of the system's
    Unhook();
    ReleaseControls();
    if (living) GiveMenuBack();
    if (living) SetFormColour(false);
    SetSysMenuStyle(false);
    SetCaptionStyle(true);
    // A maximised MDI child still has the system's frame: its size is the client's to keep.
    const bool maximizedChild = m_mdiKind == MdiKind::Child && ::IsZoomed(m_window);
    if (living && !maximizedChild && (m_mdiKind == MdiKind::Child || !m_isChild)) {
        const core::Size size = WindowSize(m_window);
        const POINT at = WindowOrigin(m_window);
        ::SetWindowPos(m_window, nullptr, at.x, at.y,
                       size.width + m_standardFrameExtra.width - m_borders.left - m_borders.right,
                       size.height + m_standardFrameExtra.height - m_borders.top - m_borders.bottom - barHeight,
                       SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (m_hasRegion) {
        ::SetWindowRgn(m_window, nullptr, TRUE);  // the system deletes the old region
        m_hasRegion = false;
        m_regionWidth = m_regionHeight = 0;
    }
    m_skinState = SkinState::Finished;
}

void TWinSkinForm::RestoreForm() noexcept {
    StopMouseTimer();
    ReleaseControls();
    const bool living = m_skinState != SkinState::Destroying;
    if (living) SetFormColour(false);
    Unhook();
    if (living && m_form) {
        for (int i = 0; i < m_form->ComponentCount(); ++i)
            if (auto* control = As<TControl>(m_form->Components(i))) control->Invalidate();
    }
}

// --- control skins --------------------------------------------------------------------------

bool TWinSkinForm::RegisterControl(TSkinControl& skin) {
    const bool known = std::any_of(m_controls.begin(), m_controls.end(),
                                   [&](const ComponentRef<TSkinControl>& ref) { return ref.Get() == &skin; });
    if (!known) m_controls.emplace_back(&skin);
    return known;
}

void TWinSkinForm::UnregisterControl(TSkinControl& skin) noexcept {
    // From the end, the first match; and every entry whose skin has gone already.
    const auto found = std::find_if(m_controls.rbegin(), m_controls.rend(),
                                    [&](const ComponentRef<TSkinControl>& ref) { return ref.Get() == &skin; });
    if (found != m_controls.rend()) m_controls.erase(std::next(found).base());
    std::erase_if(m_controls, [](const ComponentRef<TSkinControl>& ref) { return !ref; });
}

std::vector<TSkinControl*> TWinSkinForm::ControlSkins() const {
    std::vector<TSkinControl*> live;
    for (const auto& ref : m_controls)
        if (TSkinControl* skin = ref.Get()) live.push_back(skin);
    return live;
}

void TWinSkinForm::ReleaseControls() noexcept {
    while (!m_controls.empty()) {
        TSkinControl* skin = m_controls.front().Get();
        m_controls.erase(m_controls.begin());
        if (!skin) continue;
        if (skin->State() != TSkinControl::kWindowGone) {
            try {
                skin->Unskin();
            } catch (...) {
                // The control keeps part of the skin's look; the skin object still goes.
                LogCurrentException(u"a control skin could not give its control its look back");
            }
        }
        try {
            FreeComponent(skin);  // through its owner: the control, or this object for a bare window
        } catch (...) {
            LogCurrentException(u"a control skin could not be freed");
        }
    }
}

void TWinSkinForm::ReleaseFinishedControls() noexcept {
    for (TSkinControl* skin : ControlSkins()) {
        if (skin->State() != TSkinControl::kWindowGone) continue;
        try {
            FreeComponent(skin);
        } catch (...) {
            LogCurrentException(u"a control skin could not be freed");
        }
    }
}

void TWinSkinForm::StopMouseTimer() noexcept {
    if (m_mouseTimer) m_mouseTimer->SetEnabled(false);
}
