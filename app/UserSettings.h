#pragma once
// The program's per-user settings: Kestrelle.ini in the user's application-data folder,
// never the program's own folder, which a standard user may not write. It remembers
// the skin the user chose, by its file name.

#include <string>
#include <string_view>

class UserSettings {
public:
    static constexpr std::wstring_view kFileName = L"Kestrelle.ini";

    // `folder` holds the settings file; it is made when a setting is first written.
    explicit UserSettings(std::wstring folder) : m_folder(std::move(folder)) {}
    // "<the user's application data>\Kestrelle"; empty when the system names no such folder.
    static std::wstring DefaultFolder();

    const std::wstring& Folder() const noexcept { return m_folder; }
    std::wstring Path() const;
    // [Skin] File= as written; empty when the file, its section or its key is missing,
    // and for a value too long to be a file name.
    std::wstring SkinFile() const;
    // Writes [Skin] File=`name`, making the folder and the file first where they are
    // missing. False when either cannot be written (the reason is logged).
    bool SetSkinFile(std::wstring_view name) const;

private:
    std::wstring m_folder;
};
