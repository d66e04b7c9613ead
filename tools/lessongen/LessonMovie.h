#pragma once
// Makes one lesson movie: the lesson's title and its symbols with example words as
// vector shapes, a highlight that walks through the items frame by frame, padded
// to the lesson's exact byte size.

#include "tools/lessongen/LessonContent.h"

#include <cstdint>
#include <vector>

class FontSet;

struct LessonFonts {
    const FontSet& regular;
    const FontSet& bold;
};

std::vector<uint8_t> MakeLessonMovie(const Lesson& lesson, const LessonFonts& fonts);
