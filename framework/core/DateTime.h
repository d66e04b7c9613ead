#pragma once
// A calendar date and a time of day, as the clock of the computer shows them (no time
// zone), and its text form in stored layouts: "2026-12-08 14:30:00". Platform-neutral.

#include <optional>
#include <string>
#include <string_view>

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int dayOfWeek = 1;  // 1 = Sunday ... 7 = Saturday
    int hour = 0;
    int minute = 0;
    int second = 0;

    // Equal in date and time; the day of the week follows from the date.
    bool operator==(const LocalDateTime& other) const noexcept;
};

// Years 1 to 9999, a day the month has, 0:00:00 to 23:59:59; the day of the week is not
// checked.
bool IsValidDateTime(const LocalDateTime& value) noexcept;
// 1 = Sunday ... 7 = Saturday, in the Gregorian calendar, for a valid date.
int DayOfWeek(int year, int month, int day) noexcept;
// "yyyy-mm-dd hh:mm:ss".
std::u16string DateTimeText(const LocalDateTime& value);
// The value of a text in that form, with its day of the week; nullopt for any other text
// or an invalid date or time.
std::optional<LocalDateTime> ParseDateTime(std::u16string_view text) noexcept;
