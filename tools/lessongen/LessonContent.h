#pragma once
// What the sixteen lesson movies teach: titles, symbols with example words and their
// KK transcriptions, tips on making each sound, spelling and stress rules, and the
// header facts each movie must keep (stage size, frame count, exact byte size).

#include <cstddef>
#include <vector>

enum class LessonKind { Chart, Rules, Stress, Sounds };

// A word and its KK transcription. In `word`, "[...]" marks the letters a rule is
// about or the stressed syllable, and "·" parts syllables.
struct Example {
    const char* word;
    const char* kk;
};

// Sounds lessons and the chart: a symbol, its examples and a tip in Chinese.
// Rules: `spelling` spells `symbol`, as in the examples. Stress: `tip` states the
// rule and the examples show it.
struct LessonItem {
    const char* symbol = "";
    std::vector<Example> examples;
    const char* tip = "";
    const char* spelling = "";
    bool consonant = false;
};

struct Lesson {
    char letter;
    const char* title;
    LessonKind kind;
    int width, height;  // stage in pixels
    int frames;
    size_t size;  // bytes
    std::vector<LessonItem> items;
};

const std::vector<Lesson>& Lessons();
