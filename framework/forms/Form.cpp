#include "framework/forms/Form.h"

#include "framework/controls/Menus.h"
#include "framework/forms/Application.h"
#include "framework/forms/Screen.h"
#include "framework/layout/LayoutReader.h"
#include "framework/win/Files.h"
#include "framework/win/Win32Error.h"

#include <cwctype>
#include <utility>

TCustomForm::TCustomForm() {
    m_icon.OnChange = [this](TObject*) { ApplyIcon(); };
    // A form shows when asked to (Show, or the application showing its main form).
    TControl::SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    if (Screen) Screen->AddForm(*this);
}

TCustomForm::~TCustomForm() {
    // The controls die while the form is still whole, their windows before the form's.
    DestroyComponents();
    if (Screen) Screen->RemoveForm(*this);
    if (Application) Application->FormDestroyed(*this);
    DestroyHandle();
}

std::wstring LayoutResourceNameOf(const TObject& object) {
    std::wstring name(reinterpret_cast<const wchar_t*>(object.ClassName().data()), object.ClassName().size());
    for (auto& c : name) c = static_cast<wchar_t>(std::towupper(c));
    return name;
}

bool ReadLayoutResource(TComponent& root, const std::wstring& name) {
    const auto layout = ResourceBytes(nullptr, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (layout.empty()) return false;
    ReadLayout(root, std::string_view(reinterpret_cast<const char*>(layout.data()), layout.size()));
    return true;
}

std::wstring TCustomForm::LayoutResourceName() const { return LayoutResourceNameOf(*this); }

void TCustomForm::InitializeForm() {
    (void)ReadLayoutResource(*this, LayoutResourceName());
    Fire(OnCreate, this);
    // A layout that stores the form as visible shows it once it is complete.
    if (Visible() && !Showing()) SetVisible(true);
}

// ---- frame -----------------------------------------------------------------------

DWORD TCustomForm::FrameStyle() const noexcept {
    DWORD style = WS_CLIPCHILDREN;
    switch (m_borderStyle) {
    case TFormBorderStyle::bsNone: return style | WS_POPUP;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow: style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog: style |= WS_POPUP | WS_CAPTION | WS_SYSMENU; return style;
    }
    if (m_borderIcons.Contains(TBorderIcon::biSystemMenu)) {
        style |= WS_SYSMENU;
        const bool tool = m_borderStyle == TFormBorderStyle::bsToolWindow ||
                          m_borderStyle == TFormBorderStyle::bsSizeToolWin;
        if (!tool && m_borderIcons.Contains(TBorderIcon::biMinimize)) style |= WS_MINIMIZEBOX;
        if (!tool && m_borderIcons.Contains(TBorderIcon::biMaximize)) style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD TCustomForm::FrameExStyle() const noexcept {
    switch (m_borderStyle) {
    case TFormBorderStyle::bsDialog: return WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin: return WS_EX_TOOLWINDOW;
    default: return 0;
    }
}

core::Size TCustomForm::FrameExtra() const {
    if (HWND window = HandleIfAllocated()) {
        RECT outer{}, inner{};
        ::GetWindowRect(window, &outer);
        ::GetClientRect(window, &inner);
        return {(outer.right - outer.left) - inner.right, (outer.bottom - outer.top) - inner.bottom};
    }
    RECT r{0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, FrameStyle(), m_menu != nullptr, FrameExStyle());
    return {r.right - r.left, r.bottom - r.top};
}

void TCustomForm::ApplyFrameStyle() {
    if (!HandleAllocated()) return;
    // Border changes need a new frame; the window keeps its place and children.
    RecreateWnd();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == m_borderStyle) return;
    m_borderStyle = value;
    ApplyFrameStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (value == m_borderIcons) return;
    m_borderIcons = value;
    ApplyFrameStyle();
}

core::Rect TCustomForm::ClientRect() const {
    if (HandleAllocated()) return TWinControl::ClientRect();
    const core::Size extra = FrameExtra();
    return {0, 0, std::max(0, Width() - extra.width), std::max(0, Height() - extra.height)};
}

void TCustomForm::SetClientWidth(int value) {
    if (IsLoading()) m_loadedClientWidth = value;
    else SetBounds(Left(), Top(), value + FrameExtra().width, Height());
}

void TCustomForm::SetClientHeight(int value) {
    if (IsLoading()) m_loadedClientHeight = value;
    else SetBounds(Left(), Top(), Width(), value + FrameExtra().height);
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();  // loading ends here: the sizes below apply
    if (const auto width = std::exchange(m_loadedClientWidth, std::nullopt)) SetClientWidth(*width);
    if (const auto height = std::exchange(m_loadedClientHeight, std::nullopt)) SetClientHeight(*height);
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    if (Parent()) return;  // a form placed inside another control is a child window
    params.style = FrameStyle();
    params.exStyle = (params.exStyle & (WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR)) | FrameExStyle();
    if (m_formStyle == TFormStyle::fsStayOnTop) params.exStyle |= WS_EX_TOPMOST;
    params.parent = nullptr;
    if (m_formStyle == TFormStyle::fsMDIChild) {
        MdiChildParams(params);
        return;
    }
    switch (m_position) {
    case TPosition::poDesigned: break;
    case TPosition::poDefault:
        params.x = params.y = CW_USEDEFAULT;
        params.width = params.height = CW_USEDEFAULT;
        break;
    case TPosition::poDefaultPosOnly: params.x = params.y = CW_USEDEFAULT; break;
    case TPosition::poDefaultSizeOnly: params.width = params.height = CW_USEDEFAULT; break;
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
        params.x = (::GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
        params.y = (::GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;
        break;
    }
}

void TCustomForm::InitializeWindow() {
    ApplyIcon();
    if (m_menu && m_formStyle != TFormStyle::fsMDIChild) {  // a child window has no menu bar
        ::SetMenu(HandleIfAllocated(), m_menu->Handle());
        m_menu->SetWindowHandle(HandleIfAllocated());
    }
    if (m_formStyle == TFormStyle::fsMDIForm) CreateClientWindow();
    // A window made again (new border) shows as the old one did.
    if (Visible() && !Parent()) ::ShowWindow(HandleIfAllocated(), ShowCommand());
}

int TCustomForm::ShowCommand() const noexcept {
    switch (m_windowState) {
    case TWindowState::wsMaximized: return SW_SHOWMAXIMIZED;
    case TWindowState::wsMinimized: return SW_SHOWMINIMIZED;
    default: return SW_SHOWNORMAL;
    }
}

void TCustomForm::ApplyIcon() {
    HWND window = HandleIfAllocated();
    if (!window) return;
    // The icon object keeps owning the handle; the window only borrows it.
    const auto icon = reinterpret_cast<LPARAM>(m_icon.Handle());
    ::SendMessageW(window, WM_SETICON, ICON_BIG, icon);
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, icon);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == m_menu) return;
    if (m_menu) m_menu->SetWindowHandle(nullptr);
    m_menu = menu;
    if (HWND window = HandleIfAllocated()) {
        ::SetMenu(window, menu ? menu->Handle() : nullptr);
        if (menu) menu->SetWindowHandle(window);
        ::DrawMenuBar(window);
    }
    Perform(kMsgMenuChanged);
}

bool TCustomForm::IsShortCut(TShortCut shortCut) {
    if (m_menu && m_menu->IsShortCut(shortCut)) return true;
    // A child has no bar of its own: the frame's shortcuts work wherever the focus is.
    TCustomForm* frame = m_formStyle == TFormStyle::fsMDIChild ? MdiFrameForm() : nullptr;
    return frame && frame != this && frame->IsShortCut(shortCut);
}

void TCustomForm::Notification(TComponent& component, Operation operation) {
    TWinControl::Notification(component, operation);
    if (operation != Operation::Remove) return;
    if (&component == m_menu) SetMenu(nullptr);
    if (&component == m_windowMenu) m_windowMenu = nullptr;
    if (m_activeControl && static_cast<TComponent*>(m_activeControl) == &component) m_activeControl = nullptr;
}

void TCustomForm::ControlRemoved(const TControl& control) noexcept {
    if (m_activeControl && (m_activeControl == &control ||
                            (control.Is<TWinControl>() &&
                             static_cast<const TWinControl&>(control).ContainsControl(m_activeControl))))
        m_activeControl = nullptr;
}

// ---- showing and closing --------------------------------------------------------------

bool TCustomForm::Showing() const noexcept {
    HWND window = HandleIfAllocated();
    return window && ::IsWindowVisible(window);
}

void TCustomForm::SetVisible(bool value) {
    if (IsLoading() || Parent()) {
        TWinControl::SetVisible(value);
        return;
    }
    if (value == Visible() && value == Showing()) return;
    if (value) {
        // An MDI child is made visible: its client shows and activates it as it makes it.
        if (m_formStyle == TFormStyle::fsMDIChild) TControl::SetVisible(true);
        HandleNeeded();
        TControl::SetVisible(true);
        ::ShowWindow(HandleIfAllocated(), ShowCommand());
        Fire(OnShow, this);
    } else {
        Fire(OnHide, this);
        TControl::SetVisible(false);
        if (HWND window = HandleIfAllocated()) ::ShowWindow(window, SW_HIDE);
    }
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (value == m_windowState) return;
    m_windowState = value;
    HWND window = HandleIfAllocated();
    if (!window || !::IsWindowVisible(window)) return;
    if (m_formStyle == TFormStyle::fsMDIChild) {
        // Through the child's own commands, so that its client keeps its MDI state.
        ::SendMessageW(window, WM_SYSCOMMAND,
                       value == TWindowState::wsMaximized   ? SC_MAXIMIZE
                       : value == TWindowState::wsMinimized ? SC_MINIMIZE
                                                            : SC_RESTORE,
                       0);
        return;
    }
    ::ShowWindow(window, value == TWindowState::wsMaximized   ? SW_MAXIMIZE
                         : value == TWindowState::wsMinimized ? SW_MINIMIZE
                                                              : SW_RESTORE);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    Fire(OnCloseQuery, this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    // A closed MDI child goes; hidden it would still be listed and tiled by its client.
    TCloseAction action = m_formStyle == TFormStyle::fsMDIChild ? TCloseAction::caFree : TCloseAction::caHide;
    Fire(OnClose, this, action);
    if (action == TCloseAction::caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); break;
    case TCloseAction::caFree: Release(); break;
    case TCloseAction::caNone: break;
    }
}

void TCustomForm::Release() {
    if (m_releasing) return;
    m_releasing = true;
    // Not now: the caller may be one of this form's own handlers.
    if (Application) Application->ReleaseLater(*this);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && !ContainsControl(control)) return;
    m_activeControl = control;
    if (control && m_active && control->CanFocus() && control->HandleAllocated()) control->SetFocus();
}

void TCustomForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) {
        m_activeControl = next;
        next->SetFocus();
    }
}

void TCustomForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_ACTIVATE:
        DefaultHandler(message);
        m_active = LOWORD(message.WParam) != WA_INACTIVE;
        if (m_active) {
            if (Screen) Screen->SetActiveForm(this);
            // The window took the focus itself; hand it to the control that had it.
            if (m_activeControl && m_activeControl->CanFocus() && m_activeControl->HandleAllocated())
                ::SetFocus(m_activeControl->HandleIfAllocated());
            Fire(OnActivate, this);
        } else {
            Fire(OnDeactivate, this);
        }
        return;
    case WM_SIZE:
        DefaultHandler(message);
        if (Visible()) {
            if (message.WParam == SIZE_MAXIMIZED)
                m_windowState = TWindowState::wsMaximized;
            else if (message.WParam == SIZE_MINIMIZED)
                m_windowState = TWindowState::wsMinimized;
            else if (message.WParam == SIZE_RESTORED)
                m_windowState = TWindowState::wsNormal;
        }
        return;
    case WM_DESTROY:
        // The menu belongs to its component, not to the window that dies now.
        if (m_menu && HandleAllocated()) {
            ::SetMenu(HandleIfAllocated(), nullptr);
            m_menu->SetWindowHandle(nullptr);
        }
        m_active = false;
        DefaultHandler(message);
        m_clientHandle = nullptr;  // the system destroys it with the frame
        return;
    case kMsgFocusChanged:
        if (auto* control = reinterpret_cast<TWinControl*>(message.LParam); control && ContainsControl(control))
            m_activeControl = control == this ? m_activeControl : control;
        TWinControl::WndProc(message);
        return;
    case kMsgDialogKey:
        Broadcast(message);
        if (message.Result) return;
        if (message.WParam == VK_TAB && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0) {
            SelectNext(m_activeControl, ::GetKeyState(VK_SHIFT) >= 0, true);
            message.Result = 1;
        }
        return;
    case kMsgDialogChar:
        Broadcast(message);
        return;
    case kMsgMenuChanged:
        RefreshMdiMenu();
        TWinControl::WndProc(message);
        return;
    case WM_COMMAND:
        // A menu's command (high word 0, no control); other commands are the controls'.
        if (message.LParam == 0 && HIWORD(message.WParam) == 0 && m_menu &&
            m_menu->DispatchCommand(LOWORD(message.WParam))) {
            message.Result = 0;
            return;
        }
        TWinControl::WndProc(message);
        return;
    default: TWinControl::WndProc(message); return;
    }
}

