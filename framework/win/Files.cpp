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
