#include "framework/controls/WinControl.h"

#include "framework/controls/WinControlRouter.h"
#include "framework/win/Win32Error.h"

#include <algorithm>
#include <cwchar>
#include <exception>
#include <map>
#include <mutex>
#include <utility>

#include <commctrl.h>

// Class registration, window creation and destruction, and the window property that
// leads from a window handle back to its control.

namespace {

// The window a control is being created for, until its first message arrives; and
// why attaching it failed, carried past user32 to the creator.
struct Creating {
    TWinControl* control = nullptr;
    WNDPROC base = nullptr;
    std::exception_ptr failure;
};
thread_local Creating t_creating;

struct ControlAtom {
    std::wstring name;
    ATOM value = 0;
    ControlAtom() {
        wchar_t text[32];
        std::swprintf(text, 32, L"ControlOfs%.8lX%.8lX",
                      static_cast<unsigned long>(reinterpret_cast<uintptr_t>(::GetModuleHandleW(nullptr))),
                      static_cast<unsigned long>(::GetCurrentThreadId()));
        name = text;
        value = ::GlobalAddAtomW(text);
    }
    ~ControlAtom() {
        if (value) ::GlobalDeleteAtom(value);
    }
};

const ControlAtom& TheControlAtom() {
    static const ControlAtom atom;
    return atom;
}

int NextChildId() {
    static int id = 100;
    return ++id;
}

}  // namespace

std::wstring TWinControl::ControlAtomName() { return TheControlAtom().name; }

bool TWinControl::HasForeignWindowProc() const noexcept {
    // A router that only adopted the window (someone subclassed it before its first
    // message) never is the window's procedure: everything passes others first.
    return m_handle && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_handle, GWLP_WNDPROC)) != m_router->Procedure();
}

TWinControl* TWinControl::FindControl(HWND window) noexcept {
    if (!window) return nullptr;
    const ATOM atom = TheControlAtom().value;
    return atom ? static_cast<TWinControl*>(::GetPropW(window, MAKEINTATOM(atom))) : nullptr;
}

TWinControl* TWinControl::ControlBeingCreated() noexcept { return t_creating.control; }

HWND TWinControl::Handle() {
    if (!m_handle) {
        if (Parent()) Parent()->HandleNeeded();
        if (!m_handle) {  // the parent may have made ours along with its own
            CreateWnd();
            InitializeWindow();
            for (TControl* child : std::vector<TControl*>(m_controls))
                if (auto* w = As<TWinControl>(child)) w->HandleNeeded();
        }
    }
    return m_handle;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.caption = Caption();
    params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible()) params.style |= WS_VISIBLE;
    if (!Enabled()) params.style |= WS_DISABLED;
    if (m_tabStop) params.style |= WS_TABSTOP;
    if (UseRightToLeftReading()) params.exStyle |= WS_EX_RTLREADING;
    if (UseRightToLeftAlignment()) params.exStyle |= WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    params.parent = Parent() ? Parent()->Handle() : m_parentWindow;
    params.className = std::wstring(reinterpret_cast<const wchar_t*>(ClassName().data()), ClassName().size());
}

