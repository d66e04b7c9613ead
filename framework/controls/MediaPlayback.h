#pragma once
// The media player's device: one wave sound, played from a position, paused, stopped
// and moved about. Where the sound is at is measured by the clock, so the device runs
// the same with or without a sound card: with one the samples go to the wave output
// ahead of the clock, topped up from a UI-thread timer; without one it plays silent.

#include "framework/core/WaveFile.h"
#include "framework/win/WaveSink.h"
#include "framework/win/WindowTimer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class MediaPlayback {
public:
    enum class State { Closed, Stopped, Playing, Paused };
    // Milliseconds since some start, wrapping at 2^32; tests run the device on a clock
    // of their own.
    using Clock = std::function<uint32_t()>;

    // `finished` runs when the sound has played to its end.
    MediaPlayback(WaveSinkFactory sinks, std::function<void()> finished);
    ~MediaPlayback();
    MediaPlayback(const MediaPlayback&) = delete;
    MediaPlayback& operator=(const MediaPlayback&) = delete;

    void Open(WaveSound sound);
    void Close() noexcept;
    // Plays from the position; from the start when the position is at the end.
    void Play();
    void Pause() noexcept;
    void Stop() noexcept;
    // Moves to `frame` (kept within the sound); a playing sound plays on from there.
    void Seek(uint64_t frame);

    State CurrentState() const noexcept { return m_state; }
    bool IsOpen() const noexcept { return m_state != State::Closed; }
    // The wave output took the sound (false while silent for want of a device).
    bool Audible() const noexcept { return m_sink != nullptr; }
    uint64_t Position() const noexcept;
    uint64_t Length() const noexcept { return m_sound.Frames(); }
    const WaveSound& Sound() const noexcept { return m_sound; }

    // Feeds the output and notices the end; the timer calls it, tests may too.
    void Pump() noexcept;
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    void SetSinkFactory(WaveSinkFactory sinks) { m_sinks = std::move(sinks); }

    static constexpr size_t kBufferFrames = 1024;

private:
    void Halt() noexcept;
    bool FeedSink();

    WaveSinkFactory m_sinks;
    std::function<void()> m_finished;
    Clock m_clock;
    WaveSound m_sound;
    State m_state = State::Closed;
    uint64_t m_position = 0;    // where a stopped or paused sound stands
    uint64_t m_startFrame = 0;  // where playing started, and when
    uint32_t m_startTime = 0;
    uint64_t m_written = 0;     // frames handed to the sink
    std::unique_ptr<WaveSink> m_sink;
    std::vector<int16_t> m_buffer;
    WindowTimer m_timer{[this] { Pump(); }};
};
