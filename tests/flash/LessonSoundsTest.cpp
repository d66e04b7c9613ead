// The lessons' sounds as the shipped movies store them: each decodes whole to the
// speech the generator coded it from, whatever decoder follows the format.

#include "flash/SwfBitReader.h"
#include "flash/SwfMovie.h"
#include "flash/SwfRecords.h"
#include "tests/flash/LessonBytes.h"
#include "tests/flash/SoundMeasure.h"
#include "tools/common/ContentFonts.h"
#include "tools/common/FontOutline.h"
#include "tools/lessongen/LessonContent.h"
#include "tools/lessongen/LessonMovie.h"
#include "tools/lessongen/Speech.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Each lesson made again, with the samples of every sound before they were coded.
struct MadeLesson {
    char letter;
    SpeechQuality speech;
};

const std::vector<MadeLesson>& Made() {
    static const std::vector<MadeLesson> made = [] {
        const FontSet regular{{kDejaVuSans, kZenHei}};
        const FontSet bold{{kDejaVuSansBold, kZenHei}};
        std::vector<MadeLesson> all;
        for (const Lesson& lesson : Lessons()) {
            SpeechQuality speech;
            MakeLessonMovie(lesson, {regular, bold}, &speech);
            all.push_back({lesson.letter, std::move(speech)});
        }
        return all;
    }();
    return made;
}

// The lessons' speech, all at 5 bits a sample, comes back at 27 dB or better (34 dB
// the median); a sound whose later packets are decoded with the wrong step sizes
// comes back at 14 dB or worse.
constexpr double kMinSnrDb = 20;

TEST(LessonSounds, EveryStoredSoundDecodesToTheSpeechItWasMadeFrom) {
    std::vector<double> all;
    for (const auto& [letter, speech] : Made()) {
        SCOPED_TRACE(letter);
        const SwfMovie movie = SwfMovie::Parse(LessonBytes(letter));
        EXPECT_EQ(movie.SoundCount(), speech.sounds.size());
        for (const StoredSpeech& made : speech.sounds) {
            SCOPED_TRACE(made.phonemes);
            const SwfSound* stored = movie.FindSound(made.id);
            ASSERT_NE(stored, nullptr);
            EXPECT_EQ(stored->format, SwfSoundFormat::Adpcm);
            EXPECT_EQ(stored->Rate(), speech.rate);
            ASSERT_EQ(stored->samples.size(), made.samples.size());
            const double snr = SnrDb(made.samples, stored->samples);
            EXPECT_GT(snr, kMinSnrDb);
            all.push_back(snr);
        }
    }
    ASSERT_EQ(all.size(), 240u);
    std::sort(all.begin(), all.end());
    std::printf("%zu sounds: SNR %.1f dB at worst, %.1f dB median\n", all.size(), all.front(), all[all.size() / 2]);
}

// The ADPCM body of each DefineSound, by sound id, read from the bytes themselves.
std::map<uint16_t, std::span<const uint8_t>> SoundBodies(std::span<const uint8_t> bytes) {
    std::map<uint16_t, std::span<const uint8_t>> bodies;
    SwfBitReader in{bytes};
    in.Skip(8);
    ReadRect(in);
    in.Skip(4);
    while (!in.AtEnd()) {
        const uint16_t codeAndLength = in.U16();
        size_t length = codeAndLength & 0x3F;
        if (length == 0x3F) length = in.U32();
        const auto body = in.Bytes(length);
        if (codeAndLength >> 6 == static_cast<uint16_t>(SwfTagCode::DefineSound) && body.size() > 7)
            bodies[static_cast<uint16_t>(body[0] | body[1] << 8)] = body.subspan(7);
    }
    return bodies;
}

// How the step index moves after each code magnitude, for 2 to 5 bits a sample.
const std::array<std::vector<int>, 4> kIndexMoves = {{{-1, 2},
                                                      {-1, -1, 2, 4},
                                                      {-1, -1, -1, -1, 2, 4, 6, 8},
                                                      {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16}}};

// Every packet after the first stores the step index the codes before it reached,
// limited to the 63 its 6 bits hold, not that index wrapped round.
TEST(LessonSounds, EveryPacketStoresTheStepIndexItsCodesReached) {
    size_t packets = 0, limited = 0;
    unsigned highest = 0;
    for (const auto& [letter, speech] : Made()) {
        SCOPED_TRACE(letter);
        const auto bytes = LessonBytes(letter);
        const auto bodies = SoundBodies(bytes);
        for (const StoredSpeech& made : speech.sounds) {
            SCOPED_TRACE(made.phonemes);
            ASSERT_EQ(bodies.count(made.id), 1u);
            SwfBitReader in{bodies.at(made.id)};
            const unsigned bits = in.UB(2) + 2;
            const std::vector<int>& moves = kIndexMoves[bits - 2];
            int reached = 0;
            for (size_t frame = 0; frame < made.samples.size(); ++frame) {
                if (frame % 4096 == 0) {
                    in.SB(16);
                    const unsigned stored = in.UB(6);
                    if (frame > 0) {
                        EXPECT_EQ(stored, static_cast<unsigned>(std::min(reached, 63))) << "packet at " << frame;
                        ++packets;
                        limited += reached > 63;
                    }
                    highest = std::max(highest, stored);
                    reached = static_cast<int>(stored);
                    continue;
                }
                const uint32_t code = in.UB(bits);
                reached = std::clamp(reached + moves[code & ((1u << (bits - 1)) - 1)], 0, 88);
            }
        }
    }
    std::printf("%zu packets after a sound's first: %zu reached an index above 63; the highest stored is %u\n", packets,
                limited, highest);
}

