#include "app/SkinChooser.h"

#include "framework/core/FailureLog.h"
#include "framework/core/Stream.h"
#include "framework/win/Convert.h"
#include "framework/win/Files.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"

#include <utility>

namespace {

// While it lives, what the skin engine would tell the user goes to the failure log.
class QuietSkinMessages {
public:
    QuietSkinMessages()
        : m_previous{TSkinReader::SetNotifier(
              [](std::u16string_view text) { LogFailure(u"A skin is not used: " + std::u16string(text)); })} {}
    ~QuietSkinMessages() { TSkinReader::SetNotifier(std::move(m_previous)); }
    QuietSkinMessages(const QuietSkinMessages&) = delete;
    QuietSkinMessages& operator=(const QuietSkinMessages&) = delete;

private:
    TSkinReader::Notifier m_previous;
};

// The submenu of `menu` that is `wanted`; null when `menu` no longer holds it (the
// system rebuilds a reset system menu without it).
HMENU SubMenuIn(HMENU menu, HMENU wanted) {
    if (!wanted) return nullptr;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
        if (::GetSubMenu(menu, position) == wanted) return wanted;
    return nullptr;
}

}  // namespace

SkinChooser::SkinChooser(TSkinData& skinData, std::wstring skinFolder, UserSettings settings)
    : m_skinData{skinData}, m_skinFolder{std::move(skinFolder)}, m_settings{std::move(settings)} {
    const auto packed = skinData.PackedSkin().Bytes();
    m_builtIn.assign(packed.begin(), packed.end());
}

std::wstring SkinChooser::SkinPath(std::u16string_view fileName) const {
    return m_skinFolder + L"\\" + ToWide(fileName);
}

std::vector<std::u16string> SkinChooser::SkinFileNames() const {
    std::vector<std::u16string> names;
    for (const std::wstring& name : FileNamesIn(m_skinFolder, L"*" + ToWide(kSkinFileExtension), kMaxScannedNames))
        names.push_back(FromWide(name));
    return names;
}

void SkinChooser::RestoreRemembered() {
    const std::u16string remembered = SkinFromSetting(FromWide(m_settings.SkinFile()));
    if (remembered.empty()) return;  // the built-in skin is loaded already
    const QuietSkinMessages quiet;
    try {
        // One that cannot be used changes nothing: the built-in skin stays.
        if (m_skinData.ChangeSkinFile(SkinPath(remembered))) m_current = remembered;
    } catch (...) {  // whatever went wrong, the program starts in its own skin
        LogCurrentException(u"The remembered skin is not used");
        LoadBuiltIn();
    }
}

void SkinChooser::FillSystemMenu(HMENU systemMenu) {
    HMENU skins = SubMenuIn(systemMenu, m_menu);
    if (!skins) {
        skins = ::CreatePopupMenu();
        if (!skins) return;
        const std::wstring caption = ToWide(kSkinsMenuText);
        ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        if (!::AppendMenuW(systemMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(skins), caption.c_str())) {
            ::DestroyMenu(skins);
            return;
        }
        m_menu = skins;  // the system menu owns it from here
    }
    while (::GetMenuItemCount(skins) > 0)
        if (!::DeleteMenu(skins, 0, MF_BYPOSITION)) break;
    m_entries = SkinMenuEntries(SkinFileNames(), m_current);
    for (const SkinMenuEntry& entry : m_entries) {
        std::wstring caption = ToWide(entry.caption);
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        item.fType = MFT_STRING | MFT_RADIOCHECK;
        item.fState = entry.checked ? MFS_CHECKED : MFS_UNCHECKED;
        item.wID = entry.command;
        item.dwTypeData = caption.data();
        ::InsertMenuItemW(skins, static_cast<UINT>(::GetMenuItemCount(skins)), TRUE, &item);
    }
}

bool SkinChooser::Command(WPARAM command) {
    if (!SkinEntryOf(command, kMaxListedSkins + 1)) return false;  // the system's own, without a look at the folder
    // A command sent before the menu was ever opened chooses from the folder as it is.
    if (m_entries.empty()) m_entries = SkinMenuEntries(SkinFileNames(), m_current);
    const auto index = SkinEntryOf(command, m_entries.size());
    if (!index) return false;
    (void)Choose(std::u16string(m_entries[*index].fileName));
    return true;
}

bool SkinChooser::Choose(std::u16string_view fileName) {
    if (fileName.empty()) {
        LoadBuiltIn();
    } else {
        if (!IsSkinFileName(fileName)) return false;
        // A file that is gone or cannot be used is told and leaves the skin in use.
        if (!m_skinData.ChangeSkinFile(SkinPath(fileName))) return false;
    }
    m_current = fileName;
    (void)m_settings.SetSkinFile(ToWide(fileName));
    return true;
}

void SkinChooser::LoadBuiltIn() {
    m_skinData.SetSkinFile(L"");  // forgets the file; no skin until the load below
    TMemoryStream block(SkinStreamProperty(m_builtIn));
    m_skinData.ReadSkinStream(block);
    m_skinData.ApplySkin();
}
