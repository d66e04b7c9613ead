// The lessons' speech: the KK-to-espeak-ng code table and the transcriptions built on
// it must be codes espeak-ng knows, or it silently says less than it was given.

#include "tools/lessongen/LessonContent.h"
#include "tools/lessongen/Speech.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace {

TEST(LessonSpeech, EspeakEchoesTheCodeOfEverySymbolAndWord) {
    std::set<std::string> codes;
    size_t symbols = 0;
    for (const Lesson& lesson : Lessons()) {
        for (const LessonItem& item : lesson.items) {
            if (lesson.kind == LessonKind::Chart) {
                ++symbols;
                codes.insert(SymbolUtterance(item.symbol));
            }
            for (const Example& example : item.examples) codes.insert(TranscriptionPhonemes(example.kk));
        }
    }
    EXPECT_EQ(symbols, 47u);
    for (const std::string& code : codes) {
        const std::string echo = EchoPhonemes(code);
        EXPECT_FALSE(echo.empty()) << code;
        // espeak-ng moves stress marks next to the vowel; the phonemes must all come back.
        EXPECT_EQ(WithoutStress(echo), WithoutStress(code)) << code << " came back as " << echo;
    }
}

TEST(LessonSpeech, TranscriptionsBecomeCodesOrAreRefused) {
    EXPECT_EQ(TranscriptionPhonemes("ˌɪnfɚˈmeʃən"), ",Inf3'meIS@n");
    EXPECT_EQ(TranscriptionPhonemes("kɑr"), "k'A@");      // one syllable: stressed on its vowel
    EXPECT_EQ(TranscriptionPhonemes("hwɑt"), "hw'A:t");   // hw is one symbol, not h then w
    EXPECT_EQ(TranscriptionPhonemes("ˈtʃɛr"), "'tSe@");
    EXPECT_EQ(SymbolUtterance("ŋ"), "'@N");
    EXPECT_EQ(SymbolUtterance("p"), "'p@");
    EXPECT_EQ(SymbolUtterance("θ"), "'T@");  // a consonant whatever the lesson it is in
    EXPECT_EQ(SymbolUtterance("ɚ"), "'@_:3");
    EXPECT_THROW(TranscriptionPhonemes("kæx"), std::runtime_error);    // no code for x
    EXPECT_THROW(TranscriptionPhonemes("ˈjuʒʊəl"), std::runtime_error);  // ʊ then ə would read as ʊr
    EXPECT_THROW(SymbolPhonemes("q"), std::runtime_error);
}

TEST(LessonSpeech, SpeechIsTrimmedAndLevelled) {
    const auto samples = Speak(SymbolUtterance("i"));
    ASSERT_GT(samples.size(), kSpeechRate / 5);
    EXPECT_LT(samples.size(), kSpeechRate);  // espeak-ng's half second of silence is gone
    EXPECT_EQ(samples.front(), 0);           // faded in and out: no click
    EXPECT_EQ(samples.back(), 0);
    int peak = 0;
    for (const int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
    EXPECT_EQ(peak, 26000);

    // A weak syllable: only what follows the pause, faded, quieter than the stressed
    // schwa before it was.
    const auto weak = Speak(SymbolUtterance("ɚ"));
    ASSERT_GT(weak.size(), kSpeechRate / 10);
    EXPECT_EQ(weak.front(), 0);
    EXPECT_EQ(weak.back(), 0);
    peak = 0;
    for (const int16_t s : weak) peak = std::max(peak, std::abs(int{s}));
    EXPECT_LT(peak, 26000 * 3 / 4);
    EXPECT_THROW(Speak(std::string(kWeakLead)), std::runtime_error);  // no weak syllable after the pause
}

}  // namespace
