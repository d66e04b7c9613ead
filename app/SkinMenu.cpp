#include "app/SkinMenu.h"

#include <algorithm>

namespace {

// Longest name accepted: the program's folder and the name must fit a path of 260.
constexpr size_t kMaxNameLength = 120;

char16_t Folded(char16_t c) noexcept { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool LessFolded(std::u16string_view a, std::u16string_view b) noexcept {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char16_t x, char16_t y) { return Folded(x) < Folded(y); });
}

bool EndsWithFolded(std::u16string_view text, std::u16string_view end) noexcept {
    return text.size() >= end.size() && SameFileName(text.substr(text.size() - end.size()), end);
}

}  // namespace

bool SameFileName(std::u16string_view a, std::u16string_view b) noexcept {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return Folded(x) == Folded(y); });
}

bool IsSkinFileName(std::u16string_view name) noexcept {
    if (name.size() <= kSkinFileExtension.size() || name.size() > kMaxNameLength) return false;
    if (!EndsWithFolded(name, kSkinFileExtension)) return false;
    if (name.find(u"..") != std::u16string_view::npos) return false;
    constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";
    return std::none_of(name.begin(), name.end(),
                        [&](char16_t c) { return c < 0x20 || kForbidden.find(c) != std::u16string_view::npos; });
}

std::vector<SkinMenuEntry> SkinMenuEntries(std::span<const std::u16string> names, std::u16string_view current) {
    std::vector<std::u16string_view> files;
    for (const std::u16string& name : names)
        if (IsSkinFileName(name)) files.push_back(name);
    std::sort(files.begin(), files.end(), [](std::u16string_view a, std::u16string_view b) {
        return LessFolded(a, b) || (!LessFolded(b, a) && a < b);
    });
    files.erase(std::unique(files.begin(), files.end(), SameFileName), files.end());
    if (files.size() > kMaxListedSkins) files.resize(kMaxListedSkins);

    std::vector<SkinMenuEntry> entries;
    entries.reserve(files.size() + 1);
    entries.push_back({std::u16string(kBuiltInSkinText), {}, kFirstSkinCommand, current.empty()});
    for (std::u16string_view file : files) {
        const auto command = static_cast<uint32_t>(kFirstSkinCommand + entries.size() * kSkinCommandStep);
        entries.push_back({std::u16string(file.substr(0, file.size() - kSkinFileExtension.size())),
                           std::u16string(file), command, !current.empty() && SameFileName(file, current)});
    }
    return entries;
}

std::optional<size_t> SkinEntryOf(uint64_t command, size_t entryCount) noexcept {
    const uint64_t id = command & 0xFFF0;
    if (command > 0xFFFF || id < kFirstSkinCommand) return std::nullopt;
    const auto index = static_cast<size_t>((id - kFirstSkinCommand) / kSkinCommandStep);
    if (index >= entryCount) return std::nullopt;
    return index;
}

std::u16string SkinFromSetting(std::u16string_view value) {
    return IsSkinFileName(value) ? std::u16string(value) : std::u16string();
}