// Measures of a clip as the learner hears it.
struct ClipMeasure {
    double seconds = 0;
    double levelDb = 0;            // RMS over its voiced frames, below full scale
    std::vector<double> spectrum;  // mean magnitude over its voiced frames, bins of 43 Hz up to 5.5 kHz
};

// Voiced frames are those within 20 dB of the clip's loudest 23 ms frame.
ClipMeasure Measure(const SwfSound& sound) {
    constexpr size_t kFrame = 512, kHop = 256, kBins = 128;
    const std::vector<int16_t>& s = sound.samples;
    ClipMeasure m;
    m.seconds = static_cast<double>(s.size()) / sound.Rate();
    m.spectrum.assign(kBins, 0);
    std::vector<double> energies, window;
    for (size_t at = 0; at + kFrame <= s.size(); at += kHop) {
        double e = 0;
        for (size_t i = 0; i < kFrame; ++i) e += double(s[at + i]) * s[at + i];
        energies.push_back(e / kFrame);
    }
    for (size_t i = 0; i < kFrame; ++i) window.push_back(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / kFrame));
    const double loudest = energies.empty() ? 0 : *std::max_element(energies.begin(), energies.end());
    double energy = 0;
    size_t voiced = 0;
    for (size_t f = 0; f < energies.size(); ++f) {
        if (energies[f] < loudest / 100) continue;
        ++voiced;
        energy += energies[f];
        for (size_t bin = 1; bin <= kBins; ++bin) {
            double re = 0, im = 0;
            for (size_t i = 0; i < kFrame; ++i) {
                const double phase = 2 * std::numbers::pi * bin * i / kFrame;
                re += window[i] * s[f * kHop + i] * std::cos(phase);
                im -= window[i] * s[f * kHop + i] * std::sin(phase);
            }
            m.spectrum[bin - 1] += std::hypot(re, im) / kFrame;
        }
    }
    if (voiced == 0) return m;
    for (double& v : m.spectrum) v /= voiced;
    m.levelDb = 10 * std::log10(energy / voiced / (32768.0 * 32768.0));
    return m;
}

// 1 for spectra of the same shape, whatever their level.
double Similarity(const std::vector<double>& a, const std::vector<double>& b) {
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < a.size(); ++i) ab += a[i] * b[i], aa += a[i] * a[i], bb += b[i] * b[i];
    return ab / std::sqrt(aa * bb);
}

// Log-spectral distance: the RMS difference of the two spectra in dB, level included.
double SpectralDistanceDb(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += std::pow(20 * std::log10(std::max(a[i], 1.0) / std::max(b[i], 1.0)), 2);
    return std::sqrt(sum / a.size());
}

// espeak-ng says /ɚ/ on its own just as it says /ɜ/; the lesson says it as the weak
// syllable it is, and the learner must hear that.
TEST(LessonSounds, WeakErIsShorterAndQuieterThanStressedEr) {
    const MadeLesson& f = *std::find_if(Made().begin(), Made().end(), [](const MadeLesson& m) { return m.letter == 'F'; });
    const SwfMovie movie = SwfMovie::Parse(LessonBytes('F'));
    const auto stored = [&](const char* symbol) {
        for (const StoredSpeech& made : f.speech.sounds)
            if (const SwfSound* sound = movie.FindSound(made.id); sound && made.phonemes == SymbolUtterance(symbol))
                return Measure(*sound);
        throw std::runtime_error("lesson F stores no sound for /" + std::string(symbol) + "/");
    };
    const ClipMeasure stressed = stored("ɜ"), weak = stored("ɚ");
    const double distance = SpectralDistanceDb(stressed.spectrum, weak.spectrum);
    std::printf("/ɜ/ %.3f s at %.1f dB, /ɚ/ %.3f s at %.1f dB; spectra %.1f dB apart, their shapes %.3f alike\n",
                stressed.seconds, stressed.levelDb, weak.seconds, weak.levelDb, distance,
                Similarity(stressed.spectrum, weak.spectrum));
    EXPECT_LT(weak.seconds, stressed.seconds * 0.65);
    EXPECT_LT(weak.levelDb, stressed.levelDb - 4);
    EXPECT_GT(distance, 6);  // the two as espeak-ng says them alone: 5.0 dB
}

}  // namespace
