#include "gallery/GalleryForm.h"

#include "framework/controls/Messages.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/forms/Application.h"
#include "framework/win/Files.h"
#include "gallery/WindowKinds.h"
#include "skin/data/WinSkinData.h"

#include <string>
#include <vector>

#include <windows.h>

namespace {

// Opens the window kinds asked for on the command line once the main window shows.
constexpr UINT kOpenRequested = WM_APP + 40;

constexpr int kButtonWidth = 200, kButtonHeight = 30, kGap = 8;

}  // namespace

TGalleryForm::TGalleryForm() = default;

void TGalleryForm::Build(std::vector<std::wstring> open) {
    m_open = std::move(open);
    SetCaption(L"Kestrelle gallery");
    const auto icon = ResourceBytes(nullptr, L"GALLERYICON", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!icon.empty()) {
        Icon().LoadFromBytes(icon);
        if (Application) Application->SetIcon(Icon().Handle());
    }
    SetBounds(20, 20, 900, 560);

    // The skin, as the program carries it: on the main form, skinning every window.
    m_skin = &Create<TSkinData>();
    m_skin->SetLoading(true);
    // The program's own skin, packed, and its icon, as the gallery's resources.
    const auto packed = ResourceBytes(nullptr, L"KESTRELLESKIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    SetBinaryProp(m_skin, u"SkinStream", SkinStreamProperty(packed));
    m_skin->SetActive(true);
    m_skin->SetLoading(false);
    m_skin->Loaded();

    m_pages = &Create<TPanel>();
    m_pages->SetParent(this);
    m_pages->SetAlign(TAlign::alLeft);
    m_pages->SetWidth(kButtonWidth + 2 * kGap);
    m_pages->SetCaption(L"");
    m_page = &Create<TPanel>();
    m_page->SetParent(this);
    m_page->SetAlign(TAlign::alClient);
    m_page->SetCaption(L"");
    TSpeedButton& windows = AddButton(*m_pages, 0, 0, L"Windows");
    windows.SetGroupIndex(1);
    windows.SetDown(true);
    windows.OnClick = [this](TObject*) { ShowWindowsPage(); };
    ShowWindowsPage();
}

TSpeedButton& TGalleryForm::AddButton(TPanel& parent, int row, int column, const wchar_t* caption) {
    auto& button = Create<TSpeedButton>();
    button.SetParent(&parent);
    button.SetCaption(caption);
    button.SetBounds(kGap + column * (kButtonWidth + kGap), kGap + row * (kButtonHeight + kGap), kButtonWidth,
                     kButtonHeight);
    return button;
}

void TGalleryForm::ShowWindowsPage() {
    const auto& kinds = WindowKinds();
    for (size_t i = 0; i < kinds.size(); ++i) {
        const int row = static_cast<int>(i) % 5, column = static_cast<int>(i) / 5;
        TSpeedButton& button = AddButton(*m_page, row, column, kinds[i].caption);
        const std::wstring name = kinds[i].name;
        button.OnClick = [this, name](TObject*) { OpenWindowKind(name, *this); };
    }
}

void TGalleryForm::WndProc(TMessage& message) {
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
