#pragma once
// Owns one thread hook (SetWindowsHookExW for the calling thread only) and removes it
// when it dies. A thread may hold several guards of one kind (up to kPerKind); Windows
// runs the newest first, and each passes the event on to the ones installed before it.
//
// A guard either watches (Handler: it runs, then the next hooks run and their answer is
// the event's) or filters (Filter: it gets the event and a Next it may call when it
// likes, before deciding the answer itself; it may change the event before calling
// Next, as the event's structures allow, or keep the event from the older hooks by not
// calling it). Negative codes go straight on, unseen. A handler that throws is logged
// once per guard and the event goes on as if it had not been there. A guard must not be
// destroyed from inside its own handler.

#include <cstddef>
#include <functional>

#include <windows.h>

class HookGuard {
public:
    static constexpr size_t kPerKind = 8;

    // Runs the hooks installed before this one, once; later calls answer the same.
    class Next {
    public:
        Next(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) noexcept
            : m_hook{hook}, m_code{code}, m_wParam{wParam}, m_lParam{lParam} {}
        Next(const Next&) = delete;
        Next& operator=(const Next&) = delete;
        LRESULT operator()() const noexcept;

    private:
        HHOOK m_hook;
        int m_code;
        WPARAM m_wParam;
        LPARAM m_lParam;
        mutable LRESULT m_answer = 0;
        mutable bool m_called = false;
    };

    // code, wParam, lParam as the hook kind defines them.
    using Handler = std::function<void(int code, WPARAM wParam, LPARAM lParam)>;
    using Filter = std::function<LRESULT(int code, WPARAM wParam, LPARAM lParam, const Next& next)>;

    // kind: WH_CBT, WH_GETMESSAGE, WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_MSGFILTER,
    // WH_KEYBOARD or WH_MOUSE. Throws Win32Error, or Exception for another kind or when
    // the thread already holds kPerKind guards of this kind.
    HookGuard(int kind, Handler handler);
    HookGuard(int kind, Filter filter);
    ~HookGuard();
    HookGuard(const HookGuard&) = delete;
    HookGuard& operator=(const HookGuard&) = delete;

    int Kind() const noexcept { return m_kind; }
    HHOOK Handle() const noexcept { return m_hook; }
    // The newest guard of this kind on the calling thread, or null.
    static HookGuard* Current(int kind) noexcept;

private:
    // One procedure per kind and slot, so that each knows its guard.
    template <size_t KindIndex, size_t Slot>
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept;
    struct Procedures;
    LRESULT Run(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void ReportOnce(int code) noexcept;

    int m_kind;
    size_t m_kindIndex = 0;
    size_t m_slot = 0;
    unsigned long m_order = 0;
    Filter m_filter;
    HHOOK m_hook = nullptr;
    bool m_reported = false;
};
