#pragma once
// Sounds of a movie: DefineSound bodies decoded to 16-bit samples, and the sound info
// of StartSound and DefineButtonSound that says how one is played.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class SwfBitReader;

enum class SwfSoundFormat : uint8_t { PcmNative = 0, Adpcm = 1, Mp3 = 2, PcmLittleEndian = 3 };

struct SwfSound {
    uint16_t id = 0;
    SwfSoundFormat format = SwfSoundFormat::PcmLittleEndian;
    uint8_t rateCode = 0;  // 0 to 3: 5.5, 11, 22 or 44 kHz
    unsigned channels = 1;
    // Decoded, interleaved by channel. Empty for a format the player does not decode.
    std::vector<int16_t> samples;

    // Samples a second: 5512.5, 11025, 22050 or 44100.
    double Rate() const noexcept { return 44100.0 / (1u << (3 - rateCode)); }
    size_t Frames() const noexcept { return samples.size() / channels; }
};

struct SwfEnvelopePoint {
    uint32_t position = 0;  // in samples at 44 kHz from the start of the sound
    uint16_t left = 32768, right = 32768;  // 32768 is full level
    bool operator==(const SwfEnvelopePoint&) const = default;
};

struct SwfSoundInfo {
    bool stop = false;        // stop the sound where it plays instead of starting it
    bool noMultiple = false;  // do not start it again while it plays
    uint16_t loops = 1;
    // In and out points, in samples at 44 kHz; no out point plays to the end.
    uint32_t inPoint = 0;
    uint32_t outPoint = 0;
    bool hasOutPoint = false;
    std::vector<SwfEnvelopePoint> envelope;
    bool operator==(const SwfSoundInfo&) const = default;
};

struct SwfStartSound {
    uint16_t sound = 0;
    SwfSoundInfo info;
};

// Reads a DefineSound body. Throws ESwfError when the header is malformed; at most
// `maxSamples` samples are decoded, and sample data that ends early gives a shorter sound.
SwfSound ReadSound(SwfBitReader& in, size_t maxSamples);
SwfSoundInfo ReadSoundInfo(SwfBitReader& in);
