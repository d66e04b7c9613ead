#include "framework/WinControl.h"

#include "framework/AlignLayout.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "framework/win/DibSection.h"
#include "framework/win/Win32Error.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <mutex>

#include <windowsx.h>

namespace {

// The window a control is being created for, until its first message arrives.
struct Creating {
    TWinControl* control = nullptr;
    WNDPROC base = nullptr;
};
thread_local Creating t_creating;

// The control under the mouse, and the windowless control that holds the mouse while
// a button is down; per thread, as input is.
thread_local TControl* t_mouseControl = nullptr;
thread_local TControl* t_captureControl = nullptr;

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

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

bool AnyButtonHeld() {
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

// The press a double click stands for, for controls that do not take double clicks.
UINT AsPress(UINT message) {
    switch (message) {
    case WM_LBUTTONDBLCLK: return WM_LBUTTONDOWN;
    case WM_RBUTTONDBLCLK: return WM_RBUTTONDOWN;
    case WM_MBUTTONDBLCLK: return WM_MBUTTONDOWN;
    default: return message;
    }
}

}  // namespace

// Routes the window's messages into the control's WindowProc.
class TWinControl::Router final : public Subclasser {
public:
    explicit Router(TWinControl& control) noexcept : m_control{&control} {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        TMessage m{message, wParam, lParam, 0};
        m_control->MainWndProc(m);
        return m.Result;
    }

private:
    TWinControl* m_control;
};

std::wstring TWinControl::ControlAtomName() { return TheControlAtom().name; }

TWinControl* TWinControl::FindControl(HWND window) noexcept {
    if (!window) return nullptr;
    const ATOM atom = TheControlAtom().value;
    return atom ? static_cast<TWinControl*>(::GetPropW(window, MAKEINTATOM(atom))) : nullptr;
}

TWinControl::TWinControl() : m_router{new Router(*this)} {
    SetControlStyle(ControlStyle::ClickEvents | ControlStyle::CaptureMouse | ControlStyle::DoubleClicks);
}

TWinControl::~TWinControl() {
    // Leave the parent while this is still a window control to it (tab order, window).
    if (Parent()) Parent()->RemoveControl(*this);
    // Children outliving their parent are left without one; their windows die with ours.
    for (TControl* child : m_controls) child->m_parent = nullptr;
    m_controls.clear();
    m_tabList.clear();
    DestroyHandle();
    ForgetControl(*this);
}

// ---- the window ----------------------------------------------------------------

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
    params.parent = Parent() ? Parent()->Handle() : nullptr;
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
    const HMENU id = (params.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextChildId())) : nullptr;
    t_creating = {this, base};
    HWND window = ::CreateWindowExW(params.exStyle, params.className.c_str(), params.caption.c_str(), params.style,
                                    params.x, params.y, params.width, params.height, params.parent, id,
                                    ::GetModuleHandleW(nullptr), nullptr);
    const DWORD error = ::GetLastError();
    t_creating = {};
    if (!window) {
        m_handle = nullptr;
        throw Win32Error(u"CreateWindowExW", error);
    }
}

LRESULT CALLBACK TWinControl::InitWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (TWinControl* control = t_creating.control) {
            t_creating.control = nullptr;
            control->AttachWindow(window, t_creating.base);
        }
        // Normally the window's procedure is our thunk from here on; this path is for a
        // window someone subclassed before its first message reached us.
        if (auto* router = Subclasser::Find<Router>(window))
            return ::CallWindowProcW(router->Procedure(), window, message, wParam, lParam);
    } catch (...) {
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void TWinControl::AttachWindow(HWND window, WNDPROC base) {
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC)) == &TWinControl::InitWndProc)
        m_router->Subclass(window, base);
    else
        m_router->Adopt(window, base);
    m_handle = window;
    ::SetPropW(window, MAKEINTATOM(TheControlAtom().value), this);
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

HBRUSH TWinControl::Brush() {
    if (!m_brush) m_brush = BrushHandle{::CreateSolidBrush(ColorToRGB(Color()))};
    return m_brush.Get();
}

// ---- children --------------------------------------------------------------------

