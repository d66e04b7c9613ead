#include "framework/win/Win32Error.h"

#include <string>

namespace {
std::u16string Describe(std::u16string_view api, DWORD code) {
    std::u16string text(api);
    text += u" failed with error ";
    for (char c : std::to_string(code)) text += static_cast<char16_t>(c);
    return text;
}
}  // namespace

Win32Error::Win32Error(std::u16string_view api, DWORD code) : Exception(Describe(api, code)), m_code(code) {}
