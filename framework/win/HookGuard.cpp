#include "framework/win/HookGuard.h"

#include "framework/win/Win32Error.h"

#include <array>
#include <cwchar>

namespace {

constexpr int kMinKind = WH_MSGFILTER;  // -1
constexpr int kMaxKind = WH_MOUSE_LL;   // 14
thread_local std::array<HookGuard*, kMaxKind - kMinKind + 1> t_guards{};

HookGuard*& Slot(int kind) { return t_guards[static_cast<size_t>(kind - kMinKind)]; }

}  // namespace

template <int Kind>
LRESULT CALLBACK HookGuard::Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept {
    HookGuard* guard = Slot(Kind);
    // Negative codes must go straight on, unprocessed.
    if (guard && code >= 0) guard->Notify(code, wParam, lParam);
    return ::CallNextHookEx(guard ? guard->m_hook : nullptr, code, wParam, lParam);
}

HookGuard::HookGuard(int kind, Handler handler) : m_kind{kind}, m_handler{std::move(handler)} {
    HOOKPROC procedure = nullptr;
    switch (kind) {
    case WH_CBT: procedure = &Procedure<WH_CBT>; break;
    case WH_GETMESSAGE: procedure = &Procedure<WH_GETMESSAGE>; break;
    case WH_CALLWNDPROC: procedure = &Procedure<WH_CALLWNDPROC>; break;
    case WH_CALLWNDPROCRET: procedure = &Procedure<WH_CALLWNDPROCRET>; break;
    case WH_MSGFILTER: procedure = &Procedure<WH_MSGFILTER>; break;
    case WH_KEYBOARD: procedure = &Procedure<WH_KEYBOARD>; break;
    case WH_MOUSE: procedure = &Procedure<WH_MOUSE>; break;
    default: throw Exception(u"Unsupported hook kind");
    }
    if (Slot(kind)) throw Exception(u"This thread already has a hook of this kind");
    // Registered before the hook exists, so that no early call finds an empty slot.
    Slot(kind) = this;
    m_hook = ::SetWindowsHookExW(kind, procedure, nullptr, ::GetCurrentThreadId());
    if (!m_hook) {
        const auto error = Win32Error::Last(u"SetWindowsHookExW");
        Slot(kind) = nullptr;
        throw error;
    }
}

HookGuard::~HookGuard() {
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    if (Slot(m_kind) == this) Slot(m_kind) = nullptr;
}

HookGuard* HookGuard::Current(int kind) noexcept {
    if (kind < kMinKind || kind > kMaxKind) return nullptr;
    return Slot(kind);
}

void HookGuard::Notify(int code, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (m_handler) m_handler(code, wParam, lParam);
    } catch (...) {
        if (!m_reported) {
            m_reported = true;
            wchar_t text[80];
            std::swprintf(text, 80, L"Kestrelle: hook %d handler failed on code %d\n", m_kind, code);
            ::OutputDebugStringW(text);
        }
    }
}
