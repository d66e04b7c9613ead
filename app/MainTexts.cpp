#include "app/MainTexts.h"

#include <array>
#include <cstdio>

namespace {

// Decimal digits, at least `width` of them; the values here are never negative.
std::u16string Digits(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    std::u16string result;
    for (const char* c = text; *c; ++c) result += static_cast<char16_t>(*c);
    return result;
}

}  // namespace

std::u16string DateText(const LocalDateTime& when) {
    return u"  " + Digits(when.year, 4) + u"-" + Digits(when.month, 2) + u"-" + Digits(when.day, 2);
}

std::u16string WeekdayText(int dayOfWeek) {
    static constexpr std::array<std::u16string_view, 7> kDays{u"  星期日", u"  星期一", u"  星期二", u"  星期三",
                                                              u"  星期四", u"  星期五", u"  星期六"};
    if (dayOfWeek < 1 || dayOfWeek > 7) return {};
    return std::u16string(kDays[static_cast<size_t>(dayOfWeek - 1)]);
}

std::u16string ClockText(const LocalDateTime& when) {
    return u"   " + Digits(when.hour, 2) + u":" + Digits(when.minute, 2) + u":" + Digits(when.second, 2);
}

std::u16string AboutText() {
    const std::u16string rule(36, u'-');
    const std::u16string lines[] = {
        u"★          关于本软件           ★",
        rule,
        u"软件名称：" + std::u16string(kProgramTitle),
        u"开 发 者：" + std::u16string(kMakerName),
        u"电子邮箱：" + std::u16string(kMakerMail),
        u"软件主页：" + std::u16string(kMakerHome),
        rule,
    };
    std::u16string text;
    for (const auto& line : lines) {
        if (!text.empty()) text += u"\r\r";
        text += line;
    }
    return text;
}
