// The date-time value's text form and calendar rules.

#include "framework/core/DateTime.h"

#include <gtest/gtest.h>

TEST(DateTime, ItsTextGoesBothWaysAndCarriesTheWeekday) {
    const auto value = ParseDateTime(u"2026-12-08 14:30:05");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->year, 2026);
    EXPECT_EQ(value->second, 5);
    EXPECT_EQ(value->dayOfWeek, 3);  // a Tuesday
    EXPECT_EQ(DateTimeText(*value), u"2026-12-08 14:30:05");
    EXPECT_EQ(DateTimeText({7, 1, 2, 1, 3, 4, 5}), u"0007-01-02 03:04:05");

    // Weekdays across the calendar's turns: January, the leap day, a century year.
    EXPECT_EQ(DayOfWeek(2000, 1, 1), 7);   // Saturday
    EXPECT_EQ(DayOfWeek(2024, 2, 29), 5);  // Thursday
    EXPECT_EQ(DayOfWeek(1900, 3, 1), 5);   // Thursday
    EXPECT_EQ(DayOfWeek(9999, 12, 31), 6); // Friday
}

TEST(DateTime, TextThatIsNoValidDateTimeIsRefused) {
    for (const char16_t* text : {u"", u"2026-12-08", u"2026-12-08 14:30", u"2026-12-08T14:30:00", u"2026-12-08 14:30:00 ",
                                 u"2026-13-01 00:00:00", u"2026-00-01 00:00:00", u"2026-02-29 00:00:00",
                                 u"1900-02-29 00:00:00", u"2026-04-31 00:00:00", u"0000-01-01 00:00:00",
                                 u"2026-12-08 24:00:00", u"2026-12-08 23:60:00", u"2026-12-08 23:59:60",
                                 u"2026-1a-08 14:30:00", u"+026-12-08 14:30:00", u"２０２６-12-08 14:30:00"})
        EXPECT_FALSE(ParseDateTime(text)) << std::u16string(text).size();
    EXPECT_TRUE(ParseDateTime(u"2000-02-29 23:59:59"));
    EXPECT_TRUE(ParseDateTime(u"9999-12-31 00:00:00"));
}
