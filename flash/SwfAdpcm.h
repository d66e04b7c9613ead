#pragma once
// The movie format's ADPCM sound coding: 2 to 5 bits a sample, in packets of 4096
// samples per channel that each start from a stored sample and step index.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Decodes up to `frames` sample frames (one sample per channel) from an ADPCM sound
// body; `channels` is 1 or 2. Stops early, keeping what it decoded, where the data
// ends, so a truncated sound plays its first part.
std::vector<int16_t> DecodeAdpcm(std::span<const uint8_t> data, unsigned channels, size_t frames);

// Encodes interleaved samples with `bits` (2 to 5) bits a sample.
std::vector<uint8_t> EncodeAdpcm(std::span<const int16_t> samples, unsigned channels, unsigned bits);
