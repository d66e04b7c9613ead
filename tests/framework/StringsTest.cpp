#include "framework/core/Strings.h"

#include <gtest/gtest.h>

TEST(Strings, Utf8RoundTripsChineseIpaAndSurrogatePairs) {
    const std::u16string text = u"当前项目：无 ɪ ɛ æ ʃ ŋ ɚ \U0001F426";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(u"ŋ"), "\xC5\x8B");
}

TEST(Strings, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(FromUtf8("a\xE4\xB8"), u"a\uFFFD\uFFFD");  // truncated sequence
    EXPECT_EQ(FromUtf8("\x80z"), u"\uFFFDz");            // stray continuation byte
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Strings, SameTextFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(SameText(u"EXECUTABLE", u"executable"));
    EXPECT_FALSE(SameText(u"Ä", u"ä"));
    EXPECT_FALSE(SameText(u"ab", u"abc"));
}

TEST(Strings, StrToIntAcceptsSignDecimalAndDollarHexOnly) {
    EXPECT_EQ(TryStrToInt("$1F"), 31);
    EXPECT_EQ(TryStrToInt(u"-4"), -4);
    EXPECT_EQ(TryStrToInt("+7"), 7);
    EXPECT_EQ(TryStrToInt("-$10"), -16);
    EXPECT_EQ(TryStrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(TryStrToInt("2147483647"), 2147483647);
    EXPECT_EQ(TryStrToInt("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "-", "$", "0x1F", "12px", " 5", "5 ", "2147483648", "$100000000", "55 82 116"})
        EXPECT_EQ(TryStrToInt(bad), std::nullopt) << bad;
}

#include "framework/graphics/Colors.h"

TEST(Colours, NamesRoundTripAndSystemColoursKeepTheirIndex) {
    EXPECT_EQ(IdentToColour(u"CLBTNFACE"), clBtnFace);
    EXPECT_EQ(ColourToIdent(clWindowText), u"clWindowText");
    EXPECT_EQ(ColourToIdent(RgbColour(1, 2, 3)), std::nullopt);
    EXPECT_EQ(IdentToColour(u"clNoSuchColour"), std::nullopt);
    EXPECT_TRUE(IsSystemColour(clBtnFace));
    EXPECT_EQ(SystemColourIndex(clBtnFace), 15);
    EXPECT_EQ(RgbColour(55, 82, 116), 55 + 82 * 256 + 116 * 65536);
}
