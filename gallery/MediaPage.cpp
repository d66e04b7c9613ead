#include "gallery/MediaPage.h"

#include "framework/controls/MediaPlayer.h"
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
}
