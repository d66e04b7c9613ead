// The message procedures of a skinned window: FormWndProc in front of the window's own
// procedure, and FormMessageHook in front of a framework form's handler. Each message
// goes through three stages: what every skinned window answers, the frame bookkeeping
// of top-level windows, and the non-client messages the skin frame replaces.

#include "skin/window/WinSkinForm.h"

#include "framework/controls/Messages.h"
#include "framework/forms/Form.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinFormRouter.h"

namespace {

// A window-procedure message through the undocumented theme path that draws the caption.
constexpr UINT kThemeCaptionPaint = 0x00AE;

bool IsFrameCommand(WPARAM command) noexcept {
    switch (command & 0xFFF0) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE: return true;
    default: return false;
    }
}

}  // namespace

LRESULT TWinSkinForm::CallOld(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
    return m_router ? m_router->CallPrevious(message, wParam, lParam)
                    : ::DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT TWinSkinForm::FormWndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCPAINT:
        if (m_skinState == SkinState::Attached) return 0;  // nothing until the frame is fitted
        break;
    case WM_ERASEBKGND: {
        const LRESULT result = CallOld(message, wParam, lParam);
        if (m_form || !m_skinData) return result;
        // A bare window (a system dialog) gets the skin's background.
        RECT client{};
        ::GetClientRect(m_window, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, m_skinData->ButtonFaceBrush());
        return 1;
    }
    case WM_NCDESTROY: {
        m_skinState = SkinState::Destroying;
        StopMouseTimer();
        if (m_form && m_formHooked) {
            m_form->SetWindowProc(std::move(m_oldFormHandler));
            m_oldFormHandler = nullptr;
            m_formHooked = false;
        }
        ReleaseControls();
        ReleaseMenus();
        if (TWinSkinMenu* bar = m_menuBar.Get(); bar && !bar->Menu() && !::GetMenu(m_window)) {
            // The system destroys a window's menu with the window; the bar holds it instead.
            if (HMENU menu = bar->MenuHandle()) ::SetMenu(m_window, menu);
        }
        // Forwarded before the procedure goes, so that the window's own clean-up runs.
        const LRESULT result = CallOld(message, wParam, lParam);
        m_skinState = SkinState::Finished;
        m_router.reset();  // lets go after this message, with the window
        return result;
    }
    case WM_NCACTIVATE:
        // Before the frame is fitted nothing is drawn; a deactivation is never refused.
        if (m_skinState == SkinState::Attached && m_mdiKind != MdiKind::Child) return TRUE;
        break;
    case kThemeCaptionPaint: return 0;
    case WM_INITMENUPOPUP:
        if (TSkinManage* manager = TSkinManage::Instance())
            manager->SetMenuKind(reinterpret_cast<HMENU>(wParam) == ::GetSystemMenu(m_window, FALSE)
                                     ? TSkinManage::kSystemMenu
                                     : TSkinManage::kWindowMenu);
        return CallOld(message, wParam, lParam);
    case WM_CTLCOLORBTN: {
        const LRESULT result = CallOld(message, wParam, lParam);
        if (!m_form) ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return result;
    }
    case WM_CTLCOLORSTATIC: {
        const LRESULT result = CallOld(message, wParam, lParam);
        if (m_form || !m_skinData) return result;
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        m_skinData->SetFaceTextColour(reinterpret_cast<HDC>(wParam));
        return reinterpret_cast<LRESULT>(m_skinData->ButtonFaceBrush());
    }
    case WM_MEASUREITEM:
        if (MeasureItemMessage(lParam)) return TRUE;
        return CallOld(message, wParam, lParam);
    case WM_DRAWITEM:
        if (DrawItemMessage(lParam)) return TRUE;
        return CallOld(message, wParam, lParam);
    case WMX_STARTSKIN: StartSkin(); return 0;
    case WMX_ISSKINNED: return 1;
    case WMX_REPLACESCROLLSKIN: ReplaceScrollSkin(reinterpret_cast<HWND>(wParam)); return 0;
    case WM_SETTEXT:
    case WM_SETICON:
        // A form's text goes through FormMessageHook; a bare window's is handled here the same way.
        if (!m_form && m_frameSkinning && m_skinState != SkinState::Attached && ::IsWindowVisible(m_window)) {
            ::SendMessageW(m_window, WM_SETREDRAW, FALSE, 0);
            const LRESULT result = CallOld(message, wParam, lParam);
            ::SendMessageW(m_window, WM_SETREDRAW, TRUE, 0);
            if (message == WM_SETICON) MakeIconBitmap();
            PaintNonClient(nullptr);
            return result;
        }
        break;
    default: break;
    }
    if (!m_frameSkinning) return CallOld(message, wParam, lParam);
    return FrameMessage(message, wParam, lParam);
}