TControl* TWinControl::Controls(int index) const noexcept {
    if (index < 0 || index >= ControlCount()) return nullptr;
    return m_controls[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const noexcept {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

bool TWinControl::HasWindowlessChildren() const noexcept {
    return std::any_of(m_controls.begin(), m_controls.end(), [](const TControl* c) { return !c->Is<TWinControl>(); });
}

TControl* TWinControl::ControlAtPos(core::Point p, bool allowDisabled) const noexcept {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* c = *it;
        if (c->Is<TWinControl>() || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
        if (c->BoundsRect().Contains(p)) return c;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl& control) {
    m_controls.push_back(&control);
    if (auto* w = As<TWinControl>(&control)) {
        m_tabList.push_back(w);
        if (m_handle && !IsLoading() && !control.IsLoading()) w->HandleNeeded();
    } else {
        control.Invalidate();
    }
}

void TWinControl::RemoveControl(TControl& control) {
    if (std::find(m_controls.begin(), m_controls.end(), &control) == m_controls.end()) return;
    if (auto* w = As<TWinControl>(&control)) {
        std::erase(m_tabList, w);
        w->DestroyHandle();
    } else if (m_handle && control.Visible()) {
        const core::Rect b = control.BoundsRect();
        const RECT r{b.left, b.top, b.right, b.bottom};
        ::InvalidateRect(m_handle, &r, TRUE);
    }
    std::erase(m_controls, &control);
    control.m_parent = nullptr;
    ForgetControl(control);
    if (TCustomForm* form = GetParentForm(*this)) form->ControlRemoved(control);
    if (control.Align() != TAlign::alNone && !IsDestroying()) Realign();
}

int TWinControl::TabOrder() const noexcept {
    if (!Parent()) return -1;
    const auto& list = Parent()->m_tabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (IsLoading()) {
        // Siblings read later are not there yet; placed once the layout is read.
        m_pendingTabOrder = value;
        return;
    }
    if (!Parent()) return;
    auto& list = Parent()->m_tabList;
    std::erase(list, this);
    const size_t at = static_cast<size_t>(std::clamp(value, 0, static_cast<int>(list.size())));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
}

void TWinControl::SetTabStop(bool value) {
    if (value == m_tabStop) return;
    m_tabStop = value;
    if (value)
        UpdateStyle(WS_TABSTOP, 0, false);
    else
        UpdateStyle(0, WS_TABSTOP, false);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : m_tabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const noexcept {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const noexcept { return m_handle && ::GetFocus() == m_handle; }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const auto count = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start >= count) start = forward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        const int i = ((forward ? start + step : start - step) % count + count) % count;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop())) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        c->m_windowProc(message);
        if (message.Result != 0) return;
    }
}

// ---- alignment -------------------------------------------------------------------

void TWinControl::EnableAlign() {
    if (m_alignDisabled > 0 && --m_alignDisabled == 0 && m_alignPending) Realign();
}

void TWinControl::Realign() {
    if (m_aligning) return;
    if (m_alignDisabled > 0 || IsLoading()) {
        m_alignPending = true;
        return;
    }
    m_alignPending = false;
    AlignChildren();
}

void TWinControl::AlignChildren() {
    std::vector<TControl*> aligned;
    std::vector<AlignItem> items;
    for (TControl* c : m_controls)
        if (c->Align() != TAlign::alNone) {
            aligned.push_back(c);
            items.push_back({c->Align(), c->BoundsRect(), c->Visible()});
        }
    if (aligned.empty()) return;
    ++m_aligning;
    try {
        AlignItems(items, AdjustClientRect(ClientRect()));
        for (size_t i = 0; i < aligned.size(); ++i) {
            const core::Rect& r = items[i].bounds;
            if (r != aligned[i]->BoundsRect()) aligned[i]->SetBounds(r.left, r.top, r.Width(), r.Height());
        }
    } catch (...) {
        --m_aligning;
        throw;
    }
    --m_aligning;
}

// ---- bounds, looks -----------------------------------------------------------------

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    if (m_handle) {
        // The window reports its new bounds back through WM_WINDOWPOSCHANGED.
        ::SetWindowPos(m_handle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        if (::IsIconic(m_handle)) UpdateBoundsFields(left, top, width, height);
    } else {
        UpdateBoundsFields(left, top, width, height);
    }
    RequestRealign();
}

void TWinControl::ReadBoundsFromWindow() {
    RECT r{};
    if (!m_handle || !::GetWindowRect(m_handle, &r)) return;
    if (::GetWindowLongPtrW(m_handle, GWL_STYLE) & WS_CHILD)
        ::MapWindowPoints(HWND_DESKTOP, ::GetParent(m_handle), reinterpret_cast<POINT*>(&r), 2);
    UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TWinControl::BoundsChanged(bool sizeChanged) {
    if (sizeChanged) Realign();
    TControl::BoundsChanged(sizeChanged);
}

core::Rect TWinControl::ClientRect() const {
    RECT r{};
    if (m_handle && ::GetClientRect(m_handle, &r)) return {r.left, r.top, r.right, r.bottom};
    return TControl::ClientRect();
}

core::Point TWinControl::ClientToScreen(core::Point p) const {
    if (!m_handle) return TControl::ClientToScreen(p);
    POINT point{p.x, p.y};
    ::ClientToScreen(m_handle, &point);
    return {point.x, point.y};
}

bool TWinControl::Showing() const noexcept { return m_handle && ::IsWindowVisible(m_handle); }

void TWinControl::SetVisible(bool value) {
    if (value == Visible()) return;
    TControl::SetVisible(value);
    if (m_handle) ::ShowWindow(m_handle, value ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetEnabled(bool value) {
    if (value == Enabled()) return;
    if (m_handle) ::EnableWindow(m_handle, value);
    TControl::SetEnabled(value);
}

void TWinControl::Invalidate() {
    if (m_handle) ::InvalidateRect(m_handle, nullptr, TRUE);
}

void TWinControl::Update() {
    if (m_handle) ::UpdateWindow(m_handle);
}

void TWinControl::CaptionChanged() {
    if (m_handle) ::SetWindowTextW(m_handle, Caption().c_str());
    Invalidate();
}

void TWinControl::ColorChanged() {
    m_brush = BrushHandle{};
    for (TControl* c : m_controls)
        if (c->ParentColor()) {
            c->m_color = Color();
            c->ColorChanged();
            c->Invalidate();
        }
    TControl::ColorChanged();
}

void TWinControl::FontChanged() {
    if (m_handle) ::SendMessageW(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    for (TControl* c : m_controls)
        if (c->ParentFont()) c->InheritFont(Font());
    TControl::FontChanged();
}

void TWinControl::BiDiModeChanged() {
    DWORD add = 0;
    if (UseRightToLeftReading()) add |= WS_EX_RTLREADING;
    if (UseRightToLeftAlignment()) add |= WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    UpdateStyle(add, (WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR) & ~add, true);
}

void TWinControl::ParentChanged() {
    TControl::ParentChanged();
    for (TControl* c : m_controls) c->ParentChanged();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (m_pendingTabOrder >= 0) {
        const int order = std::exchange(m_pendingTabOrder, -1);
        SetTabOrder(order);
    }
    Realign();
}

void TWinControl::Publish(TPublisher<TWinControl>& p) {
    p.Integer(u"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Stored([](const TObject& o) { return static_cast<const TWinControl&>(o).Parent() != nullptr; });
    p.Bool(u"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
}

DibSection* TWinControl::PaintBuffer() noexcept { return Parent() ? Parent()->PaintBuffer() : nullptr; }

// ---- messages ----------------------------------------------------------------------

void TWinControl::MainWndProc(TMessage& message) noexcept {
    try {
        WindowProc()(message);
    } catch (...) {
        // No exception may unwind into user32: the standard handler reports it.
        HandleApplicationException(this);
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!m_handle) return;
    // The framework's own notifications mean nothing to the window's procedure.
    if (message.Msg >= 0xB000 && message.Msg <= 0xBFFF) return;
    message.Result = m_router->CallPrevious(message.Msg, message.WParam, message.LParam);
}

void TWinControl::TrackMouseControl(TControl* target) {
    if (t_mouseControl == target) return;
    TControl* old = t_mouseControl;
    t_mouseControl = target;
    if (Application) Application->HintControlChanged(target);
    if (old) old->Perform(kMsgMouseLeave, 0, reinterpret_cast<LPARAM>(old));
    if (target && t_mouseControl == target) target->Perform(kMsgMouseEnter, 0, reinterpret_cast<LPARAM>(target));
}

void TWinControl::ForgetControl(const TControl& control) noexcept {
    if (t_mouseControl == &control) t_mouseControl = nullptr;
    if (t_captureControl == &control) t_captureControl = nullptr;
    if (Application) Application->ControlGone(control);
}

bool TWinControl::RouteMouse(TMessage& message) {
    const core::Point p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (message.Msg == WM_MOUSEMOVE) {
        RECT client{};
        ::GetClientRect(m_handle, &client);
        TControl* under = nullptr;
        if (::PtInRect(&client, POINT{p.x, p.y})) {
            under = ControlAtPos(p, true);
            if (!under) under = this;
        }
        TrackMouseControl(under);
        if (!m_trackingLeave && m_handle) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_handle, 0};
            m_trackingLeave = ::TrackMouseEvent(&track) != FALSE;
        }
    }

    // A press puts any hint away.
    if (IsButtonDown(message.Msg) && Application) Application->CancelHint();
    TControl* target = (t_captureControl && t_captureControl->Parent() == this) ? t_captureControl : ControlAtPos(p);
    if (!target) return false;
    TMessage forwarded = message;
    if (!Has(target->Style(), ControlStyle::DoubleClicks)) forwarded.Msg = AsPress(message.Msg);
    forwarded.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    if (IsButtonDown(message.Msg) && !t_captureControl && Has(target->Style(), ControlStyle::CaptureMouse)) {
        t_captureControl = target;
        ::SetCapture(m_handle);
    }
    const bool release = IsButtonUp(message.Msg);
    target->m_windowProc(forwarded);
    message.Result = forwarded.Result;
    if (release && t_captureControl == target && !AnyButtonHeld()) {
        t_captureControl = nullptr;
        if (::GetCapture() == m_handle) ::ReleaseCapture();
    }
    return true;
}

bool TWinControl::ReflectToChild(TMessage& message) {
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: child = reinterpret_cast<HWND>(message.LParam); break;
    case WM_NOTIFY:
        if (message.LParam) child = reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (item && item->CtlType != ODT_MENU) child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
        if (item && item->CtlType != ODT_MENU) child = ::GetDlgItem(m_handle, static_cast<int>(item->CtlID));
        break;
    }
    case WM_DELETEITEM: {
        const auto* item = reinterpret_cast<const DELETEITEMSTRUCT*>(message.LParam);
        if (item) child = item->hwndItem;
        break;
    }
    default: return false;
    }
    TWinControl* control = FindControl(child);
    if (!control || control == this) return false;
    message.Result = control->Perform(kMsgReflectBase + message.Msg, message.WParam, message.LParam);
    return true;
}

void TWinControl::PaintWindow(HDC dc) {
    if (!m_hasBaseClass) return;
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(paint);
}

void TWinControl::PaintControls(HDC dc, const RECT& area) noexcept {
    for (TControl* c : std::vector<TControl*>(m_controls)) {
        if (c->Is<TWinControl>() || !c->Visible()) continue;
        const core::Rect b = c->BoundsRect();
        RECT bounds{b.left, b.top, b.right, b.bottom};
        RECT overlap{};
        if (!::IntersectRect(&overlap, &bounds, &area)) continue;
        SavedDc keep{dc};
        ::OffsetViewportOrgEx(dc, b.left, b.top, nullptr);
        ::IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
        try {
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        } catch (...) {
            // A fault in one control's drawing leaves that control unpainted, nothing more.
        }
    }
}

void TWinControl::PaintInto(HDC dc, const RECT& area, bool erase) {
    if (erase) ::FillRect(dc, &area, Brush());
    PaintWindow(dc);
    PaintControls(dc, area);
}

void TWinControl::PaintHandler(TMessage& message) {
    // Erasing was skipped for a double-buffered window: it must come through here.
    DibSection* buffer = m_doubleBuffered ? PaintBuffer() : nullptr;
    if (auto* given = reinterpret_cast<HDC>(message.WParam)) {
        RECT area{};
        if (::GetClipBox(given, &area) == ERROR) ::GetClientRect(m_handle, &area);
        PaintInto(given, area, buffer && !PaintsItself());
        return;
    }
    if (!PaintsItself() && !HasWindowlessChildren() && !buffer) {
        DefaultHandler(message);
        return;
    }
    PaintScope scope{m_handle};
    const RECT area = scope.Area();
    RECT client{};
    ::GetClientRect(m_handle, &client);
    if (buffer && !::IsRectEmpty(&area) && buffer->EnsureSize(client.right, client.bottom)) {
        HDC memory = buffer->Dc();
        {
            SavedDc keep{memory};
            ::IntersectClipRect(memory, area.left, area.top, area.right, area.bottom);
            // Erasing was skipped for double-buffered windows; it happens in the buffer.
            PaintInto(memory, area, !PaintsItself());
        }
        ::BitBlt(scope.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left,
                 area.top, SRCCOPY);
    } else {
        PaintInto(scope.Dc(), area, buffer && !PaintsItself());
    }
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        PaintHandler(message);
        return;
    case WM_PRINTCLIENT: {
        // The same painting into the caller's DC (PrintWindow, animations, captures).
        auto* dc = reinterpret_cast<HDC>(message.WParam);
        RECT client{};
        ::GetClientRect(m_handle, &client);
        if (message.LParam & PRF_ERASEBKGND) ::FillRect(dc, &client, Brush());
        if (m_hasBaseClass && !PaintsItself())
            DefaultHandler(message);
        else
            PaintWindow(dc);
        PaintControls(dc, client);
        return;
    }
    case WM_ERASEBKGND: {
        if (m_doubleBuffered && PaintBuffer()) {
            message.Result = 1;
            return;
        }
        RECT client{};
        ::GetClientRect(m_handle, &client);
        ::FillRect(reinterpret_cast<HDC>(message.WParam), &client, Brush());
        message.Result = 1;
        return;
    }
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        if (!::IsIconic(m_handle)) ReadBoundsFromWindow();
        return;
    case WM_SETTEXT:
        DefaultHandler(message);
        if (message.Result && message.LParam) {
            // Someone set the window text directly; the caption follows, without a round trip.
            m_caption = reinterpret_cast<const wchar_t*>(message.LParam);
        }
        return;
    case WM_SETCURSOR:
        if (LOWORD(message.LParam) == HTCLIENT && reinterpret_cast<HWND>(message.WParam) == m_handle) {
            TCursor cursor = Screen ? Screen->Cursor() : crDefault;
            if (cursor == crDefault) {
                POINT p{};
                ::GetCursorPos(&p);
                ::ScreenToClient(m_handle, &p);
                TControl* under = ControlAtPos({p.x, p.y}, true);
                cursor = under ? under->Cursor() : crDefault;
                if (cursor == crDefault) cursor = Cursor();
            }
            if (cursor != crDefault) {
                ::SetCursor(CursorHandle(cursor));
                message.Result = TRUE;
                return;
            }
        }
        DefaultHandler(message);
        return;
    case WM_MOUSELEAVE:
        m_trackingLeave = false;
        if (t_mouseControl &&
            (t_mouseControl == this || (t_mouseControl->Parent() == this && !t_mouseControl->Is<TWinControl>())))
            TrackMouseControl(nullptr);
        DefaultHandler(message);
        return;
    case WM_CAPTURECHANGED:
        if (t_captureControl && t_captureControl->Parent() == this &&
            reinterpret_cast<HWND>(message.LParam) != m_handle) {
            TControl* lost = std::exchange(t_captureControl, nullptr);
            lost->Perform(WM_CAPTURECHANGED, message.WParam, message.LParam);
        }
        TControl::WndProc(message);
        return;
    case WM_SETFOCUS: {
        DefaultHandler(message);
        TWinControl* top = this;
        while (top->Parent()) top = top->Parent();
        top->Perform(kMsgFocusChanged, 0, reinterpret_cast<LPARAM>(this));
        return;
    }
    case WM_KILLFOCUS:
        DefaultHandler(message);
        Perform(kMsgExit);
        return;
    case kMsgFocusChanged:
        Broadcast(message);
        message.Result = 0;
        return;
    case WM_NCDESTROY:
        DefaultHandler(message);
        if (m_handle) ::RemovePropW(m_handle, MAKEINTATOM(TheControlAtom().value));
        m_handle = nullptr;
        m_trackingLeave = false;
        ForgetControl(*this);
        if (t_captureControl && t_captureControl->Parent() == this) t_captureControl = nullptr;
        return;
    default: break;
    }

    if (message.Msg >= kMsgReflectBase + WM_CTLCOLORMSGBOX && message.Msg <= kMsgReflectBase + WM_CTLCOLORSTATIC) {
        auto* dc = reinterpret_cast<HDC>(message.WParam);
        ::SetTextColor(dc, ColorToRGB(Font().Color()));
        ::SetBkColor(dc, ColorToRGB(Color()));
        message.Result = reinterpret_cast<LRESULT>(Brush());
        return;
    }
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MBUTTONDBLCLK) {
        if (m_handle && RouteMouse(message)) return;
        TControl::WndProc(message);
        return;
    }
    if (ReflectToChild(message)) return;
    TControl::WndProc(message);
}

TCustomForm* GetParentForm(const TControl& control) noexcept {
    const TControl* c = &control;
    while (c->Parent()) c = c->Parent();
    return const_cast<TCustomForm*>(As<TCustomForm>(c));
}
