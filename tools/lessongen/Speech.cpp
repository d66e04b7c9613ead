#include "tools/lessongen/Speech.h"

#include "framework/core/LittleEndian.h"
#include "tools/common/FontOutline.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <span>
#include <stdexcept>
#include <utility>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct SymbolCode {
    std::u32string_view symbol;
    const char* code;
    bool vowel;
};

// KK symbol to espeak-ng code, longest symbols first so that they win.
constexpr SymbolCode kCodes[] = {
    {U"ɑr", "A@", true}, {U"ɔr", "O@", true}, {U"ɪr", "i@3", true}, {U"ɛr", "e@", true}, {U"ʊr", "U@", true},
    {U"aɪ", "aI", true}, {U"aʊ", "aU", true}, {U"ɔɪ", "OI", true}, {U"tʃ", "tS", false}, {U"dʒ", "dZ", false},
    {U"hw", "hw", false},
    {U"i", "i:", true},  {U"ɪ", "I", true},   {U"ɛ", "E", true},   {U"æ", "a", true},   {U"ɑ", "A:", true},
    {U"ɔ", "O:", true},  {U"ʊ", "U", true},   {U"u", "u:", true},  {U"ʌ", "V", true},   {U"ɜ", "3:", true},
    {U"ə", "@", true},   {U"ɚ", "3", true},   {U"e", "eI", true},  {U"o", "oU", true},
    {U"p", "p", false},  {U"b", "b", false},  {U"t", "t", false},  {U"d", "d", false},  {U"k", "k", false},
    {U"g", "g", false},  {U"f", "f", false},  {U"v", "v", false},  {U"θ", "T", false},  {U"ð", "D", false},
    {U"s", "s", false},  {U"z", "z", false},  {U"ʃ", "S", false},  {U"ʒ", "Z", false},  {U"h", "h", false},
    {U"m", "m", false},  {U"n", "n", false},  {U"ŋ", "N", false},  {U"l", "l", false},  {U"r", "r", false},
    {U"j", "j", false},  {U"w", "w", false},
};

// Codes of several letters that two neighbouring codes must not spell by accident.
constexpr std::string_view kJoined[] = {"i@", "I@", "e@", "U@", "O@", "A@", "aI", "aU", "eI", "oU", "OI", "i:", "u:", "A:",
                                        "O:", "3:", "tS", "dZ", "@L", "@2", "@5"};

// Runs a program with arguments (no shell) and returns what it wrote to stdout.
std::string Run(const std::vector<std::string>& args) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) throw std::runtime_error("cannot make a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    if (spawned == 0) {
        char buffer[65536];
        ssize_t got = 0;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " failed; is espeak-ng installed? (scripts/setup installs it)");
    return output;
}

std::vector<std::string> Espeak(std::initializer_list<std::string> options, const std::string& phonemes) {
    // The American voice, a little slower than its default for learners.
    std::vector<std::string> args = {"espeak-ng", "-v", "en-us", "-s", "140"};
    args.insert(args.end(), options);
    args.push_back("[[" + phonemes + "]]");
    return args;
}

// Samples of espeak-ng's WAV output: it streams, so the data chunk runs to the end
// whatever its header says.
std::vector<int16_t> WavSamples(const std::string& wav) {
    const auto data = wav.find("data");
    if (wav.compare(0, 4, "RIFF") != 0 || data == std::string::npos || data + 8 > wav.size())
        throw std::runtime_error("espeak-ng wrote no WAV data");
    std::vector<int16_t> samples((wav.size() - data - 8) / 2);
    const auto bytes = std::as_bytes(std::span(wav)).subspan(data + 8);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(GetLe16(bytes, 2 * i));
    return samples;
}

bool Loud(int16_t sample) { return std::abs(int{sample}) > 250; }

