#include "flash/authoring/SwfAdpcmEncoder.h"

#include "flash/SwfAdpcm.h"
#include "flash/SwfError.h"
#include "flash/authoring/SwfWriter.h"

#include <algorithm>
#include <array>

namespace {

// A packet header stores the step index in 6 bits, below the table's top of 88.
constexpr int32_t kStoredIndexMax = 63;

// The code whose decoded value comes closest to `sample`, greedily bit by bit.
uint32_t NearestCode(const AdpcmChannel& channel, int32_t sample, unsigned bits) noexcept {
    int32_t diff = sample - channel.predictor;
    uint32_t code = 0;
    if (diff < 0) {
        code = 1u << (bits - 1);
        diff = -diff;
    }
    int32_t step = channel.Step();
    for (unsigned bit = bits - 1; bit-- > 0;) {
        if (diff >= step) {
            code |= 1u << bit;
            diff -= step;
        }
        step >>= 1;
    }
    return code;
}

}  // namespace

std::vector<uint8_t> EncodeAdpcm(std::span<const int16_t> samples, unsigned channels, unsigned bits) {
    if (channels < 1 || channels > 2 || bits < 2 || bits > 5)
        throw ESwfError(u"ADPCM takes 1 or 2 channels of 2 to 5 bits.");
    SwfBitWriter out;
    out.UB(bits - 2, 2);
    std::array<AdpcmChannel, 2> state;
    const size_t frames = samples.size() / channels;
    for (size_t frame = 0; frame < frames; ++frame) {
        for (unsigned c = 0; c < channels; ++c) {
            const int16_t sample = samples[frame * channels + c];
            if (frame % kAdpcmPacketFrames == 0) {
                // Go on from the index the header can hold: a decoder starts from it.
                state[c].predictor = sample;
                state[c].index = std::min(state[c].index, kStoredIndexMax);
                out.SB(sample, 16);
                out.UB(static_cast<uint32_t>(state[c].index), 6);
            } else {
                const uint32_t code = NearestCode(state[c], sample, bits);
                (void)state[c].Apply(code, bits);
                out.UB(code, bits);
            }
        }
    }
    return out.Data();
}
