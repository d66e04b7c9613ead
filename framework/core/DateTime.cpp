#include "framework/core/DateTime.h"

#include <cstdio>

namespace {

bool IsLeapYear(int year) noexcept { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) noexcept {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The number made of `count` decimal digits at `at`, or -1.
int Number(std::u16string_view text, size_t at, size_t count) noexcept {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < u'0' || text[i] > u'9') return -1;
        value = value * 10 + (text[i] - u'0');
    }
    return value;
}

}  // namespace

bool LocalDateTime::operator==(const LocalDateTime& other) const noexcept {
    return year == other.year && month == other.month && day == other.day && hour == other.hour &&
           minute == other.minute && second == other.second;
}

bool IsValidDateTime(const LocalDateTime& value) noexcept {
    return value.year >= 1 && value.year <= 9999 && value.day >= 1 && value.day <= DaysInMonth(value.year, value.month) &&
           value.hour >= 0 && value.hour < 24 && value.minute >= 0 && value.minute < 60 && value.second >= 0 &&
           value.second < 60;
}

int DayOfWeek(int year, int month, int day) noexcept {
    // Zeller's congruence counts January and February as months 13 and 14 of the year before.
    if (month < 3) {
        month += 12;
        --year;
    }
    const int zeller = (day + 13 * (month + 1) / 5 + year + year / 4 - year / 100 + year / 400) % 7;  // 0 = Saturday
    return (zeller + 6) % 7 + 1;
}

std::u16string DateTimeText(const LocalDateTime& value) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", value.year, value.month, value.day, value.hour,
                  value.minute, value.second);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::optional<LocalDateTime> ParseDateTime(std::u16string_view text) noexcept {
    static constexpr std::u16string_view kPattern = u"0000-00-00 00:00:00";
    if (text.size() != kPattern.size()) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i)
        if (kPattern[i] != u'0' && text[i] != kPattern[i]) return std::nullopt;
    LocalDateTime value;
    value.year = Number(text, 0, 4);
    value.month = Number(text, 5, 2);
    value.day = Number(text, 8, 2);
    value.hour = Number(text, 11, 2);
    value.minute = Number(text, 14, 2);
    value.second = Number(text, 17, 2);
    if (!IsValidDateTime(value)) return std::nullopt;
    value.dayOfWeek = DayOfWeek(value.year, value.month, value.day);
    return value;
}
