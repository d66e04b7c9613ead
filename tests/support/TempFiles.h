#pragma once
// Files a test makes in the temporary folder; each test deletes its own.

#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include <windows.h>

// The path of `name` in the temporary folder.
inline std::wstring TempFile(std::wstring_view name) {
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + std::wstring(name);
}

// Makes the file at `path` hold exactly `bytes`.
inline void WriteBytes(const std::wstring& path, std::span<const uint8_t> bytes) {
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
