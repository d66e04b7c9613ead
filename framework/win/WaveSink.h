#pragma once
// The platform's wave output as a stream of 16-bit stereo samples, behind an interface
// so that tests can count what is written instead of needing a sound card. The movie
// player and the media player both play through it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

// Buffers a sink keeps queued at most.
constexpr size_t kWaveSinkBuffers = 6;

// One open stream of interleaved 16-bit stereo samples.
class WaveSink {
public:
    virtual ~WaveSink() = default;
    // False when there is no device to play on.
    virtual bool Open(unsigned rate) = 0;
    // Queues a buffer of samples; false when the device refused it.
    virtual bool Write(std::span<const int16_t> samples) = 0;
    // Buffers written that have not finished playing.
    virtual size_t Pending() = 0;
    // Drops whatever is queued, at once, and closes the device.
    virtual void Close() noexcept = 0;
};

using WaveSinkFactory = std::function<std::unique_ptr<WaveSink>()>;

// The sink on the system's wave output (winmm).
std::unique_ptr<WaveSink> MakeSystemWaveSink();
