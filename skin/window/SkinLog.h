#pragma once
// One line in the debugger's log for what window skinning leaves undone and why: a
// window that stays unskinned, a control that keeps part of the skin's look.

#include <string>
#include <string_view>

#include <windows.h>

inline void SkinLog(std::wstring_view text) noexcept {
    try {
        ::OutputDebugStringW((L"Kestrelle skin: " + std::wstring(text) + L"\n").c_str());
    } catch (...) {
        ::OutputDebugStringW(L"Kestrelle skin: (a log line could not be made)\n");
    }
}
