#include "framework/win/WindowsVersion.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(WindowsVersion, DetectsWhatTheSystemReportsAndWhetherItIsWine) {
    const WindowsVersion detected = WindowsVersion::Detect();
    // GetVersion packs the same answer another way: major in the low byte, minor in the
    // next, the top bit for the family that is not NT.
    const DWORD packed = ::GetVersion();
    EXPECT_EQ(detected.major, LOBYTE(LOWORD(packed)));
    EXPECT_EQ(detected.minor, HIBYTE(LOWORD(packed)));
    EXPECT_EQ(detected.ntFamily, (packed & 0x80000000u) == 0);
    // Wine keeps its own settings under this key; Windows has none.
    HKEY key = nullptr;
    const bool wineKey = ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wine", 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (key) ::RegCloseKey(key);
    EXPECT_EQ(detected.wine, wineKey);
    EXPECT_EQ(WindowsVersion::Current(), detected);
}

TEST(WindowsVersion, TestsSetTheAnswerForAScopeAndScopesNest) {
    const WindowsVersion system = WindowsVersion::Current();
    const WindowsVersion nt4{4, 0, true, false};
    const WindowsVersion win98{4, 10, false, false};
    {
        ScopedWindowsVersion outer{nt4};
        EXPECT_EQ(WindowsVersion::Current(), nt4);
        {
            ScopedWindowsVersion inner{win98};
            EXPECT_EQ(WindowsVersion::Current(), win98);
            EXPECT_EQ(WindowsVersion::Detect(), system);  // the system's answer stays reachable
        }
        EXPECT_EQ(WindowsVersion::Current(), nt4);
    }
    EXPECT_EQ(WindowsVersion::Current(), system);
}
