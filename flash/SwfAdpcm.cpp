#include "flash/SwfAdpcm.h"

#include "flash/SwfBitReader.h"
#include "flash/SwfError.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int32_t, 89> kSteps = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

// How the step index moves after a code of each magnitude, per code size.
constexpr int8_t kIndex2[] = {-1, 2};
constexpr int8_t kIndex3[] = {-1, -1, 2, 4};
constexpr int8_t kIndex4[] = {-1, -1, -1, -1, 2, 4, 6, 8};
constexpr int8_t kIndex5[] = {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16};

const int8_t* IndexTable(unsigned bits) noexcept {
    switch (bits) {
    case 2: return kIndex2;
    case 3: return kIndex3;
    case 4: return kIndex4;
    default: return kIndex5;
    }
}

// The difference a code stands for: a half step of the lowest weight plus the step's
// halvings its magnitude bits select.
int32_t Difference(uint32_t code, unsigned bits, int32_t step) noexcept {
    int32_t diff = step >> (bits - 1);
    for (unsigned bit = 0; bit + 1 < bits; ++bit)
        if (code & (1u << bit)) diff += step >> (bits - 2 - bit);
    return diff;
}

}  // namespace

int32_t AdpcmChannel::Step() const noexcept { return kSteps[static_cast<size_t>(std::clamp(index, 0, 88))]; }

int16_t AdpcmChannel::Apply(uint32_t code, unsigned bits) noexcept {
    const uint32_t sign = 1u << (bits - 1);
    const int32_t diff = Difference(code & (sign - 1), bits, Step());
    predictor = std::clamp(code & sign ? predictor - diff : predictor + diff, -32768, 32767);
    index = std::clamp(index + IndexTable(bits)[code & (sign - 1)], 0, 88);
    return static_cast<int16_t>(predictor);
}

std::vector<int16_t> DecodeAdpcm(std::span<const uint8_t> data, unsigned channels, size_t frames) {
    if (channels < 1 || channels > 2) throw ESwfError(u"An ADPCM sound has an impossible channel count.");
    std::vector<int16_t> out;
    SwfBitReader in{data};
    try {
        const unsigned bits = in.UB(2) + 2;
        // A sample needs at least `bits` bits, which bounds what a short body can claim.
        frames = std::min(frames, data.size() * 8 / (bits * channels) + 1);
        out.reserve(frames * channels);
        std::array<AdpcmChannel, 2> state;
        for (size_t frame = 0; frame < frames; ++frame) {
            if (frame % kAdpcmPacketFrames == 0) {
                for (unsigned c = 0; c < channels; ++c) {
                    state[c].predictor = in.SB(16);
                    state[c].index = static_cast<int32_t>(in.UB(6));
                    out.push_back(static_cast<int16_t>(state[c].predictor));
                }
                continue;
            }
            for (unsigned c = 0; c < channels; ++c) out.push_back(state[c].Apply(in.UB(bits), bits));
        }
    } catch (const ESwfError&) {
        out.resize(out.size() - out.size() % channels);  // whole frames only
    }
    return out;
}
