#pragma once
// Encodes sounds in the movie format's ADPCM coding, for the movies the lesson
// generator and the tests write. The player only decodes (flash/SwfAdpcm.h).

#include <cstdint>
#include <span>
#include <vector>

// Encodes interleaved samples of `channels` (1 or 2) channels with `bits` (2 to 5)
// bits a sample; throws ESwfError for other counts.
std::vector<uint8_t> EncodeAdpcm(std::span<const int16_t> samples, unsigned channels, unsigned bits);
