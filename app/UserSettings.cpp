#include "app/UserSettings.h"

#include "framework/core/FailureLog.h"
#include "framework/win/Convert.h"
#include "framework/win/Handles.h"

#include <array>
#include <string>

#include <shlobj.h>
#include <windows.h>

namespace {

constexpr const wchar_t* kSkinSection = L"Skin";
constexpr const wchar_t* kSkinKey = L"File";

void LogWriteFailure(const std::wstring& what) {
    LogFailure(u"The skin choice is not remembered: cannot write " + FromWide(what) + u" (error " +
               FromWide(std::to_wstring(::GetLastError())) + u")");
}

// A settings file made by WritePrivateProfileStringW alone is in the ANSI code page and
// would lose a skin name outside it; one that starts as UTF-16 stays UTF-16.
bool MakeUnicodeFile(const std::wstring& path) {
    KernelHandle file{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) return ::GetLastError() == ERROR_FILE_EXISTS;  // a file already there keeps its encoding
    static constexpr std::array<unsigned char, 2> kByteOrderMark{0xFF, 0xFE};
    DWORD written = 0;
    return ::WriteFile(file.Get(), kByteOrderMark.data(), kByteOrderMark.size(), &written, nullptr) &&
           written == kByteOrderMark.size();
}

}  // namespace

std::wstring UserSettings::DefaultFolder() {
    std::array<wchar_t, MAX_PATH> folder{};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder.data()))) return {};
    std::wstring path(folder.data());
    if (path.empty()) return {};
    if (path.back() != L'\\') path += L'\\';
    return path + L"Kestrelle";
}

std::wstring UserSettings::Path() const { return m_folder + L"\\" + std::wstring(kFileName); }

std::wstring UserSettings::SkinFile() const {
    if (m_folder.empty()) return {};
    std::array<wchar_t, MAX_PATH> value{};
    const DWORD length = ::GetPrivateProfileStringW(kSkinSection, kSkinKey, L"", value.data(),
                                                    static_cast<DWORD>(value.size()), Path().c_str());
    // A value that filled the buffer was cut short: it names no file of ours.
    if (length >= value.size() - 1) return {};
    return std::wstring(value.data(), length);
}

bool UserSettings::SetSkinFile(std::wstring_view name) const {
    if (m_folder.empty()) return false;
    if (!::CreateDirectoryW(m_folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        LogWriteFailure(m_folder);
        return false;
    }
    const std::wstring path = Path();
    if (!MakeUnicodeFile(path)) {
        LogWriteFailure(path);
        return false;
    }
    if (!::WritePrivateProfileStringW(kSkinSection, kSkinKey, std::wstring(name).c_str(), path.c_str())) {
        LogWriteFailure(path);
        return false;
    }
    return true;
}
