#pragma once
// The user's choice of skin for the whole program: the "Skins" submenu of the main
// window's system menu, listing the built-in skin and the skin files beside the program;
// loading the chosen one into the main form's skin data, which re-skins every open
// window; and remembering it in the user's settings for the next start.

#include "app/SkinMenu.h"
#include "app/UserSettings.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

class TSkinData;

class SkinChooser {
public:
    // At most this many names of a folder are looked at, so that a folder full of files
    // cannot hold up the opening of the menu.
    static constexpr size_t kMaxScannedNames = 1000;

    // Keeps a copy of the skin `skinData` holds now as the built-in skin. `skinFolder`
    // holds the skin files the menu offers.
    SkinChooser(TSkinData& skinData, std::wstring skinFolder, UserSettings settings);

    // Loads the skin the settings remember. One that is missing, damaged or named with a
    // folder leaves the built-in skin in place, and nobody is told.
    void RestoreRemembered();
    // Puts the "Skins" submenu, filled afresh from the skin folder, at the end of
    // `systemMenu` (once; later calls only refill it).
    void FillSystemMenu(HMENU systemMenu);
    // Carries out a command of the submenu as it was last filled; false for any other.
    bool Command(WPARAM command);
    // Loads the skin file `fileName` of the skin folder (empty: the built-in skin) and
    // remembers it. A file that cannot be used leaves the skin in use in place, after
    // the user has been told why; false then.
    bool Choose(std::u16string_view fileName);

    // The file name of the skin in use; empty for the built-in skin.
    const std::u16string& Current() const noexcept { return m_current; }
    // The submenu once it is in the system menu; destroyed with that menu.
    HMENU Menu() const noexcept { return m_menu; }
    const std::vector<SkinMenuEntry>& Entries() const noexcept { return m_entries; }

private:
    std::wstring SkinPath(std::u16string_view fileName) const;
    std::vector<std::u16string> SkinFileNames() const;
    void LoadBuiltIn();

    TSkinData& m_skinData;
    std::wstring m_skinFolder;
    UserSettings m_settings;
    std::vector<std::byte> m_builtIn;
    std::u16string m_current;
    std::vector<SkinMenuEntry> m_entries;
    HMENU m_menu = nullptr;
};
