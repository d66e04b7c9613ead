// Wave files from outside: the media player opens whatever file it is given.
#include "framework/core/WaveFile.h"

#include "framework/core/Exception.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    try {
        const WaveSound sound = ReadWave(bytes);
        if (sound.channels < 1 || sound.channels > 2 || sound.samples.size() % sound.channels != 0) std::abort();
        if (sound.samples.size() > kMaxWaveSamples) std::abort();
    } catch (const EReadError&) {
        // Refusing a malformed file is the outcome the target allows; anything else aborts.
    }
    return 0;
}
