#pragma once
// Owns one thread hook (SetWindowsHookExW for the calling thread only) and removes it
// when it dies. At most one guard per hook kind and thread: a second one is a bug and
// throws. The handler watches; it cannot block the event, and the next hook always
// runs, its answer being returned.

#include <functional>

#include <windows.h>

class HookGuard {
public:
    // code, wParam, lParam as the hook kind defines them.
    using Handler = std::function<void(int code, WPARAM wParam, LPARAM lParam)>;

    // kind: WH_CBT, WH_GETMESSAGE, WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_MSGFILTER,
    // WH_KEYBOARD or WH_MOUSE. Throws Win32Error or Exception.
    HookGuard(int kind, Handler handler);
    ~HookGuard();
    HookGuard(const HookGuard&) = delete;
    HookGuard& operator=(const HookGuard&) = delete;

    int Kind() const noexcept { return m_kind; }
    HHOOK Handle() const noexcept { return m_hook; }
    // The guard of this kind on the calling thread, or null.
    static HookGuard* Current(int kind) noexcept;

private:
    template <int Kind>
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void Notify(int code, WPARAM wParam, LPARAM lParam) noexcept;

    int m_kind;
    Handler m_handler;
    HHOOK m_hook = nullptr;
    bool m_reported = false;
};
