#include "flash/SwfAdpcm.h"

#include "flash/SwfBitReader.h"
#include "flash/SwfError.h"
#include "flash/SwfWriter.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr size_t kPacketFrames = 4096;
// A packet header stores the step index in 6 bits, below the table's top of 88.
constexpr int32_t kStoredIndexMax = 63;

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

struct Channel {
    int32_t predictor = 0;
    int32_t index = 0;

    // The difference a code stands for: a half step of the lowest weight plus the
    // step's halvings its magnitude bits select.
    static int32_t Difference(uint32_t code, unsigned bits, int32_t step) noexcept {
        int32_t diff = step >> (bits - 1);
        for (unsigned bit = 0; bit + 1 < bits; ++bit)
            if (code & (1u << bit)) diff += step >> (bits - 2 - bit);
        return diff;
    }

    int16_t Apply(uint32_t code, unsigned bits, const int8_t* table) noexcept {
        const uint32_t sign = 1u << (bits - 1);
        const int32_t diff = Difference(code & (sign - 1), bits, kSteps[static_cast<size_t>(index)]);
        predictor = std::clamp(code & sign ? predictor - diff : predictor + diff, -32768, 32767);
        index = std::clamp(index + table[code & (sign - 1)], 0, 88);
        return static_cast<int16_t>(predictor);
    }

    // The code whose decoded value comes closest to `sample`, greedily bit by bit.
    uint32_t Encode(int32_t sample, unsigned bits) const noexcept {
        int32_t diff = sample - predictor;
        uint32_t code = 0;
        if (diff < 0) {
            code = 1u << (bits - 1);
            diff = -diff;
        }
        int32_t step = kSteps[static_cast<size_t>(index)];
        for (unsigned bit = bits - 1; bit-- > 0;) {
            if (diff >= step) {
                code |= 1u << bit;
                diff -= step;
            }
            step >>= 1;
        }
        return code;
    }
};

}  // namespace

std::vector<int16_t> DecodeAdpcm(std::span<const uint8_t> data, unsigned channels, size_t frames) {
    if (channels < 1 || channels > 2) throw ESwfError(u"An ADPCM sound has an impossible channel count.");
    std::vector<int16_t> out;
    SwfBitReader in{data};
    try {
        const unsigned bits = in.UB(2) + 2;
        const int8_t* table = IndexTable(bits);
        // A sample needs at least `bits` bits, which bounds what a short body can claim.
        frames = std::min(frames, data.size() * 8 / (bits * channels) + 1);
        out.reserve(frames * channels);
        std::array<Channel, 2> state;
        for (size_t frame = 0; frame < frames; ++frame) {
            if (frame % kPacketFrames == 0) {
                for (unsigned c = 0; c < channels; ++c) {
                    state[c].predictor = in.SB(16);
                    state[c].index = static_cast<int32_t>(in.UB(6));
                    out.push_back(static_cast<int16_t>(state[c].predictor));
                }
                continue;
            }
            for (unsigned c = 0; c < channels; ++c) out.push_back(state[c].Apply(in.UB(bits), bits, table));
        }
    } catch (const ESwfError&) {
        out.resize(out.size() - out.size() % channels);  // whole frames only
    }
    return out;
}

std::vector<uint8_t> EncodeAdpcm(std::span<const int16_t> samples, unsigned channels, unsigned bits) {
    if (channels < 1 || channels > 2 || bits < 2 || bits > 5) throw ESwfError(u"ADPCM takes 1 or 2 channels of 2 to 5 bits.");
    const int8_t* table = IndexTable(bits);
    SwfBitWriter out;
    out.UB(bits - 2, 2);
    std::array<Channel, 2> state;
    const size_t frames = samples.size() / channels;
    for (size_t frame = 0; frame < frames; ++frame) {
        for (unsigned c = 0; c < channels; ++c) {
            const int16_t sample = samples[frame * channels + c];
            if (frame % kPacketFrames == 0) {
                // Go on from the index the header can hold: a decoder starts from it.
                state[c].predictor = sample;
                state[c].index = std::min(state[c].index, kStoredIndexMax);
                out.SB(sample, 16);
                out.UB(static_cast<uint32_t>(state[c].index), 6);
            } else {
                const uint32_t code = state[c].Encode(sample, bits);
                (void)state[c].Apply(code, bits, table);
                out.UB(code, bits);
            }
        }
    }
    return out.Data();
}
