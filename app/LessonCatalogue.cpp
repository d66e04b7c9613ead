#include "app/LessonCatalogue.h"

namespace {

constexpr std::u16string_view kVowels = u"元音发音", kConsonants = u"辅音发音";

constexpr std::array<LessonRow, kLessonFileCount> kCatalogue{{
    {u"SpeedButton1", u"a", 1, u"国际音标"},
    {u"SpeedButton2", u"b", 2, u"发音规则"},
    {u"SpeedButton28", u"p", 16, u"重音规则"},
    {u"SpeedButton3", u"c", 3, kVowels},
    {u"SpeedButton4", u"d", 4, kVowels},
    {u"SpeedButton5", u"e", 5, kVowels},
    {u"SpeedButton16", u"f", 6, kVowels},
    {u"SpeedButton17", u"g", 7, kVowels},
    {u"SpeedButton18", u"h", 8, kVowels},
    {u"SpeedButton19", u"i", 9, kConsonants},
    {u"SpeedButton20", u"j", 10, kConsonants},
    {u"SpeedButton21", u"k", 11, kConsonants},
    {u"SpeedButton22", u"l", 12, kConsonants},
    {u"SpeedButton23", u"m", 13, kConsonants},
    {u"SpeedButton24", u"n", 14, kConsonants},
    {u"SpeedButton25", u"o", 15, kConsonants},
}};

}  // namespace

const std::array<LessonRow, kLessonFileCount>& LessonCatalogue() noexcept { return kCatalogue; }

std::u16string LessonFileName(int number) {
    std::u16string name = u"yinbiao";
    for (char c : std::to_string(number)) name += static_cast<char16_t>(c);
    return name + u".swf";
}

std::u16string LessonStatusText(const LessonRow& row) {
    return u"当前项目：---《" + std::u16string(row.title) + u"》";
}
