#include "app/SkinMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> Captions(const std::vector<SkinMenuEntry>& entries) {
    std::vector<std::u16string> captions;
    for (const auto& entry : entries) captions.push_back(entry.caption);
    return captions;
}

int CheckedCount(const std::vector<SkinMenuEntry>& entries) {
    int count = 0;
    for (const auto& entry : entries) count += entry.checked ? 1 : 0;
    return count;
}

}  // namespace

TEST(SkinMenu, ListsTheBuiltInSkinFirstThenTheSkinFilesSortedAndEachOnce) {
    const std::vector<std::u16string> names{u"dark.skin", u"Contrast.SKIN", u"notes.txt", u"kestrelle.skin",
                                            u"DARK.skin", u".skin", u"a.skin.bak", u"深色.skin"};
    const auto entries = SkinMenuEntries(names, u"");
    EXPECT_EQ(Captions(entries),
              (std::vector<std::u16string>{std::u16string(kBuiltInSkinText), u"Contrast", u"DARK", u"kestrelle", u"深色"}));
    EXPECT_TRUE(entries[0].fileName.empty());
    EXPECT_EQ(entries[1].fileName, u"Contrast.SKIN");
    // Commands: 16 apart from the first, low four bits clear, below the system's own.
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].command, kFirstSkinCommand + i * kSkinCommandStep);
        EXPECT_EQ(entries[i].command & 0xF, 0u);
        EXPECT_LT(entries[i].command, 0xF000u);
    }
    EXPECT_EQ(Captions(SkinMenuEntries({}, u"")), std::vector<std::u16string>{std::u16string(kBuiltInSkinText)});
}

TEST(SkinMenu, ChecksOnlyTheSkinInUse) {
    const std::vector<std::u16string> names{u"dark.skin", u"contrast.skin"};
    auto entries = SkinMenuEntries(names, u"");
    EXPECT_TRUE(entries[0].checked);
    EXPECT_EQ(CheckedCount(entries), 1);

    entries = SkinMenuEntries(names, u"Dark.Skin");  // the file system ignores letter case
    EXPECT_TRUE(entries[2].checked);
    EXPECT_EQ(CheckedCount(entries), 1);

    // A skin in use whose file has gone is not in the list; nothing else is claimed.
    EXPECT_EQ(CheckedCount(SkinMenuEntries(names, u"gone.skin")), 0);
}

TEST(SkinMenu, ListsAtMostItsBoundOfFiles) {
    std::vector<std::u16string> names;
    for (int i = 999; i >= 0; --i) {
        const std::string digits = std::to_string(1000 + i).substr(1);
        names.push_back(u"s" + std::u16string(digits.begin(), digits.end()) + u".skin");
    }
    const auto entries = SkinMenuEntries(names, u"s999.skin");
    ASSERT_EQ(entries.size(), kMaxListedSkins + 1);
    EXPECT_EQ(entries[1].caption, u"s000");  // the first in order, not the first found
    EXPECT_EQ(entries.back().caption, u"s049");
    EXPECT_EQ(CheckedCount(entries), 0);
}

TEST(SkinMenu, MapsOnlyItsOwnCommandsBackToEntries) {
    EXPECT_EQ(SkinEntryOf(kFirstSkinCommand, 3), 0u);
    EXPECT_EQ(SkinEntryOf(kFirstSkinCommand + 2 * kSkinCommandStep, 3), 2u);
    EXPECT_EQ(SkinEntryOf(kFirstSkinCommand + 2 * kSkinCommandStep + 3, 3), 2u);  // the system's low bits
    EXPECT_EQ(SkinEntryOf(kFirstSkinCommand + 3 * kSkinCommandStep, 3), std::nullopt);
    EXPECT_EQ(SkinEntryOf(kFirstSkinCommand - kSkinCommandStep, 3), std::nullopt);
    EXPECT_EQ(SkinEntryOf(0xF060, 3), std::nullopt);  // SC_CLOSE
    EXPECT_EQ(SkinEntryOf(0x10000 + kFirstSkinCommand, 3), std::nullopt);
    EXPECT_EQ(SkinEntryOf(kFirstSkinCommand, 0), std::nullopt);
}

TEST(SkinMenu, TheSettingsMayNameOnlyASkinFileBesideTheProgram) {
    EXPECT_EQ(SkinFromSetting(u"dark.skin"), u"dark.skin");
    EXPECT_EQ(SkinFromSetting(u"深色.SKIN"), u"深色.SKIN");
    int index = 0;
    for (const char16_t* hostile : {u"", u"..\\dark.skin", u"../dark.skin", u"C:\\skins\\dark.skin", u"\\\\host\\s\\a.skin",
                                    u"sub\\dark.skin", u"C:dark.skin", u"dark.skin:stream.skin", u"..skin", u"a..skin",
                                    u"dark.txt", u"dark.skin ", u".skin", u"da\trk.skin", u"d*.skin", u"dark"}) {
        EXPECT_EQ(SkinFromSetting(hostile), u"") << "value " << index;
        ++index;
    }
    EXPECT_EQ(SkinFromSetting(std::u16string(200, u'a') + u".skin"), u"");
    EXPECT_TRUE(IsSkinFileName(std::u16string(100, u'a') + u".skin"));
}
