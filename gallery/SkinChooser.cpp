#include "gallery/SkinChooser.h"

#include "framework/controls/ComboBox.h"
#include "framework/forms/Application.h"
#include "framework/win/Files.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <cwchar>

#include <windows.h>

#include <commdlg.h>

namespace {

std::wstring Stem(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return name;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

// The file the user picks in the system's open dialog; empty when cancelled.
std::wstring AskForSkinFile(HWND owner) {
    std::wstring file(MAX_PATH, L'\0');
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = L"Skins (*.skin)\0*.skin\0Every file\0*.*\0";
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrTitle = L"Open a skin";
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameW(&open)) return {};
    file.resize(std::wcslen(file.c_str()));
    return file;
}

}  // namespace

std::vector<std::wstring> SkinFilesIn(const std::wstring& folder, size_t limit) {
    std::vector<std::wstring> files = FileNamesIn(folder, L"*.skin", 1000);
    for (std::wstring& name : files) name = folder + L"\\" + name;
    std::sort(files.begin(), files.end(), [](const std::wstring& a, const std::wstring& b) {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    });
    if (files.size() > limit) files.resize(limit);
    return files;
}

GallerySkinChooser::GallerySkinChooser(TComponent& owner, TWinControl& parent, TSkinData& skin, const std::wstring& folder,
                         const std::wstring& current, int left, int top, int width) :
    m_skin(skin), m_files(SkinFilesIn(folder)) {
    m_box = &owner.Create<TComboBox>();
    m_box->SetParent(&parent);
    m_box->SetComboStyle(TComboBoxStyle::csDropDownList);
    m_box->SetBounds(left, top, width, 24);
    m_box->SetDropDownCount(12);
    if (!current.empty()) {
        m_current = LineOf(current);
        if (m_current < 0) {
            m_files.push_back(current);
            m_current = static_cast<int>(m_files.size()) - 1;
        }
    } else {
        m_current = LineOf(folder + L"\\kestrelle.skin");
    }
    FillLines();
    if (!skin.Active() || skin.NoSkin()) m_current = static_cast<int>(m_files.size());
    ShowCurrent();
    m_box->OnSelect = [this](TObject*) { Choose(m_box->ItemIndex()); };
}

int GallerySkinChooser::LineOf(const std::wstring& path) const {
    for (size_t i = 0; i < m_files.size(); ++i)
        if (SamePath(m_files[i], path)) return static_cast<int>(i);
    return -1;
}

void GallerySkinChooser::FillLines() {
    m_box->Clear();
    for (const std::wstring& file : m_files) m_box->AddItem(Stem(file));
    m_box->AddItem(kNone);
    m_box->AddItem(kOpenFile);
}

void GallerySkinChooser::ShowCurrent() { m_box->SetItemIndex(m_current); }

void GallerySkinChooser::Choose(int index) {
    const int files = static_cast<int>(m_files.size());
    if (index >= 0 && index < files) {
        ChooseFile(m_files[static_cast<size_t>(index)]);
    } else if (index == files) {
        ChooseNone();
    } else if (index == files + 1) {
        const std::wstring path = AskForSkinFile(m_box->HandleIfAllocated() ? ::GetAncestor(m_box->Handle(), GA_ROOT)
                                                                             : nullptr);
        if (path.empty()) ShowCurrent();
        else ChooseFile(path);
    }
}

bool GallerySkinChooser::ChooseFile(const std::wstring& path) {
    if (!m_skin.ChangeSkinFile(path)) {
        ShowCurrent();  // the skin in use stays; the skin said why
        return false;
    }
    if (!m_skin.Active()) m_skin.SetActive(true);
    int line = LineOf(path);
    if (line < 0) {
        // A skin from elsewhere gets a line of its own before "none".
        m_files.push_back(path);
        line = static_cast<int>(m_files.size()) - 1;
        FillLines();
    }
    m_current = line;
    ShowCurrent();
    return true;
}

void GallerySkinChooser::ChooseNone() {
    m_skin.SetActive(false);
    m_current = static_cast<int>(m_files.size());
    ShowCurrent();
}
