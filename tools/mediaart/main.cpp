// Draws the media player's 27 transport glyphs (16 x 16, olive ground) and the short
// chime the gallery's player plays:
//   mediaart <output folder>
// writes en_mpplay.bmp ... cl_mpeject.bmp (sets "en", "di", "cl") and chime.wav.

#include "framework/core/WaveFile.h"
#include "framework/graphics/BmpCodec.h"
#include "tools/common/SaveFile.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 16;
struct Rgb {
    uint8_t r, g, b;
};
constexpr Rgb kOlive{0x80, 0x80, 0x00}, kBlack{0, 0, 0}, kGrey{0x80, 0x80, 0x80}, kWhite{0xFF, 0xFF, 0xFF},
              kGreen{0x00, 0x99, 0x33}, kRed{0xD0, 0x10, 0x18}, kBlue{0x10, 0x40, 0xC0}, kAmber{0xC0, 0x70, 0x00};

// A shape as a test of pixel centres (x + 0.5, y + 0.5) in a 16-pixel square.
using Shape = std::function<bool(double x, double y)>;

// Right-pointing triangle with its tip at `tip`, base at `base`, from y0 to y1.
bool Triangle(double x, double y, double base, double tip, double y0, double y1) {
    const double mid = (y0 + y1) / 2, half = (y1 - y0) / 2;
    if (tip > base) {
        if (x < base || x > tip) return false;
        return std::abs(y - mid) <= half * (tip - x) / (tip - base);
    }
    if (x > base || x < tip) return false;
    return std::abs(y - mid) <= half * (x - tip) / (base - tip);
}

bool Box(double x, double y, double x0, double y0, double x1, double y1) { return x >= x0 && x < x1 && y >= y0 && y < y1; }

const std::array<Shape, 9> kShapes{
    [](double x, double y) { return Triangle(x, y, 4, 13, 2, 14); },                                 // play
    [](double x, double y) { return Box(x, y, 4, 3, 7, 13) || Box(x, y, 9, 3, 12, 13); },              // pause
    [](double x, double y) { return Box(x, y, 3, 3, 13, 13); },                                        // stop
    [](double x, double y) { return Triangle(x, y, 3, 11, 3, 13) || Box(x, y, 11, 3, 13, 13); },        // next
    [](double x, double y) { return Box(x, y, 3, 3, 5, 13) || Triangle(x, y, 13, 5, 3, 13); },          // previous
    [](double x, double y) { return Triangle(x, y, 2, 8, 4, 12) || Triangle(x, y, 8, 14, 4, 12); },     // step
    [](double x, double y) { return Triangle(x, y, 14, 8, 4, 12) || Triangle(x, y, 8, 2, 4, 12); },     // back
    [](double x, double y) { return (x - 8) * (x - 8) + (y - 8) * (y - 8) <= 5.2 * 5.2; },              // record
    [](double x, double y) {                                                                           // eject
        return (y >= 3 && y <= 9 && std::abs(x - 8) <= (y - 3) * 6 / 6.0) || Box(x, y, 2, 11, 14, 13);
    },
};
constexpr std::array<const char*, 9> kNames{"mpplay", "mppause", "mpstop", "mpnext", "mpprev",
                                            "mpstep", "mpback", "mprecord", "mpeject"};
constexpr std::array<Rgb, 9> kColours{kGreen, kAmber, kRed, kBlue, kBlue, kBlue, kBlue, kRed, kBlue};

std::vector<std::byte> Glyph(const Shape& shape, int set, Rgb colour) {
    DecodedBmp bmp;
    bmp.width = bmp.height = kSide;
    bmp.bitCount = 24;
    bmp.pixels.resize(bmp.Stride() * kSide);
    const auto put = [&](int x, int y, Rgb c) {
        uint8_t* p = bmp.pixels.data() + static_cast<size_t>(y) * bmp.Stride() + static_cast<size_t>(x) * 3;
        p[0] = c.b, p[1] = c.g, p[2] = c.r;
    };
    const auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < kSide && y < kSide && shape(x + 0.5, y + 0.5); };
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            Rgb c = kOlive;
            if (set == 1) {
                // Disabled: grey, etched with a white shadow one pixel down and right.
                if (in(x, y)) c = kGrey;
                else if (in(x - 1, y - 1)) c = kWhite;
            } else if (in(x, y)) {
                c = set == 2 ? colour : kBlack;
            }
            put(x, y, c);
        }
    return EncodeBmp(bmp);
}

// Three rising notes, each fading, about a second and a half at 22,050 frames a second.
std::vector<int16_t> Chime() {
    constexpr unsigned kRate = 22050;
    constexpr std::array<double, 3> kNotes{523.25, 659.25, 783.99};
    std::vector<int16_t> samples(kRate * 3 / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        double v = 0;
        for (size_t n = 0; n < kNotes.size(); ++n) {
            const double t = static_cast<double>(i) / kRate - 0.25 * static_cast<double>(n);
            if (t < 0) continue;
            v += 0.3 * std::sin(2 * std::numbers::pi * kNotes[n] * t) * std::exp(-3 * t);
        }
        samples[i] = static_cast<int16_t>(std::lround(v * 32767));
    }
    return samples;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mediaart <output folder>\n");
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        constexpr std::array<const char*, 3> kSets{"en", "di", "cl"};
        for (int set = 0; set < 3; ++set)
            for (size_t b = 0; b < kShapes.size(); ++b)
                SaveFile(out / (std::string(kSets[set]) + "_" + kNames[b] + ".bmp"), Glyph(kShapes[b], set, kColours[b]));
        SaveFile(out / "chime.wav", WriteWave(22050, Chime()));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mediaart: %s\n", e.what());
        return 1;
    }
}
