#pragma once
// Takes over the window procedure of one window, framework-owned or not, through a
// thunk of its own, so that finding the object for a message costs nothing and the
// window's GWLP_USERDATA stays its owner's. Messages the object does not handle go
// to the previous procedure.
//
// Lifetime: end an object with Release (or hold it in a SubclasserPtr). It then dies
// at once, or when the outermost dispatch of one of its messages returns, or, when
// the window was subclassed again after it, at WM_NCDESTROY.

#include <memory>

#include <windows.h>

class Subclasser {
public:
    Subclasser() noexcept = default;
    Subclasser(const Subclasser&) = delete;
    Subclasser& operator=(const Subclasser&) = delete;

    // Points `window`'s procedure at this object's thunk and remembers the old one.
    // `previous`, when given, is called for unhandled messages instead of the
    // procedure found on the window (a framework class whose first procedure only
    // attaches the object). Throws Win32Error; nothing is changed then.
    void Subclass(HWND window, WNDPROC previous = nullptr);
    // Joins `window` without touching its procedure, for a window whose class procedure
    // forwards to Procedure() itself because someone else subclassed it first. The
    // object then never restores anything and lets go at WM_NCDESTROY.
    void Adopt(HWND window, WNDPROC previous);

    // Gives the window its old procedure back if the window's procedure is still this
    // object's. If someone subclassed after us, restoring would cut them off: the
    // object then passes everything on until WM_NCDESTROY and answers false.
    bool Unsubclass() noexcept;

    HWND Handle() const noexcept { return m_window; }
    bool IsPassingThrough() const noexcept { return m_released || m_passThrough; }
    WNDPROC Previous() const noexcept { return m_previous; }
    WNDPROC Procedure() const noexcept { return m_thunk; }

    // The message to the procedure this one replaced.
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const noexcept;

    // Handles one message; the default passes it on. Public so tests and callers that
    // already hold the message can run it without the thunk.
    virtual LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    // The most recent live object on `window`, or null.
    static Subclasser* FromHandle(HWND window) noexcept;
    // The most recent live object of type T on `window`, or null.
    template <class T>
    static T* Find(HWND window) noexcept {
        for (Subclasser* s = FromHandle(window); s; s = s->NextLive())
            if (auto* t = dynamic_cast<T*>(s)) return t;
        return nullptr;
    }

    // Ends the object's life (see the header comment). Null is allowed.
    static void Release(Subclasser* self) noexcept;
    struct Deleter {
        void operator()(Subclasser* self) const noexcept { Release(self); }
    };

protected:
    virtual ~Subclasser();
    // A message threw: logged once per object, with the message number.
    virtual void ReportOnce(UINT message) noexcept;

private:
    class DispatchDepth;
    static LRESULT CALLBACK Trampoline(HWND first, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void FinishNcDestroy() noexcept;
    // Joins the window's chain with a thunk of its own; Unlink undoes it.
    void Link(HWND window, WNDPROC previous);
    void Unlink() noexcept;
    Subclasser* NextLive() const noexcept;

    HWND m_window = nullptr;
    WNDPROC m_previous = nullptr;
    WNDPROC m_thunk = nullptr;
    Subclasser* m_below = nullptr;  // the object subclassed before this one on the same window
    int m_depth = 0;
    bool m_released = false;
    bool m_passThrough = false;
    bool m_reported = false;
};

template <class T>
using SubclasserPtr = std::unique_ptr<T, Subclasser::Deleter>;
