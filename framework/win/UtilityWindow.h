#pragma once
// A hidden message-only window for objects that need messages but no screen (timers,
// posted work). Subclassed through a thunk like every framework window; the window
// dies with the object.

#include "framework/win/Subclasser.h"

#include <functional>

#include <windows.h>

class UtilityWindow {
public:
    // Answers true and sets `result` for the messages it handles.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    // Throws Win32Error when the window cannot be made.
    explicit UtilityWindow(Handler handler);
    ~UtilityWindow();
    UtilityWindow(const UtilityWindow&) = delete;
    UtilityWindow& operator=(const UtilityWindow&) = delete;

    HWND Handle() const noexcept { return m_window; }

private:
    class Router;
    HWND m_window = nullptr;
    SubclasserPtr<Router> m_router;
};
