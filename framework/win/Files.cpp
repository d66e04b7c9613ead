#include "framework/win/Files.h"

#include "framework/win/Handles.h"

#include <algorithm>

bool FileExists(const std::wstring& path) noexcept {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TWholeFileRead ReadWholeFile(const std::wstring& path, size_t maxBytes, std::vector<std::byte>& bytes, DWORD share) {
    bytes.clear();
    KernelHandle file{::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                    nullptr)};
    if (!file) return TWholeFileRead::CannotOpen;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) return TWholeFileRead::CannotRead;
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return TWholeFileRead::TooLarge;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    // In pieces of a megabyte: one ReadFile of a large file may be cut short by the system.
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!::ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr) || got == 0) {
            bytes.clear();
            return TWholeFileRead::CannotRead;
        }
        done += got;
    }
    return TWholeFileRead::Done;
}

std::span<const std::byte> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) noexcept {
    HRSRC found = ::FindResourceW(module, name, type);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::byte*>(::LockResource(loaded)) : nullptr;
    if (!bytes) return {};
    return {bytes, ::SizeofResource(module, found)};
}

std::wstring ProgramFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            const size_t slash = path.find_last_of(L"\\/");
            return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);  // cut short: ask again with room for it
    }
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder, const std::wstring& pattern, size_t limit) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    size_t looked = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (++looked < limit && ::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}