LRESULT TWinSkinForm::FrameMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_isChild && m_mdiKind != MdiKind::Child) return CallOld(message, wParam, lParam);
    switch (message) {
    case WM_SIZE: return SizeChanged(wParam, lParam);
    case WM_ACTIVATE:
        m_active = LOWORD(wParam) != WA_INACTIVE;
        break;
    case WM_NCACTIVATE:
        m_active = wParam != 0;
        break;
    case WM_GETMINMAXINFO: {
        const LRESULT result = CallOld(message, wParam, lParam);
        ReadWindowState();
        SetCaptionStyle(m_windowState == WindowState::Minimized ||
                        (m_mdiKind == MdiKind::Child && m_windowState == WindowState::Maximized));
        return result;
    }
    case WM_WINDOWPOSCHANGED: ReadWindowState(); return CallOld(message, wParam, lParam);
    case WM_COMMAND:
        // The frame's commands, chosen from a menu that reports them as commands.
        if (HIWORD(wParam) == 0 && IsFrameCommand(LOWORD(wParam)) && LOWORD(wParam) < 0xFF00) {
            ::PostMessageW(m_window, WM_SYSCOMMAND, LOWORD(wParam), 0);
            return 0;
        }
        return CallOld(message, wParam, lParam);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU && KeyMenu(lParam)) return 1;
        SysCommand(wParam);
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == L' ') {
            // Alt+Space: the skinned system menu at the client origin.
            POINT origin{0, 0};
            ::ClientToScreen(m_window, &origin);
            ShowSysMenu({origin.x, origin.y});
        }
        return CallOld(message, wParam, lParam);
    case WMX_OPENMENUBUTTON:
        if (TMenuBtn* button = MenuButtonAt({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}))
            OpenMenuButton(button);
        return 0;
    case kMsgMenuChanged: {
        // The window's menu changes: no frame is painted halfway through it.
        m_skinData->SetFramePaint(false);
        LRESULT result = 0;
        try {
            result = CallOld(message, wParam, lParam);
        } catch (...) {
            m_skinData->SetFramePaint(true);
            throw;
        }
        m_skinData->SetFramePaint(true);
        return result;
    }
    default: break;
    }
    if ((m_mdiKind == MdiKind::Child && m_windowState == WindowState::Maximized) || m_skinState == SkinState::Attached)
        return CallOld(message, wParam, lParam);
    return NonClientMessage(message, wParam, lParam);
}

LRESULT TWinSkinForm::NonClientMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE: return NonClientSize(wParam, lParam);
    case WM_NCHITTEST: return HitTest(wParam, lParam);
    case WM_NCPAINT: return NonClientPaint(wParam, lParam);
    case WM_NCACTIVATE: return Activate(wParam, lParam);
    case WM_NCMOUSEMOVE: return NonClientMouseMove(wParam, lParam);
    case WM_NCLBUTTONDOWN: return NonClientButtonDown(wParam, lParam);
    case WM_NCLBUTTONUP: return NonClientButtonUp(wParam, lParam);
    case WM_NCLBUTTONDBLCLK: return NonClientDoubleClick(wParam, lParam);
    case WM_NCRBUTTONUP: return NonClientRightButtonUp(wParam, lParam);
    case WMX_REPAINTFRAME: PaintNonClient(nullptr); return 0;
    default: return CallOld(message, wParam, lParam);
    }
}