namespace {

// Registers the framework class `params` names, once per process; answers the
// procedure unhandled messages go to.
WNDPROC RegisterFrameworkClass(const TCreateParams& params, WNDPROC initProc) {
    static std::mutex mutex;
    static std::map<std::wstring, WNDPROC> classes;
    std::lock_guard lock{mutex};
    if (auto it = classes.find(params.className); it != classes.end()) return it->second;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    WNDPROC base = ::DefWindowProcW;
    if (params.baseClass) {
        if (params.commonControls) {
            // A class it could not register is reported by GetClassInfoExW below.
            INITCOMMONCONTROLSEX init{sizeof init, params.commonControls};
            ::InitCommonControlsEx(&init);
        }
        if (!::GetClassInfoExW(nullptr, params.baseClass, &wc)) throw Win32Error::Last(u"GetClassInfoExW");
        base = wc.lpfnWndProc;
        wc.style &= ~CS_GLOBALCLASS;
    }
    wc.cbSize = sizeof wc;
    wc.style |= params.classStyle;
    wc.lpfnWndProc = initProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = params.className.c_str();
    if (!wc.hCursor) wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = params.background;
    if (!::RegisterClassExW(&wc)) throw Win32Error::Last(u"RegisterClassExW");
    classes.emplace(params.className, base);
    return base;
}

}  // namespace

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    CreateWindowHandle(params);
    if (!m_handle) throw Win32Error(u"CreateWindowExW", ERROR_INVALID_WINDOW_HANDLE);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    const WNDPROC base = RegisterFrameworkClass(params, &TWinControl::InitWndProc);
    m_hasBaseClass = params.baseClass != nullptr;
    // An MDI child's number is its client's to give.
    const bool numbered = (params.style & WS_CHILD) && !(params.exStyle & WS_EX_MDICHILD);
    const HMENU id = numbered ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextChildId())) : nullptr;
    t_creating = {this, base, nullptr};
    HWND window = nullptr;
    if (params.exStyle & WS_EX_MDICHILD) {
        // An MDI child is made by its client window, which numbers it, lists it in the
        // window menu and maximises it when the active child is.
        MDICREATESTRUCTW create{params.className.c_str(), params.caption.c_str(), ::GetModuleHandleW(nullptr),
                                params.x, params.y, params.width, params.height,
                                params.style & ~static_cast<DWORD>(WS_CHILD), 0};
        const LRESULT made = ::SendMessageW(params.parent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create));
        window = reinterpret_cast<HWND>(made);
    } else {
        window = ::CreateWindowExW(params.exStyle, params.className.c_str(), params.caption.c_str(), params.style,
                                   params.x, params.y, params.width, params.height, params.parent, id,
                                   ::GetModuleHandleW(nullptr), nullptr);
    }
    const DWORD error = ::GetLastError();
    const std::exception_ptr failure = std::exchange(t_creating, {}).failure;
    if (failure) {
        // A window its control could not take would belong to nobody.
        if (window) ::DestroyWindow(window);
        m_handle = nullptr;
        std::rethrow_exception(failure);
    }
    if (!window) {
        m_handle = nullptr;
        throw Win32Error(u"CreateWindowExW", error);
    }
}

LRESULT CALLBACK TWinControl::InitWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (TWinControl* control = t_creating.control) {
        t_creating.control = nullptr;
        try {
            control->AttachWindow(window, t_creating.base);
        } catch (...) {
            // No exception may unwind through user32: CreateWindowHandle rethrows it.
            t_creating.failure = std::current_exception();
        }
    }
    // A window whose control failed to attach is not made at all.
    if (t_creating.failure) return message == WM_NCCREATE ? FALSE : ::DefWindowProcW(window, message, wParam, lParam);
    // Normally the window's procedure is our thunk from here on; this path is for a
    // window someone subclassed before its first message reached us.
    if (auto* router = Subclasser::Find<Router>(window))
        return ::CallWindowProcW(router->Procedure(), window, message, wParam, lParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void TWinControl::AttachWindow(HWND window, WNDPROC base) {
    const ATOM atom = TheControlAtom().value;
    if (!atom || !::SetPropW(window, MAKEINTATOM(atom), this)) throw Win32Error::Last(u"SetPropW");
    try {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC)) == &TWinControl::InitWndProc)
            m_router->Subclass(window, base);
        else
            m_router->Adopt(window, base);
    } catch (...) {
        ::RemovePropW(window, MAKEINTATOM(atom));
        throw;
    }
    m_handle = window;
}

void TWinControl::DestroyWnd() {
    if (m_handle) ::DestroyWindow(m_handle);
}

void TWinControl::DestroyHandle() {
    if (!m_handle || m_destroyingHandle) return;
    m_destroyingHandle = true;
    DestroyWnd();
    m_destroyingHandle = false;
    m_handle = nullptr;  // also cleared by WM_NCDESTROY
}

void TWinControl::RecreateWnd() {
    if (!m_handle) return;
    Perform(kMsgRecreateWindow);
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::UpdateStyle(DWORD add, DWORD remove, bool extended) {
    if (!m_handle) return;
    const int index = extended ? GWL_EXSTYLE : GWL_STYLE;
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_handle, index));
    const DWORD wanted = (style & ~remove) | add;
    if (wanted == style) return;
    ::SetWindowLongPtrW(m_handle, index, static_cast<LONG_PTR>(wanted));
    ::SetWindowPos(m_handle, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinControl::SetParentWindow(HWND value) {
    if (value == m_parentWindow) return;
    m_parentWindow = value;
    if (!m_handle || Parent()) return;
    if (value) ::SetParent(m_handle, value);
    else DestroyHandle();  // a child window cannot stand alone
}

std::wstring TWinControl::WindowText() const {
    if (!m_handle) return Caption();
    std::wstring text(static_cast<size_t>(std::max(::GetWindowTextLengthW(m_handle), 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(m_handle, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::ReadCaptionFromWindow() {
    if (m_handle) m_caption = WindowText();
}

void TWinControl::DetachWindow() noexcept {
    if (m_handle) ::RemovePropW(m_handle, MAKEINTATOM(TheControlAtom().value));
    m_handle = nullptr;
}
