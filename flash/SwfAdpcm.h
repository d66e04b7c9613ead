#pragma once
// The movie format's ADPCM sound coding: 2 to 5 bits a sample, in packets of 4096
// samples per channel that each start from a stored sample and step index.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr size_t kAdpcmPacketFrames = 4096;

// One channel of the coding: the sample it predicts and the index of its step size,
// both moved on by every code. The encoder of the movie authoring code steps the same
// state, so that it predicts exactly what the decoder will make.
struct AdpcmChannel {
    int32_t predictor = 0;
    int32_t index = 0;  // 0 to 88

    // The step size at the current index.
    int32_t Step() const noexcept;
    // Decodes one code of `bits` (2 to 5) bits and moves the state on.
    int16_t Apply(uint32_t code, unsigned bits) noexcept;
};

// Decodes up to `frames` sample frames (one sample per channel) from an ADPCM sound
// body; `channels` is 1 or 2. Stops early, keeping what it decoded, where the data
// ends, so a truncated sound plays its first part.
std::vector<int16_t> DecodeAdpcm(std::span<const uint8_t> data, unsigned channels, size_t frames);
