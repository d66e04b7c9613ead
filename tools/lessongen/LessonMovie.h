#pragma once
// Makes one lesson movie: its pages of text as vector shapes, buttons that say the
// symbols and words with espeak-ng's voice, and the actions that step through the
// pages, padded to the lesson's exact byte size.

#include "tools/lessongen/LessonContent.h"

#include <cstdint>
#include <vector>

class FontSet;

struct LessonFonts {
    const FontSet& regular;
    const FontSet& bold;
};

// How a movie's speech was stored: the best quality its byte size allows.
struct SpeechQuality {
    unsigned rate = 0;  // samples a second
    unsigned bits = 0;  // ADPCM bits a sample
    size_t clips = 0;
    double seconds = 0;
};

std::vector<uint8_t> MakeLessonMovie(const Lesson& lesson, const LessonFonts& fonts, SpeechQuality* quality = nullptr);
