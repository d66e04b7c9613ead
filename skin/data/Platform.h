#pragma once
// Which platform the program runs on, for the few drawing calls that differ.

#include <windows.h>

// The NT family (NT, 2000, XP and later) clears the top bit of GetVersion; the older
// family sets it and lacks masked transfers and some wide text calls.
inline bool OnNtPlatform() noexcept { return (::GetVersion() & 0x80000000u) == 0; }

// WINE: Wine's ntdll exports wine_get_version. Wine builds some GDI calls (MaskBlt) out
// of temporary bitmaps and slow raster operations; callers pick cheaper equivalents there.
inline bool UnderWine() noexcept {
    static const bool wine = [] {
        const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}
