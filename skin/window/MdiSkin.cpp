// The MDI side of TWinSkinForm: the frame's client window (subclassed while the frame is
// skinned), the buttons of a maximised child in the frame's bar, and the two looks of
// a child, skinned frame or maximised.

#include "skin/window/WinSkinForm.h"

#include "skin/data/FrameRules.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinFormRouter.h"
#include "skin/window/WindowQueries.h"

namespace {

// The client's active child, and whether it is maximised.
HWND ActiveChild(HWND client, bool* maximized = nullptr) noexcept {
    BOOL zoomed = FALSE;
    auto active = reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&zoomed)));
    if (maximized) *maximized = active && zoomed;
    return active;
}

}  // namespace

void TWinSkinForm::SubclassMdiClient() {
    HWND client = ChildOfClass(m_window, L"MDIClient");
    if (!client || m_mdiClientRouter) return;
    m_mdiClient = client;
    if (TSkinManage* manager = TSkinManage::Instance()) manager->SetMdiClient(client, m_form);
    if (m_skinData) m_savedMenuUpdate = m_skinData->MenuUpdate();
    auto router = SubclasserPtr<MdiClientRouter>{new MdiClientRouter(*this)};
    router->Subclass(client);  // throws, with the client left as it was
    m_mdiClientRouter = std::move(router);
}

void TWinSkinForm::ReleaseMdiClient() noexcept {
    if (m_mdiClientRouter) {
        m_mdiClientRouter->Unsubclass();
        m_mdiClientRouter.reset();
    }
    // The manager must not hand messages on to a frame that is no longer skinned.
    TSkinManage* manager = TSkinManage::Instance();
    if (manager && m_mdiClient && manager->MdiClientWnd() == m_mdiClient) manager->SetMdiClient(nullptr, nullptr);
    m_mdiClient = nullptr;
}

bool TWinSkinForm::ActiveMdiChildMaximized() const noexcept {
    if (m_mdiKind != MdiKind::Frame || !m_mdiClient || !::IsWindow(m_mdiClient)) return false;
    bool maximized = false;
    ActiveChild(m_mdiClient, &maximized);
    return maximized;
}

void TWinSkinForm::PostMdiFrameRedraw() const noexcept {
    const TSkinManage* manager = TSkinManage::Instance();
    if (manager && manager->MdiClientWnd())
        ::PostMessageW(manager->MdiClientWnd(), WMX_REDRAWMDIFRAME, reinterpret_cast<WPARAM>(m_window), 0);
}

void TWinSkinForm::SetMdiLook(bool maximized) noexcept {
    if (m_mdiKind != MdiKind::Child || !m_frameSkinning || !m_router) return;
    if (maximized) {
        SetCaptionStyle(true);
        // A region cut for the normal frame would clip the maximised window.
        if (m_hasRegion) {
            ::SetWindowRgn(m_window, nullptr, TRUE);
            m_hasRegion = false;
            m_regionWidth = m_regionHeight = 0;
        }
        return;
    }
    ReadWindowState();
    if (m_windowState == WindowState::Minimized) return;
    SetCaptionStyle(false);
    if (m_windowState != WindowState::Normal) return;  // the restore to come rebuilds the region
    ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    BuildRegion();
}

void TWinSkinForm::PaintMdiButtons(HDC dc) noexcept {
    bool drawn = false;
    for (const auto& button : m_buttons) {
        if (!button->Visible || button->Skin().Visibility != kMdiButtonPlacement) continue;
        PaintCaptionButton(dc, *button, 1);
        drawn = true;
    }
    if (TSkinManage* manager = TSkinManage::Instance(); drawn && manager && !manager->MdiMaximized())
        manager->SetMdiMaximized(true);
}

LRESULT TWinSkinForm::MdiClientWndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto old = [&] { return m_mdiClientRouter->CallPrevious(message, wParam, lParam); };
    TSkinManage* manager = TSkinManage::Instance();
    switch (message) {
    case WM_NCDESTROY: {
        const LRESULT result = old();
        ReleaseMdiClient();  // the router lets go once this message returns
        return result;
    }
    case WM_NCCALCSIZE:
        // The skinned frame has no place for the system's scroll bars unless the skin asks for them.
        if (m_frameSkinning && m_skinData && !m_skinData->Options().Contains(TSkinOption::xoMDIScrollbar)) {
            const auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_mdiClient, GWL_STYLE));
            if (style & (WS_HSCROLL | WS_VSCROLL))
                ::SetWindowLongPtrW(m_mdiClient, GWL_STYLE,
                                    static_cast<LONG_PTR>(style & ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL)));
        }
        return old();
    case WM_MDICREATE: {
        if (m_skinData) m_skinData->SetMenuUpdate(false);
        const LRESULT result = old();
        // A framework child is skinned once it is whole: the hook saw it before its form did.
        if (auto child = reinterpret_cast<HWND>(result); child && manager && !manager->FindSkinForm(child))
            manager->SkinWindow(child);
        return result;
    }
    case WM_MDIDESTROY: {
        const LRESULT result = old();
        if (!m_frameSkinning) return result;
        bool maximized = false;
        const HWND active = ActiveChild(m_mdiClient, &maximized);
        if (manager) manager->SetMdiMaximized(maximized);
        if (!active && m_menuBar) {
            if (m_skinData) m_skinData->SetMenuUpdate(m_savedMenuUpdate);
            m_menuBar->RebuildMenu();
        }
        PostMdiFrameRedraw();  // the bar loses a maximised child's buttons
        return result;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (m_frameSkinning && manager && manager->MdiMaximized()) manager->SetMdiMaximized(false);
        return old();
    case WM_MDISETMENU: {
        const LRESULT result = old();
        if (!m_frameSkinning) return result;
        if (wParam && m_menuBar) {
            m_menuBar->RebuildMenu();
            ::SetMenu(m_window, nullptr);
            PaintNonClient(nullptr);
        } else if (m_menuBar) {
            ::SetMenu(m_window, nullptr);
        }
        return result;
    }
    case WMX_REDRAWMDIFRAME:
        ::RedrawWindow(m_window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return 0;
    default: return old();
    }
}
