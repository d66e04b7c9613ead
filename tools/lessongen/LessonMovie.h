#pragma once
// Makes one lesson movie: its pages of text as vector shapes, buttons that say the
// symbols and words with espeak-ng's voice, and the actions that step through the
// pages, padded to the lesson's exact byte size.

#include "tools/lessongen/LessonContent.h"

#include <cstdint>
#include <string>
#include <vector>

class FontSet;

struct LessonFonts {
    const FontSet& regular;
    const FontSet& bold;
};

// One sound of a movie: the espeak-ng codes it says and the samples it was coded
// from, at the movie's rate.
struct StoredSpeech {
    uint16_t id = 0;
    std::string phonemes;
    std::vector<int16_t> samples;
};

// How a movie's speech was stored: the best quality its byte size allows.
struct SpeechQuality {
    unsigned rate = 0;  // samples a second
    unsigned bits = 0;  // ADPCM bits a sample
    double seconds = 0;
    std::vector<StoredSpeech> sounds;
};

std::vector<uint8_t> MakeLessonMovie(const Lesson& lesson, const LessonFonts& fonts, SpeechQuality* quality = nullptr);
