#pragma once
// The lessons behind the button column, top to bottom: which resource each button
// exports, to which file, and what the status bar then says. Platform-neutral.

#include <array>
#include <string>
#include <string_view>

struct LessonRow {
    std::u16string_view button;    // the speed button's name
    std::u16string_view resource;  // resource name, of type "EXECUTABLE"
    int fileNumber;                // "yinbiao<N>.swf": a = 1 ... p = 16, whatever the button's place
    std::u16string_view title;     // the lesson title in status panel 0
};

inline constexpr std::u16string_view kLessonResourceType = u"EXECUTABLE";
inline constexpr int kLessonFileCount = 16;

const std::array<LessonRow, kLessonFileCount>& LessonCatalogue() noexcept;

// "yinbiao<N>.swf", N in decimal without leading zeros.
std::u16string LessonFileName(int number);
// "当前项目：---《<title>》".
std::u16string LessonStatusText(const LessonRow& row);
