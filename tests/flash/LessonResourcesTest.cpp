// The lesson movies as resources of the program: type "EXECUTABLE", names "A" to "P",
// Chinese (PRC), found by lower-case names too.

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace {

TEST(LessonResources, StoredUnderChineseAndFoundByLowerCaseNames) {
    const WORD chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    ASSERT_EQ(chinese, 2052);
    for (wchar_t letter = L'A'; letter <= L'P'; ++letter) {
        const wchar_t upper[2] = {letter, 0}, lower[2] = {static_cast<wchar_t>(letter - L'A' + L'a'), 0};
        EXPECT_NE(::FindResourceExW(nullptr, L"EXECUTABLE", upper, chinese), nullptr) << char(letter);
        EXPECT_EQ(::FindResourceW(nullptr, lower, L"EXECUTABLE"), ::FindResourceW(nullptr, upper, L"EXECUTABLE"));
        EXPECT_NE(::FindResourceW(nullptr, lower, L"executable"), nullptr);
    }
    EXPECT_EQ(::FindResourceW(nullptr, L"Q", L"EXECUTABLE"), nullptr);
}

}  // namespace
