#include "framework/win/User32Functions.h"

namespace {

class User32Library {
public:
    User32Library() noexcept : m_module{::LoadLibraryW(L"user32.dll")} {
        if (!m_module) return;
        m_functions.getScrollBarInfo = Lookup<User32Functions::GetScrollBarInfoFn>("GetScrollBarInfo");
        m_functions.trackMouseEvent = Lookup<User32Functions::TrackMouseEventFn>("TrackMouseEvent");
        m_functions.getComboBoxInfo = Lookup<User32Functions::GetComboBoxInfoFn>("GetComboBoxInfo");
        m_functions.disableProcessWindowsGhosting =
            Lookup<User32Functions::DisableProcessWindowsGhostingFn>("DisableProcessWindowsGhosting");
    }
    ~User32Library() {
        if (m_module) ::FreeLibrary(m_module);
    }
    User32Library(const User32Library&) = delete;
    User32Library& operator=(const User32Library&) = delete;

    User32Functions& Functions() noexcept { return m_functions; }

private:
    // GetProcAddress hands out an untyped pointer; void (*)() is the neutral function
    // type to pass through on the way to the function's own type.
    template <class Fn>
    Fn Lookup(const char* name) const noexcept {
        return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(m_module, name)));
    }

    HMODULE m_module;
    User32Functions m_functions;
};

}  // namespace

User32Functions& PlatformUser32() noexcept {
    static User32Library library;
    return library.Functions();
}

bool SkinGetScrollBarInfo(HWND window, LONG object, SCROLLBARINFO& info) noexcept {
    const auto call = PlatformUser32().getScrollBarInfo;
    if (!call) return false;
    info.cbSize = sizeof info;
    return call(window, object, &info) != FALSE;
}

bool SkinGetComboBoxInfo(HWND combo, COMBOBOXINFO& info) noexcept {
    const auto call = PlatformUser32().getComboBoxInfo;
    if (!call) return false;
    info.cbSize = sizeof info;
    return call(combo, &info) != FALSE;
}

void DisableGhosting() noexcept {
    if (const auto call = PlatformUser32().disableProcessWindowsGhosting) call();
}
