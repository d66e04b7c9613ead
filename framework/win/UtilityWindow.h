#pragma once
// A hidden window for objects that need messages but no screen (timers, posted work,
// the application's own window). Message-only unless a top-level style is asked for.
// Subclassed through a thunk like every framework window; the window dies with the
// object.

#include "framework/win/Subclasser.h"

#include <functional>

#include <windows.h>

class UtilityWindow {
public:
    // Answers true and sets `result` for the messages it handles.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    // Throws Win32Error when the window cannot be made. `className` is registered
    // with the default procedure if it is not yet; a `style` without WS_CHILD makes a
    // hidden top-level window instead of a message-only one.
    explicit UtilityWindow(Handler handler, const wchar_t* className = L"KestrelleUtilityWindow",
                           DWORD style = 0, const wchar_t* title = L"");
    ~UtilityWindow();
    UtilityWindow(const UtilityWindow&) = delete;
    UtilityWindow& operator=(const UtilityWindow&) = delete;

    HWND Handle() const noexcept { return m_window; }

private:
    class Router;
    HWND m_window = nullptr;
    SubclasserPtr<Router> m_router;
};
