#pragma once
// Mixes the sounds a movie plays into one stream of 16-bit stereo samples at 22,050 Hz,
// honouring each start's sound info (stop, no multiple, in and out points, loops,
// envelope). Platform-neutral; the wave output pulls the stream from it.

#include "flash/SwfSound.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class SoundMixer {
public:
    static constexpr unsigned kRate = 22050;
    static constexpr unsigned kChannels = 2;

    // Starts `sound` as `info` says (or, with info.stop, stops it). The mixer keeps the
    // sound alive while it plays.
    void Start(std::shared_ptr<const SwfSound> sound, const SwfSoundInfo& info);
    void Stop(uint16_t id) noexcept;
    void StopAll() noexcept;

    bool IsActive() const noexcept { return !m_voices.empty(); }
    bool IsPlaying(uint16_t id) const noexcept;
    size_t VoiceCount() const noexcept { return m_voices.size(); }

    // Fills `out` (interleaved left, right) with the next stretch of the mix; silence
    // where no sound plays. Returns the frames that carry sound: after them every
    // voice has ended.
    size_t Mix(std::span<int16_t> out);

private:
    struct Voice {
        std::shared_ptr<const SwfSound> sound;
        SwfSoundInfo info;
        uint64_t position = 0;  // in source frames, 16 fractional bits
        uint64_t step = 0;      // source frames per output frame, same fixed point
        uint64_t begin = 0, end = 0;
        uint32_t loopsLeft = 0;
        uint64_t played = 0;    // output frames, for the envelope
    };
    // Returns false once the voice has ended.
    static bool MixVoice(Voice& voice, std::span<int32_t> mix, size_t& lastFrame);

    std::vector<Voice> m_voices;
    std::vector<int32_t> m_mix;
};
