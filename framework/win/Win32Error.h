#pragma once
// A failed Win32 call: the API's name and GetLastError() read straight after it.

#include "framework/core/Exception.h"

#include <string_view>

#include <windows.h>

class Win32Error : public Exception {
public:
    Win32Error(std::u16string_view api, DWORD code);
    // Reads GetLastError() itself; call it right after the failing API.
    static Win32Error Last(std::u16string_view api) { return Win32Error(api, ::GetLastError()); }
    DWORD Code() const noexcept { return m_code; }

private:
    DWORD m_code;
};
