#include "framework/win/WindowsVersion.h"

#include <windows.h>

namespace {

const ScopedWindowsVersion* s_override = nullptr;

}  // namespace

WindowsVersion WindowsVersion::Detect() noexcept {
    WindowsVersion version;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (::GetVersionExW(&info)) {
        version.major = info.dwMajorVersion;
        version.minor = info.dwMinorVersion;
        version.ntFamily = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }
    // Wine's ntdll exports its version; no Windows ntdll has this name.
    if (HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll"))
        version.wine = ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    return version;
}

WindowsVersion WindowsVersion::Current() noexcept {
    static const WindowsVersion system = Detect();
    return s_override ? s_override->m_version : system;
}

ScopedWindowsVersion::ScopedWindowsVersion(const WindowsVersion& version) noexcept
    : m_version{version}, m_outer{s_override} {
    s_override = this;
}

ScopedWindowsVersion::~ScopedWindowsVersion() { s_override = m_outer; }
