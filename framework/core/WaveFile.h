#pragma once
// Reading and writing wave files of plain PCM sound. Platform-neutral, so that the
// parser of these untrusted bytes is tested and fuzzed natively.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct WaveSound {
    unsigned rate = 0;      // frames a second
    unsigned channels = 0;  // 1 or 2
    std::vector<int16_t> samples;  // interleaved by channel; 8-bit sound widened to 16 bits

    size_t Frames() const noexcept { return channels ? samples.size() / channels : 0; }
    // Milliseconds from the start to frame `frame`.
    uint64_t FrameToMs(uint64_t frame) const noexcept { return rate ? frame * 1000 / rate : 0; }
    uint64_t MsToFrame(uint64_t ms) const noexcept { return ms * rate / 1000; }
};

// Largest sound accepted, so that a hostile header cannot ask for gigabytes.
constexpr size_t kMaxWaveSamples = size_t{64} * 1024 * 1024;

// Decodes a RIFF wave file of 8- or 16-bit PCM, mono or stereo, 1,000 to 192,000 frames
// a second. Chunks it does not know are skipped; a data chunk cut short gives the
// frames that are there. Throws EReadError for anything else.
WaveSound ReadWave(std::span<const std::byte> bytes);

// A 16-bit mono wave file of `samples` at `rate`.
std::vector<std::byte> WriteWave(unsigned rate, std::span<const int16_t> samples);