void TCustomForm::Publish(TPublisher<TCustomForm>& p) {
    p.Enum(u"BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
        .Default(TFormBorderStyle::bsSizeable);
    p.Set(u"BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Default(TBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize});
    p.Enum(u"WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(TWindowState::wsNormal);
    p.Enum(u"Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(TPosition::poDesigned);
    p.Enum(u"FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(TFormStyle::fsNormal);
    p.Enum(u"TileMode", &TCustomForm::TileMode, &TCustomForm::SetTileMode).Default(TTileMode::tbHorizontal);
    p.Reference(u"WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu);
    p.Object(u"Icon", &TCustomForm::Icon).Stored([](const TObject& o) {
        return !const_cast<TCustomForm&>(static_cast<const TCustomForm&>(o)).Icon().Empty();
    });
    p.Integer(u"ClientWidth", &TControl::ClientWidth, &TCustomForm::SetClientWidth);
    p.Integer(u"ClientHeight", &TControl::ClientHeight, &TCustomForm::SetClientHeight);
    p.Integer(u"PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch).Default(96);
    p.Integer(u"TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
    p.Reference(u"Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    p.Reference(u"ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    p.Event(u"OnCreate", &TCustomForm::OnCreate);
    p.Event(u"OnClose", &TCustomForm::OnClose);
    p.Event(u"OnCloseQuery", &TCustomForm::OnCloseQuery);
    p.Event(u"OnShow", &TCustomForm::OnShow);
    p.Event(u"OnHide", &TCustomForm::OnHide);
    p.Event(u"OnActivate", &TCustomForm::OnActivate);
    p.Event(u"OnDeactivate", &TCustomForm::OnDeactivate);
}
