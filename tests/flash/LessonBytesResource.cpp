#include "tests/flash/LessonBytes.h"

#include <windows.h>

std::vector<uint8_t> LessonBytes(char letter) {
    const wchar_t name[2] = {static_cast<wchar_t>(letter), 0};
    const HRSRC found = ::FindResourceW(nullptr, name, L"EXECUTABLE");
    if (!found) return {};
    const auto* data = static_cast<const uint8_t*>(::LockResource(::LoadResource(nullptr, found)));
    return {data, data + ::SizeofResource(nullptr, found)};
}
