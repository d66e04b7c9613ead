#include "framework/win/Subclasser.h"

#include "framework/core/FailureLog.h"
#include "framework/win/Convert.h"
#include "framework/win/Thunk.h"
#include "framework/win/Win32Error.h"

#include <cwchar>

namespace {

// The property that links a window to its objects, private to this module and process.
ATOM ChainAtom() noexcept {
    static const struct Atom {
        ATOM value;
        Atom() {
            wchar_t name[64];
            std::swprintf(name, 64, L"KestrelleSubclass%.8lX%.8lX",
                          static_cast<unsigned long>(reinterpret_cast<uintptr_t>(::GetModuleHandleW(nullptr))),
                          static_cast<unsigned long>(::GetCurrentProcessId()));
            value = ::GlobalAddAtomW(name);
        }
        ~Atom() {
            if (value) ::GlobalDeleteAtom(value);
        }
    } atom;
    return atom.value;
}

Subclasser* ChainTop(HWND window) noexcept {
    return static_cast<Subclasser*>(::GetPropW(window, MAKEINTATOM(ChainAtom())));
}

}  // namespace

// Counts nested dispatches, so that an object released by one of its own messages
// survives until the outermost one returns.
class Subclasser::DispatchDepth {
public:
    explicit DispatchDepth(Subclasser& self) noexcept : m_self{self} { ++m_self.m_depth; }
    ~DispatchDepth() {
        if (--m_self.m_depth == 0 && m_self.m_released && !m_self.m_window) delete &m_self;
    }
    DispatchDepth(const DispatchDepth&) = delete;
    DispatchDepth& operator=(const DispatchDepth&) = delete;

private:
    Subclasser& m_self;
};

Subclasser::~Subclasser() {
    // Only Release deletes, and only once the window no longer calls us.
    if (m_window) Unsubclass();
}

void Subclasser::Link(HWND window, WNDPROC previous) {
    if (m_window) throw Win32Error(u"Subclass (already subclassed)", ERROR_ALREADY_INITIALIZED);
    if (!::IsWindow(window)) throw Win32Error(u"Subclass", ERROR_INVALID_WINDOW_HANDLE);
    auto* thunk = reinterpret_cast<WNDPROC>(
        ThunkPool::Instance().Allocate(this, reinterpret_cast<const void*>(&Subclasser::Trampoline)));
    Subclasser* below = ChainTop(window);
    if (!::SetPropW(window, MAKEINTATOM(ChainAtom()), this)) {
        const auto error = Win32Error::Last(u"SetPropW");
        ThunkPool::Instance().Free(reinterpret_cast<void*>(thunk));
        throw error;
    }
    m_window = window;
    m_thunk = thunk;
    m_previous = previous;
    m_below = below;
    m_passThrough = false;
}

void Subclasser::Subclass(HWND window, WNDPROC previous) {
    Link(window, previous);
    ::SetLastError(0);
    const auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_thunk)));
    if (!old && ::GetLastError() != 0) {
        const auto error = Win32Error::Last(u"SetWindowLongPtrW");
        Unlink();
        throw error;
    }
    if (!previous) m_previous = old;
}

void Subclasser::Adopt(HWND window, WNDPROC previous) { Link(window, previous); }

bool Subclasser::Unsubclass() noexcept {
    if (!m_window) return true;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_window, GWLP_WNDPROC)) != m_thunk) {
        m_passThrough = true;
        return false;
    }
    ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    Unlink();
    return true;
}

void Subclasser::Unlink() noexcept {
    // Take this object out of the window's chain, wherever it sits in it.
    if (ChainTop(m_window) == this) {
        // Should the property keep pointing here, FromHandle would hand out this object
        // after it is gone; without it, the objects below still run through their thunks.
        if (!m_below || !::SetPropW(m_window, MAKEINTATOM(ChainAtom()), m_below))
            ::RemovePropW(m_window, MAKEINTATOM(ChainAtom()));
    } else {
        for (Subclasser* s = ChainTop(m_window); s; s = s->m_below)
            if (s->m_below == this) {
                s->m_below = m_below;
                break;
            }
    }
    ThunkPool::Instance().Free(reinterpret_cast<void*>(m_thunk));
    m_thunk = nullptr;
    m_window = nullptr;
    m_below = nullptr;
}

void Subclasser::FinishNcDestroy() noexcept {
    if (!m_window) return;
    // No message follows WM_NCDESTROY, so the slot can go even when someone above
    // us still points at it; restore the procedure only where it is ours.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_window, GWLP_WNDPROC)) == m_thunk)
        ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    Unlink();
}

LRESULT Subclasser::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
    // Never call m_previous directly: it may be a handle for ANSI/Unicode translation.
    if (!m_previous) return ::DefWindowProcW(m_window, message, wParam, lParam);
    return ::CallWindowProcW(m_previous, m_window, message, wParam, lParam);
}

LRESULT Subclasser::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallPrevious(message, wParam, lParam);
}

void Subclasser::ReportOnce(UINT message) noexcept {
    if (m_reported) return;
    m_reported = true;
    wchar_t text[96];
    std::swprintf(text, 96, L"message 0x%04X of window %p failed; passed on unhandled", message,
                  static_cast<void*>(m_window));
    LogFailure(AsUtf16(text));
}

Subclasser* Subclasser::FromHandle(HWND window) noexcept {
    Subclasser* s = window ? ChainTop(window) : nullptr;
    while (s && s->IsPassingThrough()) s = s->m_below;
    return s;
}

Subclasser* Subclasser::NextLive() const noexcept {
    Subclasser* s = m_below;
    while (s && s->IsPassingThrough()) s = s->m_below;
    return s;
}

void Subclasser::Release(Subclasser* self) noexcept {
    if (!self) return;
    self->m_released = true;
    if (self->m_window) self->Unsubclass();
    if (self->m_depth == 0 && !self->m_window) delete self;
}

LRESULT CALLBACK Subclasser::Trampoline(HWND first, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto& self = *reinterpret_cast<Subclasser*>(first);  // the slot replaced the HWND
    LRESULT result = 0;
    DispatchDepth depth{self};
    try {
        result = self.IsPassingThrough() ? self.CallPrevious(message, wParam, lParam)
                                         : self.Dispatch(message, wParam, lParam);
    } catch (...) {
        self.ReportOnce(message);
        result = self.CallPrevious(message, wParam, lParam);
    }
    // Forwarded first, so everyone below still saw a complete window.
    if (message == WM_NCDESTROY) self.FinishNcDestroy();
    return result;
}
