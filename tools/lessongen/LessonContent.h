#pragma once
// What the sixteen lesson movies teach: titles, symbols and example words, and the
// header facts each movie must keep (stage size, frame count, exact byte size).

#include <cstddef>
#include <vector>

enum class LessonKind { Chart, Rules, Stress, Sounds };

// One thing a lesson shows. Sounds and the chart: a KK symbol and example words.
// Rules: a spelling, the symbol it spells and a word. Stress: a rule in Chinese and
// marked examples ("[...]" marks the stressed syllable).
struct LessonItem {
    const char* symbol;
    const char* words;
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
