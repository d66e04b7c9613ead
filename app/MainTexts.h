#pragma once
// The main window's texts: the date, weekday and clock of the status bar and the
// About text with the maker's name and addresses. Platform-neutral.

#include "framework/core/DateTime.h"

#include <string>
#include <string_view>

// "  yyyy-mm-dd": two spaces, then the date with hyphens.
std::u16string DateText(const LocalDateTime& when);
// "  星期日" ... "  星期六" for days 1 to 7; empty for any other number.
std::u16string WeekdayText(int dayOfWeek);
// "   hh:mm:ss": three spaces, then the time on the 24-hour clock.
std::u16string ClockText(const LocalDateTime& when);

inline constexpr std::u16string_view kProgramTitle = u"Kestrelle";
inline constexpr std::u16string_view kMakerName = u"Kestrelle 开发组";
inline constexpr std::u16string_view kMakerMail = u"team@kestrelle-ipa.org";
inline constexpr std::u16string_view kMakerHome = u"https://kestrelle-ipa.org/";

// The About box's text: its lines joined by two carriage returns each, no line feeds.
std::u16string AboutText();
