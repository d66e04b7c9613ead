#include "framework/forms/Form.h"

#include "framework/controls/Menus.h"
#include "framework/controls/Messages.h"
#include "framework/core/Exception.h"
#include "framework/forms/Application.h"
#include "framework/forms/Screen.h"
#include "framework/win/Win32Error.h"

// The MDI side of a form: the frame's client window and what it does for the children,
// and how a child is made in it and routed through the system's MDI procedures.

namespace {

// The window menu's entries for the children are numbered from here, above every
// command a framework menu item gets.
constexpr UINT kFirstChildCommand = 0xFF00;

}  // namespace

TCustomForm* TCustomForm::MdiFrameForm() noexcept {
    if (Application)
        if (TCustomForm* main = Application->MainForm(); main && main->m_formStyle == TFormStyle::fsMDIForm)
            return main;
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (TCustomForm* form = Screen->Forms(i); form && form->m_formStyle == TFormStyle::fsMDIForm) return form;
    return nullptr;
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (value == m_formStyle) return;
    const bool wasFrame = m_formStyle == TFormStyle::fsMDIForm;
    m_formStyle = value;
    if (!HandleAllocated()) return;
    if (wasFrame || value == TFormStyle::fsMDIForm || value == TFormStyle::fsMDIChild ||
        (::GetWindowLongPtrW(HandleIfAllocated(), GWL_STYLE) & WS_CHILD)) {
        RecreateWnd();  // another kind of window: frame, child or top-level
        return;
    }
    ::SetWindowPos(HandleIfAllocated(), value == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::MdiChildParams(TCreateParams& params) {
    TCustomForm* frame = MdiFrameForm();
    if (!frame || frame == this) throw Exception(u"an MDI child form needs an MDI frame form to live in");
    frame->HandleNeeded();
    if (!frame->m_clientHandle) throw Exception(u"the MDI frame form has no client window");
    params.parent = frame->m_clientHandle;
    params.style = (FrameStyle() & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible()) params.style |= WS_VISIBLE;
    if (m_windowState == TWindowState::wsMaximized) params.style |= WS_MAXIMIZE;
    if (m_windowState == TWindowState::wsMinimized) params.style |= WS_MINIMIZE;
    params.exStyle = (params.exStyle & ~static_cast<DWORD>(WS_EX_TOPMOST)) | WS_EX_MDICHILD;
    // Left to the client, a child's place and size follow the cascade of those before it.
    if (m_position == TPosition::poDefault || m_position == TPosition::poDefaultPosOnly)
        params.x = params.y = CW_USEDEFAULT;
    if (m_position == TPosition::poDefault || m_position == TPosition::poDefaultSizeOnly)
        params.width = params.height = CW_USEDEFAULT;
}

HMENU TCustomForm::WindowMenuHandle() const noexcept {
    if (!m_windowMenu || m_windowMenu->Count() == 0) return nullptr;  // no popup for the client to list in
    try {
        return m_windowMenu->Handle();
    } catch (const Win32Error&) {
        return nullptr;
    }
}

void TCustomForm::CreateClientWindow() {
    CLIENTCREATESTRUCT create{WindowMenuHandle(), kFirstChildCommand};
    const core::Rect area = AdjustClientRect(ClientRect());
    HWND client = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, area.left,
                                    area.top, area.Width(), area.Height(), HandleIfAllocated(), nullptr,
                                    ::GetModuleHandleW(nullptr), &create);
    if (!client) throw Win32Error::Last(u"CreateWindowExW");
    m_clientHandle = client;
    Realign();
}

void TCustomForm::ControlsAligned(const core::Rect& rest) {
    if (!m_clientHandle) return;
    // The client takes what the aligned controls leave, as an alClient control would.
    ::SetWindowPos(m_clientHandle, nullptr, rest.left, rest.top, std::max(rest.Width(), 0),
                   std::max(rest.Height(), 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::RefreshMdiMenu() noexcept {
    if (!m_clientHandle || !m_menu || !::IsWindow(m_clientHandle)) return;
    try {
        // Rebuilding a menu empties its handles: the client lists the children again.
        ::SendMessageW(m_clientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(m_menu->Handle()),
                       reinterpret_cast<LPARAM>(WindowMenuHandle()));
        ::SendMessageW(m_clientHandle, WM_MDIREFRESHMENU, 0, 0);
        ::DrawMenuBar(HandleIfAllocated());
    } catch (const Win32Error&) {
        // The bar keeps its items without the children's list.
    }
}

void TCustomForm::SetWindowMenu(TMenuItem* item) {
    if (item == m_windowMenu) return;
    m_windowMenu = item;
    RefreshMdiMenu();
}

TCustomForm* TCustomForm::ActiveMDIChild() const noexcept {
    if (!m_clientHandle) return nullptr;
    auto active = reinterpret_cast<HWND>(::SendMessageW(m_clientHandle, WM_MDIGETACTIVE, 0, 0));
    return As<TCustomForm>(TWinControl::FindControl(active));
}

int TCustomForm::MDIChildCount() const noexcept {
    int count = 0;
    while (MDIChildren(count)) ++count;
    return count;
}

TCustomForm* TCustomForm::MDIChildren(int index) const noexcept {
    if (!m_clientHandle || index < 0) return nullptr;
    for (HWND w = ::GetWindow(m_clientHandle, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        auto* form = As<TCustomForm>(TWinControl::FindControl(w));
        if (!form || form->m_formStyle != TFormStyle::fsMDIChild) continue;  // the client's own windows
        if (index-- == 0) return form;
    }
    return nullptr;
}

void TCustomForm::Tile() {
    if (m_clientHandle)
        ::SendMessageW(m_clientHandle, WM_MDITILE,
                       m_tileMode == TTileMode::tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::Cascade() {
    if (m_clientHandle) ::SendMessageW(m_clientHandle, WM_MDICASCADE, 0, 0);
}

void TCustomForm::ArrangeIcons() {
    if (m_clientHandle) ::SendMessageW(m_clientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next() {
    if (m_clientHandle) ::SendMessageW(m_clientHandle, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous() {
    if (m_clientHandle) ::SendMessageW(m_clientHandle, WM_MDINEXT, 0, 1);
}

void TCustomForm::DestroyWnd() {
    HWND window = HandleIfAllocated();
    if (m_formStyle == TFormStyle::fsMDIChild && window) {
        // Through the client, which takes the child off its list and its window menu.
        if (HWND client = ::GetParent(window); client && ::IsWindow(client)) {
            ::SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
            if (!::IsWindow(window)) return;
        }
    }
    TWinControl::DestroyWnd();
    m_clientHandle = nullptr;  // went with the frame's window
}

void TCustomForm::DefaultHandler(TMessage& message) {
    HWND window = HandleIfAllocated();
    if (window && !IsFrameworkMessage(message.Msg)) {
        if (m_formStyle == TFormStyle::fsMDIChild && (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
            message.Result = ::DefMDIChildProcW(window, message.Msg, message.WParam, message.LParam);
            return;
        }
        // The frame places its client itself (beside the aligned controls): its size
        // change goes to the plain procedure, which leaves the client where it is.
        if (m_clientHandle && message.Msg != WM_SIZE) {
            message.Result =
                ::DefFrameProcW(window, m_clientHandle, message.Msg, message.WParam, message.LParam);
            return;
        }
    }
    TWinControl::DefaultHandler(message);
}
