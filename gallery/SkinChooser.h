#pragma once
// The gallery's skin chooser: the skins beside the gallery by name, "none" and "open a
// .skin file…". A choice re-skins every open window of the gallery in place; a file that
// cannot be loaded leaves the skin in use, and the chooser shows that skin again.

#include <string>
#include <vector>

class TComboBox;
class TSkinData;
class TWinControl;
class TComponent;

class GallerySkinChooser {
public:
    static constexpr const wchar_t* kNone = L"none";
    static constexpr const wchar_t* kOpenFile = L"open a .skin file…";

    // A drop-down list in `parent` at (left, top); `folder` is searched for *.skin files,
    // `current` is the file the skin was loaded from (empty: the program's own, shown as
    // the line "kestrelle" when that file lies in `folder`).
    GallerySkinChooser(TComponent& owner, TWinControl& parent, TSkinData& skin, const std::wstring& folder,
                const std::wstring& current, int left, int top, int width);

    TComboBox& Box() const noexcept { return *m_box; }
    // The skin files the lines before "none" stand for.
    const std::vector<std::wstring>& Files() const noexcept { return m_files; }

    // What picking line `index` does; the last line asks for a file first.
    void Choose(int index);
    // Skins with `path`; false (and the skin in use stays) when it cannot be loaded.
    bool ChooseFile(const std::wstring& path);
    void ChooseNone();

private:
    int LineOf(const std::wstring& path) const;
    void FillLines();
    void ShowCurrent();

    TSkinData& m_skin;
    TComboBox* m_box = nullptr;
    std::vector<std::wstring> m_files;
    int m_current = -1;  // the line of the skin in use
};

// The *.skin files in `folder`, sorted by name, at most `limit` of them.
std::vector<std::wstring> SkinFilesIn(const std::wstring& folder, size_t limit = 50);
