#include "framework/win/HookGuard.h"

#include "framework/core/FailureLog.h"
#include "framework/win/Convert.h"
#include "framework/win/Win32Error.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <optional>
#include <utility>

namespace {

constexpr std::array kKinds{WH_MSGFILTER, WH_KEYBOARD, WH_GETMESSAGE,    WH_CALLWNDPROC,
                            WH_CBT,       WH_MOUSE,    WH_CALLWNDPROCRET};

std::optional<size_t> KindIndex(int kind) noexcept {
    const auto found = std::find(kKinds.begin(), kKinds.end(), kind);
    if (found == kKinds.end()) return std::nullopt;
    return static_cast<size_t>(found - kKinds.begin());
}

// Hooks belong to the thread that installed them, and only that thread runs them.
struct ThreadHooks {
    std::array<std::array<HookGuard*, HookGuard::kPerKind>, kKinds.size()> guards{};
    unsigned long installed = 0;
};
thread_local ThreadHooks t_hooks;

}  // namespace

struct HookGuard::Procedures {
    using Table = std::array<std::array<HOOKPROC, kPerKind>, kKinds.size()>;
    template <size_t Kind, size_t... Slot>
    static constexpr std::array<HOOKPROC, kPerKind> Row(std::index_sequence<Slot...>) {
        return {&Procedure<Kind, Slot>...};
    }
    template <size_t... Kind>
    static constexpr Table All(std::index_sequence<Kind...>) {
        return {Row<Kind>(std::make_index_sequence<kPerKind>())...};
    }
    static const Table kTable;
};
constinit const HookGuard::Procedures::Table HookGuard::Procedures::kTable =
    All(std::make_index_sequence<kKinds.size()>());

template <size_t KindIndex, size_t Slot>
LRESULT CALLBACK HookGuard::Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (HookGuard* guard = t_hooks.guards[KindIndex][Slot]) return guard->Run(code, wParam, lParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT HookGuard::Next::operator()() const noexcept {
    if (!m_called) {
        m_called = true;
        m_answer = ::CallNextHookEx(m_hook, m_code, m_wParam, m_lParam);
    }
    return m_answer;
}

HookGuard::HookGuard(int kind, Handler handler)
    : HookGuard(kind, Filter{[handler = std::move(handler)](int code, WPARAM wParam, LPARAM lParam, const Next& next) {
          if (handler) handler(code, wParam, lParam);
          return next();
      }}) {}

HookGuard::HookGuard(int kind, Filter filter) : m_kind{kind}, m_filter{std::move(filter)} {
    const auto kindIndex = KindIndex(kind);
    if (!kindIndex) throw Exception(u"Unsupported hook kind");
    auto& row = t_hooks.guards[*kindIndex];
    const auto free = std::find(row.begin(), row.end(), nullptr);
    if (free == row.end()) throw Exception(u"This thread holds as many hooks of this kind as it can");
    m_kindIndex = *kindIndex;
    m_slot = static_cast<size_t>(free - row.begin());
    m_order = ++t_hooks.installed;
    // Registered before the hook exists, so that no early call finds an empty slot.
    *free = this;
    m_hook = ::SetWindowsHookExW(kind, Procedures::kTable[m_kindIndex][m_slot], nullptr, ::GetCurrentThreadId());
    if (!m_hook) {
        const auto error = Win32Error::Last(u"SetWindowsHookExW");
        *free = nullptr;
        throw error;
    }
}

HookGuard::~HookGuard() {
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    HookGuard*& slot = t_hooks.guards[m_kindIndex][m_slot];
    if (slot == this) slot = nullptr;
}

HookGuard* HookGuard::Current(int kind) noexcept {
    const auto kindIndex = KindIndex(kind);
    if (!kindIndex) return nullptr;
    HookGuard* newest = nullptr;
    for (HookGuard* guard : t_hooks.guards[*kindIndex])
        if (guard && (!newest || guard->m_order > newest->m_order)) newest = guard;
    return newest;
}

LRESULT HookGuard::Run(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const Next next{m_hook, code, wParam, lParam};
    if (code < 0 || !m_filter) return next();  // negative codes must go straight on, unprocessed
    try {
        return m_filter(code, wParam, lParam, next);
    } catch (...) {
        ReportOnce(code);
    }
    return next();
}

void HookGuard::ReportOnce(int code) noexcept {
    if (m_reported) return;
    m_reported = true;
    wchar_t text[80];
    std::swprintf(text, 80, L"hook %d handler failed on code %d", m_kind, code);
    LogFailure(AsUtf16(text));
}
