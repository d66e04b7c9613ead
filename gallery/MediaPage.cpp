#include "gallery/MediaPage.h"

#include "framework/controls/GlyphCheckBox.h"
#include "framework/controls/MediaPlayer.h"
#include "framework/controls/Panel.h"
#include "framework/core/FailureLog.h"
#include "framework/win/Files.h"
#include "gallery/PageLayout.h"

#include <fstream>
#include <span>
#include <string>

#include <windows.h>

namespace {

using namespace gallery;
using enum TMPBtnType;

// The chime the gallery carries, written where the player can open it.
std::wstring ChimeFile() {
    const std::span<const std::byte> chime = ResourceBytes(nullptr, L"MEDIACHIME", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    wchar_t folder[MAX_PATH]{};
    const DWORD length = ::GetTempPathW(MAX_PATH, folder);
    if (chime.empty() || length == 0 || length >= MAX_PATH) return {};
    const std::wstring path = std::wstring(folder, length) + L"kestrelle-gallery-chime.wav";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    DWORD written = 0;
    const bool ok = ::WriteFile(file, chime.data(), static_cast<DWORD>(chime.size()), &written, nullptr) &&
                    written == chime.size();
    ::CloseHandle(file);
    return ok ? path : std::wstring{};
}

TMediaPlayer& AddPlayer(TComponent& owner, TWinControl& parent, int top, int width) {
    auto& player = owner.Create<TMediaPlayer>();
    player.SetParent(&parent);
    player.SetBounds(kGap, top, width, 30);
    return player;
}

void OpenChime(TMediaPlayer& player, const std::wstring& chime) {
    if (chime.empty()) return;
    player.SetFileName(chime);
    try {
        player.Open();
    } catch (const std::exception&) {
        LogCurrentException(u"the gallery's media player could not open its chime");
    }
}

// One control of each state a check box or radio button shows at rest. The disabled
// ones sit on a panel of their own, so that a checked radio button there does not
// turn off the one above.
template <class T>
void AddStates(TComponent& owner, TWinControl& parent, bool grayed) {
    Column column(owner, parent, kGap, 22);
    column.Add<T>(L"未选 Unchecked");
    column.Add<T>(L"选中 Checked").SetChecked(true);
    if (grayed) {
        auto& mixed = column.Add<T>(L"不定 Grayed");
        mixed.SetAllowGrayed(true);
        mixed.SetState(TCheckBoxState::cbGrayed);
    }
    auto& panel = owner.Create<TPanel>();
    panel.SetParent(&parent);
    panel.SetBevelOuter(TBevelCut::bvNone);
    panel.SetCaption(L"");
    panel.SetBounds(kGap, column.Top(), kColumn - 2 * kGap, 2 * kRow);
    Column disabled(owner, panel, 0, 0);
    auto& checked = disabled.Add<T>(L"禁用 Disabled, checked");
    checked.SetChecked(true);
    checked.SetEnabled(false);
    disabled.Add<T>(L"禁用 Disabled").SetEnabled(false);
}

}  // namespace

void BuildMediaPage(TComponent& owner, TWinControl& page) {
    const std::wstring chime = ChimeFile();
    TGroupBox& group = AddGroup(owner, page, 0, kGap, 150, L"媒体播放器 Media players", 2 * kColumn + kGap);
    // All nine, playing the chime; the buttons follow what the device can do.
    OpenChime(AddPlayer(owner, group, 22, 9 * 28), chime);
    // Play, pause and stop only.
    TMediaPlayer& three = AddPlayer(owner, group, 60, 100);
    three.SetVisibleButtons({btPlay, btPause, btStop});
    OpenChime(three, chime);
    // Every look: coloured and plain enabled buttons, and disabled ones.
    TMediaPlayer& looks = AddPlayer(owner, group, 98, 9 * 28);
    looks.SetAutoEnable(false);
    looks.SetEnabledButtons({btPlay, btStop, btNext, btStep, btEject});
    looks.SetColoredButtons({btPlay, btPause, btStop, btRecord, btNext});

    // Check boxes and radio buttons that draw themselves from a glyph strip: the skin
    // hands them its own.
    constexpr int kTop = kGap + 150 + kGap, kHeight = 170;
    AddStates<TRzCheckBox>(owner, AddGroup(owner, page, 0, kTop, kHeight, L"自定义勾选框 Glyph check boxes"), true);
    AddStates<TRzRadioButton>(owner, AddGroup(owner, page, 1, kTop, kHeight, L"自定义单选 Glyph radio buttons"), false);
    AddStates<TcxCheckBox>(owner, AddGroup(owner, page, 2, kTop, kHeight, L"紧凑勾选框 Compact check boxes"), true);
}
