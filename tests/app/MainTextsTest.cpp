#include "app/LessonCatalogue.h"
#include "app/MainTexts.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

TEST(MainTexts, DateWeekdayAndClockHaveTheirFixedShapes) {
    const LocalDateTime early{2026, 3, 7, 7, 5, 4, 9};
    EXPECT_EQ(DateText(early), u"  2026-03-07");
    EXPECT_EQ(ClockText(early), u"   05:04:09");
    EXPECT_EQ(DateText({987, 12, 31, 1, 0, 0, 0}), u"  0987-12-31");  // four digits, always
    EXPECT_EQ(ClockText({2026, 1, 1, 5, 23, 59, 59}), u"   23:59:59");  // 24-hour clock

    const std::u16string days[] = {u"  星期日", u"  星期一", u"  星期二", u"  星期三",
                                   u"  星期四", u"  星期五", u"  星期六"};
    for (int day = 1; day <= 7; ++day) EXPECT_EQ(WeekdayText(day), days[day - 1]) << day;
    EXPECT_EQ(WeekdayText(0), u"");
    EXPECT_EQ(WeekdayText(8), u"");
}

TEST(MainTexts, AboutTextBreaksWithTwoCarriageReturnsAndNoLineFeeds) {
    const std::u16string text = AboutText();
    EXPECT_EQ(text.find(u'\n'), std::u16string::npos);
    std::vector<std::u16string> lines;
    for (size_t start = 0;;) {
        const size_t end = text.find(u"\r\r", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::u16string::npos) break;
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], u"★" + std::u16string(10, u' ') + u"关于本软件" + std::u16string(11, u' ') + u"★");
    EXPECT_EQ(lines[1], std::u16string(36, u'-'));
    EXPECT_EQ(lines[2], u"软件名称：Kestrelle");
    const std::u16string_view labels[] = {u"开 发 者：", u"电子邮箱：", u"软件主页："};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(lines[3 + i].starts_with(labels[i])) << "line " << 3 + i;
        EXPECT_GT(lines[3 + i].size(), labels[i].size()) << "line " << 3 + i << " names nothing";
    }
    EXPECT_NE(lines[4].find(u'@'), std::u16string::npos);
    EXPECT_EQ(lines[6], lines[1]);
    EXPECT_EQ(text.find(u'\r', text.size() - 1), std::u16string::npos);  // no break after the last line
}

// The button column from top to bottom, written out here rather than derived from the
// catalogue, so that two swapped or altered rows there cannot pass.
TEST(LessonCatalogue, RowsAreTheButtonColumnTopToBottom) {
    struct Row {
        std::u16string_view button, resource, file, status;
    };
    const Row column[] = {
        {u"SpeedButton1", u"a", u"yinbiao1.swf", u"当前项目：---《国际音标》"},
        {u"SpeedButton2", u"b", u"yinbiao2.swf", u"当前项目：---《发音规则》"},
        {u"SpeedButton28", u"p", u"yinbiao16.swf", u"当前项目：---《重音规则》"},
        {u"SpeedButton3", u"c", u"yinbiao3.swf", u"当前项目：---《元音发音》"},
        {u"SpeedButton4", u"d", u"yinbiao4.swf", u"当前项目：---《元音发音》"},
        {u"SpeedButton5", u"e", u"yinbiao5.swf", u"当前项目：---《元音发音》"},
        {u"SpeedButton16", u"f", u"yinbiao6.swf", u"当前项目：---《元音发音》"},
        {u"SpeedButton17", u"g", u"yinbiao7.swf", u"当前项目：---《元音发音》"},
        {u"SpeedButton18", u"h", u"yinbiao8.swf", u"当前项目：---《元音发音》"},
        {u"SpeedButton19", u"i", u"yinbiao9.swf", u"当前项目：---《辅音发音》"},
        {u"SpeedButton20", u"j", u"yinbiao10.swf", u"当前项目：---《辅音发音》"},
        {u"SpeedButton21", u"k", u"yinbiao11.swf", u"当前项目：---《辅音发音》"},
        {u"SpeedButton22", u"l", u"yinbiao12.swf", u"当前项目：---《辅音发音》"},
        {u"SpeedButton23", u"m", u"yinbiao13.swf", u"当前项目：---《辅音发音》"},
        {u"SpeedButton24", u"n", u"yinbiao14.swf", u"当前项目：---《辅音发音》"},
        {u"SpeedButton25", u"o", u"yinbiao15.swf", u"当前项目：---《辅音发音》"},
    };
    const auto& rows = LessonCatalogue();
    ASSERT_EQ(rows.size(), std::size(column));
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(rows[i].button, column[i].button);
        EXPECT_EQ(rows[i].resource, column[i].resource);
        EXPECT_EQ(LessonFileName(rows[i].fileNumber), column[i].file);
        EXPECT_EQ(LessonStatusText(rows[i]), column[i].status);
    }
}

TEST(LessonCatalogue, FilesAreNumberedByResourceLetterNotByButtonPlace) {
    const auto& rows = LessonCatalogue();
    std::set<int> numbers;
    std::set<std::u16string_view> buttons;
    for (const LessonRow& row : rows) {
        ASSERT_EQ(row.resource.size(), 1u);
        EXPECT_EQ(row.fileNumber, row.resource[0] - u'a' + 1) << std::string(row.button.begin(), row.button.end());
        numbers.insert(row.fileNumber);
        buttons.insert(row.button);
    }
    EXPECT_EQ(numbers.size(), 16u);
    EXPECT_EQ(buttons.size(), 16u);
    // The third button of the column is the stress lesson, into the sixteenth file.
    EXPECT_EQ(rows[2].button, u"SpeedButton28");
    EXPECT_EQ(LessonFileName(rows[2].fileNumber), u"yinbiao16.swf");
    EXPECT_EQ(rows[3].button, u"SpeedButton3");
    EXPECT_EQ(LessonFileName(rows[3].fileNumber), u"yinbiao3.swf");
    EXPECT_EQ(LessonFileName(7), u"yinbiao7.swf");
}

TEST(LessonCatalogue, StatusTextsNameTheLessonOrItsGroup) {
    const auto& rows = LessonCatalogue();
    EXPECT_EQ(LessonStatusText(rows[0]), u"当前项目：---《国际音标》");
    EXPECT_EQ(LessonStatusText(rows[1]), u"当前项目：---《发音规则》");
    EXPECT_EQ(LessonStatusText(rows[2]), u"当前项目：---《重音规则》");
    for (size_t i = 3; i < 9; ++i) EXPECT_EQ(LessonStatusText(rows[i]), u"当前项目：---《元音发音》") << i;
    for (size_t i = 9; i < 16; ++i) EXPECT_EQ(LessonStatusText(rows[i]), u"当前项目：---《辅音发音》") << i;
}
