#pragma once
// Files a test makes in the temporary folder; each test deletes its own.

#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// A fresh, empty folder under the temporary folder, removed again with its files.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* name) {
        m_path = TempFile(name);
        Clear();
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder() {
        Clear();
        ::RemoveDirectoryW(m_path.c_str());
    }
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }
    void Write(const wchar_t* name, const std::vector<char>& bytes) const {
        std::ofstream(File(name).c_str(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    void Clear() const {
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((m_path + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            ::DeleteFileW((m_path + L"\\" + found.cFileName).c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    std::wstring m_path;
};
