#pragma once
// The lessons' voice: espeak-ng's American English voice, run at generation time.
// espeak-ng reads phoneme codes of its own, not IPA, so KK transcriptions are turned
// into its codes through the lesson's symbol table.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The espeak-ng code of one KK symbol ("ɑr" -> "A@"); throws std::runtime_error for
// a symbol the table does not have.
std::string SymbolPhonemes(std::string_view symbol);

// What says a symbol on its own: a vowel with stress, but /ɚ/, which is never
// stressed, as a weak syllable (see Speak); a consonant, nearly silent alone, as a
// syllable with schwa (ŋ, which starts no English syllable, after it). Throws
// std::runtime_error for a symbol the table does not have.
std::string SymbolUtterance(std::string_view symbol);

// The espeak-ng codes of a KK transcription ("ˌɪnfɚˈmeʃən" -> ",Inf3m'eIS@n"): the
// longest symbol first, ˈ and ˌ as ' and , and a primary stress before the first
// vowel of a word that marks none (KK leaves one-syllable words unmarked). Throws
// std::runtime_error for a character no symbol covers, or where two codes would run
// together into another one ("U" then "@" reads as "U@").
std::string TranscriptionPhonemes(std::string_view kk);

// Runs espeak-ng on phoneme codes: 16-bit mono samples at 22,050 Hz, silence trimmed
// to short margins, faded at both ends and brought to one peak level. espeak-ng
// stresses any syllable said alone, so codes that start with kWeakLead say a weak
// syllable after a stressed schwa and a pause, and only that syllable is kept, as
// short and as much quieter as it was there. Throws std::runtime_error when
// espeak-ng cannot run or says nothing.
std::vector<int16_t> Speak(const std::string& phonemes);

// What starts the codes of a weak syllable: a stressed schwa and a pause.
inline constexpr std::string_view kWeakLead = "'@_:";

// What espeak-ng makes of phoneme codes (`espeak-ng -q -x`), spaces trimmed. A code
// it does not know cuts its input short, which this shows.
std::string EchoPhonemes(const std::string& phonemes);

// Phoneme codes without their stress marks, for comparing with the echo.
std::string WithoutStress(std::string_view phonemes);

inline constexpr unsigned kSpeechRate = 22050;