int Peak(std::span<const int16_t> samples) {
    int peak = 1;
    for (const int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
    return peak;
}

// Where the silence after the first stretch of voice begins, when it lasts 40 ms:
// what follows is the weak syllable of a kWeakLead utterance.
size_t PauseStart(std::span<const int16_t> samples) {
    constexpr size_t kPause = kSpeechRate * 40 / 1000;
    size_t i = static_cast<size_t>(std::find_if(samples.begin(), samples.end(), Loud) - samples.begin());
    for (size_t quiet = 0; i < samples.size(); ++i) {
        if (!Loud(samples[i])) ++quiet;
        else if (quiet >= kPause) return i - quiet;
        else quiet = 0;
    }
    throw std::runtime_error("espeak-ng made no pause before the weak syllable");
}

// Keeps the voiced part with short margins, fades its ends over 5 ms and scales it
// so that `peak` comes to a common level; integer arithmetic, so the result is the
// same on every machine.
std::vector<int16_t> Trim(std::span<const int16_t> samples, int peak) {
    constexpr int kPeak = 26000;
    constexpr size_t kBefore = kSpeechRate * 15 / 1000, kAfter = kSpeechRate * 40 / 1000, kFade = kSpeechRate * 5 / 1000;
    const auto first = std::find_if(samples.begin(), samples.end(), Loud);
    if (first == samples.end()) throw std::runtime_error("espeak-ng said nothing");
    const auto last = std::find_if(samples.rbegin(), samples.rend(), Loud).base();
    const size_t begin = static_cast<size_t>(first - samples.begin()) - std::min<size_t>(kBefore, first - samples.begin());
    const size_t end = std::min(samples.size(), static_cast<size_t>(last - samples.begin()) + kAfter);
    std::vector<int16_t> out(samples.begin() + static_cast<std::ptrdiff_t>(begin), samples.begin() + static_cast<std::ptrdiff_t>(end));
    for (size_t i = 0; i < out.size(); ++i) {
        int64_t value = int64_t{out[i]} * kPeak / peak;
        const size_t edge = std::min(i, out.size() - 1 - i);
        if (edge < kFade) value = value * static_cast<int64_t>(edge) / static_cast<int64_t>(kFade);
        out[i] = static_cast<int16_t>(value);
    }
    return out;
}

const SymbolCode* Match(std::u32string_view text) {
    for (const auto& entry : kCodes)
        if (text.substr(0, entry.symbol.size()) == entry.symbol) return &entry;
    return nullptr;
}

const SymbolCode& Entry(std::string_view symbol) {
    const std::u32string text = Utf32(symbol);
    for (const auto& entry : kCodes)
        if (entry.symbol == text) return entry;
    throw std::runtime_error("no phoneme code for /" + std::string(symbol) + "/");
}

}  // namespace

std::string SymbolPhonemes(std::string_view symbol) { return Entry(symbol).code; }

std::string SymbolUtterance(std::string_view symbol) {
    const SymbolCode& entry = Entry(symbol);
    const std::string code = entry.code;
    if (entry.vowel) return (symbol == "ɚ" ? std::string(kWeakLead) : "'") + code;
    if (symbol == "ŋ") return "'@" + code;
    return "'" + code + "@";
}

std::string TranscriptionPhonemes(std::string_view kk) {
    std::u32string text = Utf32(kk);
    std::string out;
    bool marked = false;
    std::string previous;
    while (!text.empty()) {
        if (text[0] == U'ˈ' || text[0] == U'ˌ') {
            out += text[0] == U'ˈ' ? "'" : ",";
            marked = marked || text[0] == U'ˈ';
            text.erase(0, 1);
            previous.clear();
            continue;
        }
        const SymbolCode* entry = Match(text);
        if (!entry) throw std::runtime_error("/" + std::string(kk) + "/ holds a character with no phoneme code");
        const std::string code = entry->code;
        if (!previous.empty()) {
            const std::string seam = previous.substr(previous.size() - 1) + code.substr(0, 1);
            for (const auto joined : kJoined)
                if (seam == joined)
                    throw std::runtime_error("/" + std::string(kk) + "/ would read \"" + seam + "\" as one phoneme");
        }
        // A word without a primary stress mark has it on its first vowel.
        if (entry->vowel && !marked && kk.find("ˈ") == std::string_view::npos) {
            out += "'";
            marked = true;
        }
        out += code;
        previous = code;
        text.erase(0, entry->symbol.size());
    }
    return out;
}

std::vector<int16_t> Speak(const std::string& phonemes) {
    const std::vector<int16_t> said = WavSamples(Run(Espeak({"--stdout"}, phonemes)));
    std::span<const int16_t> kept = said;
    if (phonemes.starts_with(kWeakLead)) kept = kept.subspan(PauseStart(said));
    return Trim(kept, Peak(said));
}

std::string EchoPhonemes(const std::string& phonemes) {
    std::string echo = Run(Espeak({"-q", "-x"}, phonemes));
    const auto isSpace = [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; };
    while (!echo.empty() && isSpace(echo.back())) echo.pop_back();
    echo.erase(echo.begin(), std::find_if_not(echo.begin(), echo.end(), isSpace));
    return echo;
}

std::string WithoutStress(std::string_view phonemes) {
    std::string out;
    for (const char c : phonemes)
        if (c != '\'' && c != ',') out.push_back(c);
    return out;
}
