#pragma once
// Plays a movie's sounds through the platform's wave output without blocking the
// interface: a mixer fills a few short buffers ahead, topped up from a UI-thread timer,
// and the device is opened only while something sounds. Without a device, sounds are
// dropped quietly. The device sits behind WaveSink so that tests can count what is written.

#include "flash/SoundMixer.h"
#include "framework/win/WaveSink.h"
#include "framework/win/WindowTimer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include <windows.h>

class WaveOutput {
public:
    explicit WaveOutput(WaveSinkFactory factory = MakeSystemWaveSink);
    ~WaveOutput();
    WaveOutput(const WaveOutput&) = delete;
    WaveOutput& operator=(const WaveOutput&) = delete;

    // Starts (or, as `info` says, stops) a sound; the output keeps it alive while it plays.
    void Start(std::shared_ptr<const SwfSound> sound, const SwfSoundInfo& info) noexcept;
    // Silences everything at once, queued buffers included.
    void StopAll() noexcept;
    bool IsActive() const noexcept { return m_sink != nullptr; }
    bool IsPlaying(uint16_t sound) const noexcept { return m_mixer.IsPlaying(sound); }

    // Tops up the device's queue; the timer calls it, tests may too.
    void Pump() noexcept;

    static constexpr size_t kBufferFrames = 1024;  // 46 ms at the mixer's rate
    static constexpr size_t kQueuedBuffers = kWaveSinkBuffers;

private:
    void Close() noexcept;

    WaveSinkFactory m_factory;
    SoundMixer m_mixer;
    std::unique_ptr<WaveSink> m_sink;
    std::vector<int16_t> m_buffer;
    WindowTimer m_timer{[this] { Pump(); }};
};