LRESULT TWinSkinForm::SizeChanged(WPARAM kind, LPARAM size) {
    const WindowState before = m_windowState;
    const LRESULT result = CallOld(WM_SIZE, kind, size);
    switch (kind) {
    case SIZE_RESTORED: m_windowState = WindowState::Normal; break;
    case SIZE_MINIMIZED: m_windowState = WindowState::Minimized; break;
    case SIZE_MAXIMIZED: m_windowState = WindowState::Maximized; break;
    default: break;
    }
    if (m_mdiKind == MdiKind::Child) {
        // The frame's bar gains or loses this child's buttons.
        if (kind == SIZE_MAXIMIZED || before == WindowState::Maximized) PostMdiFrameRedraw();
        const TSkinManage* manager = TSkinManage::Instance();
        if ((manager && manager->MdiMaximized()) || m_windowState == WindowState::Maximized) return result;
    }
    // A minimised window gets the region of its caption alone.
    if (m_skinState == SkinState::Running || m_skinState == SkinState::Reapplying) BuildRegion();
    return result;
}

LRESULT TWinSkinForm::Activate(WPARAM wParam, LPARAM lParam) {
    m_active = wParam != 0;
    m_mouseTimer->SetEnabled(m_active);
    if (!m_active && m_hotObject) m_hotObject->MouseLeave();
    if (m_mdiKind == MdiKind::Frame && m_mdiClient) ::SendMessageW(m_mdiClient, WM_NCACTIVATE, wParam, lParam);
    if (m_mdiKind == MdiKind::Child) {
        // The child's procedure keeps its MDI bookkeeping; -1 keeps it from drawing the
        // system's caption over the skin's.
        CallOld(WM_NCACTIVATE, wParam, -1);
        if (m_windowState == WindowState::Maximized) return 1;
    }
    PaintNonClient(nullptr);
    return 1;
}

bool TWinSkinForm::SysCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE:
        m_windowState = WindowState::Minimized;
        if (m_mdiKind == MdiKind::Child) SetCaptionStyle(true);
        return true;
    case SC_MAXIMIZE: m_windowState = WindowState::Maximized; return true;
    case SC_RESTORE:
        m_windowState = WindowState::Normal;
        if (m_mdiKind == MdiKind::Child) {
            SetCaptionStyle(false);
            if (TSkinManage* manager = TSkinManage::Instance(); manager && manager->MdiMaximized())
                manager->SetMdiMaximized(false);
        }
        return true;
    default: return false;
    }
}

// --- the form's handler ---------------------------------------------------------------------

void TWinSkinForm::SetText(TMessage& message) {
    if (!::IsWindowVisible(m_window)) {
        m_oldFormHandler(message);
        return;
    }
    // The system draws its own caption while it takes the text; with drawing off it
    // cannot, and the skin frame is painted afterwards instead.
    ::SendMessageW(m_window, WM_SETREDRAW, FALSE, 0);
    try {
        m_oldFormHandler(message);
    } catch (...) {
        ::SendMessageW(m_window, WM_SETREDRAW, TRUE, 0);
        throw;
    }
    ::SendMessageW(m_window, WM_SETREDRAW, TRUE, 0);
    const TSkinManage* manager = TSkinManage::Instance();
    if (m_windowState == WindowState::Maximized && manager && manager->MdiClientWnd())
        ::PostMessageW(manager->MdiClientWnd(), WMX_REDRAWMDIFRAME, reinterpret_cast<WPARAM>(m_window), 0);
    if (m_windowState == WindowState::Minimized)
        PaintNonClient(nullptr);
    else
        ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::FormMessageHook(TMessage& message) {
    switch (message.Msg) {
    case WM_SETTEXT: SetText(message); return;
    case WM_SETICON:
        SetText(message);
        MakeIconBitmap();
        return;
    case WMX_SKINCHANGED: RefreshSkin(); return;
    case WMX_PAINTFRAMEINTO:
        if (message.LParam == kSkinSignature) {
            if (message.WParam) PaintNonClient(reinterpret_cast<HDC>(message.WParam));
            message.Result = kSkinSignature;
            return;
        }
        break;
    case WMX_SKINQUERY: message.Result = message.LParam == kSkinSignature ? kSkinSignature : 1; return;
    case kMsgMenuChanged:
        // The form's menu changed its items, or the form took another menu.
        m_oldFormHandler(message);
        if (m_skinState == SkinState::Running) MenuChanged();
        return;
    case kMsgDialogChar:
        // The form's own accelerators come first; then Alt+letter opens a bar button.
        m_oldFormHandler(message);
        if (message.Result == 0) DialogChar(message);
        return;
    default: break;
    }
    m_oldFormHandler(message);
}
