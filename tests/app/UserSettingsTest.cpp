#include "app/UserSettings.h"

#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace {

// A settings folder in the temporary folder that does not exist yet; removed afterwards.
struct SettingsFolder {
    SettingsFolder() { Remove(); }
    ~SettingsFolder() { Remove(); }
    void Remove() const {
        ::DeleteFileW(settings.Path().c_str());
        ::RemoveDirectoryW(path.c_str());
    }
    void WriteRaw(const std::string& bytes) const {
        ::CreateDirectoryW(path.c_str(), nullptr);
        WriteBytes(settings.Path(), {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    }
    std::wstring path = TempFile(L"kestrelle-settings");
    UserSettings settings{path};
};

}  // namespace

TEST(UserSettings, AMissingFileSectionOrKeyMeansTheBuiltInSkin) {
    SettingsFolder folder;
    EXPECT_EQ(folder.settings.SkinFile(), L"");  // neither folder nor file
    folder.WriteRaw("[Other]\r\nFile=dark.skin\r\n");
    EXPECT_EQ(folder.settings.SkinFile(), L"");
    folder.WriteRaw("[Skin]\r\nFile=\r\n");
    EXPECT_EQ(folder.settings.SkinFile(), L"");
    folder.WriteRaw("[Skin]\r\nFile=dark.skin\r\n");  // ASCII, as a person may write it
    EXPECT_EQ(folder.settings.SkinFile(), L"dark.skin");
    folder.WriteRaw("[Skin]\r\nFile=" + std::string(400, 'a') + ".skin\r\n");
    EXPECT_EQ(folder.settings.SkinFile(), L"");  // cut short by the reader: no name of ours
    EXPECT_EQ(UserSettings(L"").SkinFile(), L"");
}

TEST(UserSettings, WritingMakesTheFolderAndKeepsNamesOutsideTheCodePage) {
    SettingsFolder folder;
    ASSERT_TRUE(folder.settings.SetSkinFile(L"深色 dark.skin"));
    EXPECT_EQ(folder.settings.SkinFile(), L"深色 dark.skin");
    ASSERT_TRUE(folder.settings.SetSkinFile(L"contrast.skin"));  // replaced, not added
    EXPECT_EQ(folder.settings.SkinFile(), L"contrast.skin");
    ASSERT_TRUE(folder.settings.SetSkinFile(L""));
    EXPECT_EQ(folder.settings.SkinFile(), L"");
    // A file already there (ASCII) is written in place.
    folder.WriteRaw("[Skin]\r\nFile=dark.skin\r\n");
    ASSERT_TRUE(folder.settings.SetSkinFile(L"contrast.skin"));
    EXPECT_EQ(folder.settings.SkinFile(), L"contrast.skin");
    // A folder that cannot be made is reported, not thrown.
    EXPECT_FALSE(UserSettings(folder.path + L"\\no\\such\\place").SetSkinFile(L"dark.skin"));
}
