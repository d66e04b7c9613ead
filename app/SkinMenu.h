#pragma once
// The "Skins" submenu of the main window's system menu: which skins it lists, in which
// order, which one is checked and the system command of each, and which names the
// settings file may remember. Platform-neutral.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::u16string_view kSkinsMenuText = u"皮肤 Skins";
inline constexpr std::u16string_view kBuiltInSkinText = u"内置 Built-in";
inline constexpr std::u16string_view kSkinFileExtension = u".skin";
// A folder with more skin files lists the first ones in order; the menu stays usable.
inline constexpr size_t kMaxListedSkins = 50;
// The submenu's system commands: the built-in skin's, then one per listed file. The
// system keeps the low four bits of WM_SYSCOMMAND for itself and its own commands
// start at 0xF000, so ours step by 16 well below that.
inline constexpr uint32_t kFirstSkinCommand = 0x1000;
inline constexpr uint32_t kSkinCommandStep = 0x10;

struct SkinMenuEntry {
    std::u16string caption;
    std::u16string fileName;  // empty for the built-in skin
    uint32_t command = 0;
    bool checked = false;
};

// A bare file name ending in ".skin" (any letter case): no folder, drive or stream part,
// no "..", no control characters, and short enough for a path beside the program.
bool IsSkinFileName(std::u16string_view name) noexcept;

// The built-in skin first, then the skin files among `names` (others are left out)
// sorted without regard to letter case, each once, at most kMaxListedSkins of them,
// captioned without the extension. The entry of `current` is checked (empty: the
// built-in skin); none is when `current` is not listed.
std::vector<SkinMenuEntry> SkinMenuEntries(std::span<const std::u16string> names, std::u16string_view current);

// The index of the entry that a WM_SYSCOMMAND's command chooses among `entryCount`
// entries; nothing for any other command.
std::optional<size_t> SkinEntryOf(uint64_t command, size_t entryCount) noexcept;

// The skin a settings value remembers: the value when it names a skin file beside the
// program, empty (the built-in skin) for an empty value and for any other.
std::u16string SkinFromSetting(std::u16string_view value);

// Whether two file names are the same for the file system (letter case aside).
bool SameFileName(std::u16string_view a, std::u16string_view b) noexcept;
