#include "framework/core/StringList.h"

#include "framework/core/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(StringList, LineRuleCountsInnerEmptyLinesButNotATrailingBreak) {
    TAnsiStringList names;
    names.SetText("left.bmp\r\n\r\nright.bmp\r\n");  // two names, two CR LF pairs between
    ASSERT_EQ(names.Count(), 3);
    EXPECT_EQ(names[0], "left.bmp");
    EXPECT_EQ(names[1], "");
    EXPECT_EQ(names[2], "right.bmp");

    names.SetText("a\rb\nc\r\nd");  // CR, LF and CR LF each end one line; no break at the end
    EXPECT_EQ(names.Count(), 4);
    EXPECT_EQ(names[3], "d");
    names.SetText("\n");
    EXPECT_EQ(names.Count(), 1);
    names.SetText("");
    EXPECT_EQ(names.Count(), 0);
    EXPECT_EQ(names[5], "");  // outside the list: empty, never a crash
}

TEST(StringList, JoinedLinesSplitBackIntoTheSameLines) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {""}, {"", ""}, {"a"}, {"a", ""}, {"a", "", "b", ""}, {"", "a"}, {"a", "b", "", ""}};
    for (const auto& lines : cases) {
        TAnsiStringList list;
        for (const auto& line : lines) list.Add(line);
        const std::string text = JoinLines<char>(list);
        TAnsiStringList back;
        back.SetText(text);
        EXPECT_EQ(back, list) << text;
        // No break after a last line that has text: a window shows no extra line.
        if (!lines.empty() && !lines.back().empty()) {
            EXPECT_NE(text.back(), '\n');
        }
    }
}

TEST(StringList, LookupsIgnoreAsciiCase) {
    TStringList map;
    map.SetText(u"TButton=button\r\nTSpeedButton=speedbutton\r\nplain line");
    EXPECT_EQ(map.IndexOf(u"tbutton=BUTTON"), 0);
    EXPECT_EQ(map.IndexOfName(u"tspeedbutton"), 1);
    EXPECT_EQ(map.Value(u"TSPEEDBUTTON"), u"speedbutton");
    EXPECT_EQ(map.IndexOfName(u"plain line"), -1);  // no "=": not a name
    EXPECT_EQ(map.Value(u"missing"), u"");

    map.SetValue(u"tbutton", u"bitbtn");
    EXPECT_EQ(map[0], u"tbutton=bitbtn");
    map.SetValue(u"TNew", u"x");
    EXPECT_EQ(map[3], u"TNew=x");
    map.SetValue(u"TNew", u"");
    EXPECT_EQ(map.Count(), 3);
}

TEST(StringList, AssignCopiesListsAndRefusesOtherKinds) {
    TStringList a, b;
    a.SetText(u"one\r\ntwo");
    b.Assign(a);
    EXPECT_TRUE(a == b);
    TPersistent other;
    EXPECT_THROW(b.Assign(other), EConvertError);
}
