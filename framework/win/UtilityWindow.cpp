#include "framework/win/UtilityWindow.h"

#include "framework/win/Win32Error.h"

class UtilityWindow::Router final : public Subclasser {
public:
    explicit Router(Handler handler) : m_handler{std::move(handler)} {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (m_handler && m_handler(message, wParam, lParam, result)) return result;
        return CallPrevious(message, wParam, lParam);
    }

private:
    Handler m_handler;
};

UtilityWindow::UtilityWindow(Handler handler, const wchar_t* className, DWORD style, const wchar_t* title)
    : m_router{new Router(std::move(handler))} {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    if (!::GetClassInfoExW(wc.hInstance, className, &wc) && !::RegisterClassExW(&wc))
        throw Win32Error::Last(u"RegisterClassExW");
    HWND parent = style == 0 ? HWND_MESSAGE : nullptr;
    m_window = ::CreateWindowExW(0, className, title, style, 0, 0, 0, 0, parent, nullptr, wc.hInstance, nullptr);
    if (!m_window) throw Win32Error::Last(u"CreateWindowExW");
    try {
        m_router->Subclass(m_window);
    } catch (...) {
        ::DestroyWindow(m_window);
        throw;
    }
}

UtilityWindow::~UtilityWindow() {
    if (m_window) ::DestroyWindow(m_window);
}
