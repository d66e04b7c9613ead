#include "gallery/GalleryForm.h"

#include "framework/controls/GroupBox.h"
#include "framework/controls/Messages.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/forms/Application.h"
#include "framework/win/Files.h"
#include "gallery/ControlsPage.h"
#include "gallery/MediaPage.h"
#include "gallery/MenusPage.h"
#include "gallery/ScrollingPage.h"
#include "gallery/SkinChooser.h"
#include "gallery/TabsPage.h"
#include "gallery/WindowKinds.h"
#include "skin/controls/TabSkins.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>

namespace {

// Opens the window kinds asked for on the command line once the main window shows.
constexpr UINT kOpenRequested = WM_APP + 40;

constexpr int kButtonWidth = 200, kButtonHeight = 30, kGap = 8;

}  // namespace

TGalleryForm::TGalleryForm() = default;

bool TGalleryForm::Build(std::vector<std::wstring> open, std::wstring_view page, std::wstring_view skinFile) {
    m_open = std::move(open);
    SetCaption(L"Kestrelle gallery");
    const auto icon = ResourceBytes(nullptr, L"GALLERYICON", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!icon.empty()) {
        Icon().LoadFromBytes(icon);
        if (Application) Application->SetIcon(Icon().Handle());
    }
    SetBounds(10, 10, 1100, 680);

    // The skin, as the program carries it: on the main form, skinning every window.
    m_skin = &Create<TSkinData>();
    m_skin->SetLoading(true);
    // The program's own skin, packed, and its icon, as the gallery's resources.
    const auto packed = ResourceBytes(nullptr, L"KESTRELLESKIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    SetBinaryProp(m_skin, u"SkinStream", SkinStreamProperty(packed));
    // Another skin to look at, such as the dark or the high-contrast one beside the program.
    if (!skinFile.empty()) m_skin->SetSkinFile(skinFile);
    m_skin->SetActive(true);
    m_skin->SetLoading(false);
    m_skin->Loaded();

    m_pages = &Create<TPanel>();
    m_pages->SetParent(this);
    m_pages->SetAlign(TAlign::alLeft);
    m_pages->SetWidth(kButtonWidth + 2 * kGap);
    m_pages->SetCaption(L"");
    BuildWindowsPage(AddPage(L"windows", L"Windows"));
    BuildControlsPage(*this, AddPage(L"controls", L"Controls"));
    BuildScrollingPage(*this, AddPage(L"scrolling", L"Scrolling and text"));
    BuildTabsPage(*this, AddPage(L"tabs", L"Tabs"));
    TPanel& menus = AddPage(L"menus", L"Menus");
    m_pageList.back().menu = &BuildMenusPage(*this, menus);
    BuildMediaPage(*this, AddPage(L"media", L"Media"));
    BuildSkinChooser(skinFile);
    if (ShowPage(page)) return true;
    ShowPage(m_pageList.front().name);
    return false;
}

TGalleryForm::~TGalleryForm() = default;

void TGalleryForm::BuildSkinChooser(std::wstring_view skinFile) {
    auto& group = Create<TGroupBox>();
    group.SetParent(m_pages);
    group.SetCaption(L"皮肤 Skin");
    group.SetBounds(kGap, kGap + static_cast<int>(m_pageList.size()) * (kButtonHeight + kGap) + kGap, kButtonWidth, 58);
    std::wstring current;
    if (!skinFile.empty()) {
        current.resize(MAX_PATH);
        const DWORD length = ::GetFullPathNameW(std::wstring(skinFile).c_str(), MAX_PATH, current.data(), nullptr);
        current.resize(length < MAX_PATH ? length : 0);
        if (current.empty()) current = skinFile;
    }
    m_chooser = std::make_unique<GallerySkinChooser>(*this, group, *m_skin, ProgramFolder(), current, kGap, 24,
                                              kButtonWidth - 2 * kGap);
}

TPanel& TGalleryForm::AddPage(const wchar_t* name, const wchar_t* caption) {
    auto& panel = Create<TPanel>();
    panel.SetParent(this);
    panel.SetAlign(TAlign::alClient);
    panel.SetCaption(L"");
    panel.SetVisible(false);
    TSpeedButton& button = AddButton(*m_pages, static_cast<int>(m_pageList.size()), 0, caption);
    button.SetGroupIndex(1);
    button.OnClick = [this, name](TObject*) { ShowPage(name); };
    m_pageList.push_back({name, &button, &panel, nullptr});
    return panel;
}

bool TGalleryForm::ShowPage(std::wstring_view name) {
    const auto shown = std::find_if(m_pageList.begin(), m_pageList.end(),
                                    [name](const GalleryPage& page) { return name == page.name; });
    if (shown == m_pageList.end()) return false;
    for (const GalleryPage& page : m_pageList) page.panel->SetVisible(&page == &*shown);
    // The window carries the page's menu bar while the page shows.
    SetMenu(shown->menu);
    shown->button->SetDown(true);
    return true;
}

TPanel* TGalleryForm::Page() const noexcept {
    for (const GalleryPage& page : m_pageList)
        if (page.panel->Visible()) return page.panel;
    return nullptr;
}

TSpeedButton& TGalleryForm::AddButton(TPanel& parent, int row, int column, const wchar_t* caption) {
    auto& button = Create<TSpeedButton>();
    button.SetParent(&parent);
    button.SetCaption(caption);
    button.SetBounds(kGap + column * (kButtonWidth + kGap), kGap + row * (kButtonHeight + kGap), kButtonWidth,
                     kButtonHeight);
    return button;
}

void TGalleryForm::BuildWindowsPage(TPanel& page) {
    const auto& kinds = WindowKinds();
    for (size_t i = 0; i < kinds.size(); ++i) {
        const int row = static_cast<int>(i) % 5, column = static_cast<int>(i) / 5;
        TSpeedButton& button = AddButton(page, row, column, kinds[i].caption);
        const std::wstring name = kinds[i].name;
        button.OnClick = [this, name](TObject*) { OpenWindowKind(name, *this); };
    }
}

void TGalleryForm::WndProc(TMessage& message) {
    if (message.Msg == WMX_CLOSETAB) {
        message.Result = AnswerCloseTab(reinterpret_cast<HWND>(message.WParam), static_cast<int>(message.LParam));
        return;
    }
    if (message.Msg == WM_SHOWWINDOW && message.WParam && !m_open.empty())
        ::PostMessageW(Handle(), kOpenRequested, 0, 0);
    if (message.Msg != kOpenRequested) {
        TForm::WndProc(message);
        return;
    }
    std::vector<std::wstring> open = std::move(m_open);
    m_open.clear();
    for (const std::wstring& name : open) {
        if (name == L"all") {
            for (const WindowKind& kind : WindowKinds())
                if (!kind.modal) OpenWindowKind(kind.name, *this);
        } else if (!OpenWindowKind(name, *this)) {
            Application->MessageBox(L"No window kind is called \"" + name + L"\".");
        }
    }
}
