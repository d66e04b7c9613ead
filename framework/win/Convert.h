#pragma once
// Conversions where platform-neutral types meet Win32 ones. wchar_t is 2 bytes on
// Windows, so UTF-16 text crosses unchanged.

#include <string>
#include <string_view>

#include <windows.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}
