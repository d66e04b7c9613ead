#include "framework/controls/MediaPlayback.h"

#include "framework/core/FailureLog.h"

#include <algorithm>
#include <utility>

#include <windows.h>

namespace {

constexpr unsigned kPumpInterval = 20;  // ms; the queue holds far more than that

}  // namespace

MediaPlayback::MediaPlayback(WaveSinkFactory sinks, std::function<void()> finished)
    : m_sinks{std::move(sinks)}, m_finished{std::move(finished)}, m_clock{[] { return static_cast<uint32_t>(::GetTickCount()); }} {}

MediaPlayback::~MediaPlayback() { Close(); }

void MediaPlayback::Open(WaveSound sound) {
    Close();
    m_sound = std::move(sound);
    m_position = 0;
    m_state = State::Stopped;
}

void MediaPlayback::Close() noexcept {
    Halt();
    m_sound = {};
    m_position = 0;
    m_state = State::Closed;
}

uint64_t MediaPlayback::Position() const noexcept {
    if (m_state != State::Playing) return m_position;
    const uint32_t elapsed = m_clock() - m_startTime;  // right across the wrap
    return std::min<uint64_t>(m_startFrame + m_sound.MsToFrame(elapsed), Length());
}

void MediaPlayback::Play() {
    if (m_state == State::Closed || m_state == State::Playing) return;
    if (m_position >= Length()) m_position = 0;
    m_startFrame = m_written = m_position;
    m_startTime = m_clock();
    m_state = State::Playing;
    auto sink = m_sinks ? m_sinks() : nullptr;
    if (sink && sink->Open(m_sound.rate)) {
        m_sink = std::move(sink);
    } else {
        LogFailure(u"no wave output to play on; the media player plays silent");
    }
    m_timer.Start(kPumpInterval);
    Pump();
}

void MediaPlayback::Pause() noexcept {
    if (m_state != State::Playing) return;
    m_position = Position();
    Halt();
    m_state = State::Paused;
}

void MediaPlayback::Stop() noexcept {
    if (m_state == State::Closed) return;
    m_position = Position();
    Halt();
    m_state = State::Stopped;
}

void MediaPlayback::Seek(uint64_t frame) {
    if (m_state == State::Closed) return;
    const bool playing = m_state == State::Playing;
    if (playing) Halt();
    m_position = std::min(frame, Length());
    if (playing) {
        m_state = State::Stopped;
        Play();
    }
}

void MediaPlayback::Halt() noexcept {
    m_timer.Stop();
    if (m_sink) m_sink->Close();  // drops what is queued, at once
    m_sink.reset();
}

bool MediaPlayback::FeedSink() {
    const unsigned channels = m_sound.channels;
    while (m_written < Length() && m_sink->Pending() < kWaveSinkBuffers) {
        const uint64_t frames = std::min<uint64_t>(kBufferFrames, Length() - m_written);
        m_buffer.resize(frames * 2);
        // The output takes stereo: a mono sound goes to both sides.
        for (uint64_t f = 0; f < frames; ++f) {
            const size_t from = static_cast<size_t>((m_written + f) * channels);
            m_buffer[f * 2] = m_sound.samples[from];
            m_buffer[f * 2 + 1] = m_sound.samples[from + (channels - 1)];
        }
        if (!m_sink->Write(m_buffer)) return false;
        m_written += frames;
    }
    return true;
}

void MediaPlayback::Pump() noexcept {
    if (m_state != State::Playing) return;
    try {
        if (m_sink && !FeedSink()) {
            LogFailure(u"the wave output failed; the media player plays on silent");
            m_sink->Close();
            m_sink.reset();
        }
    } catch (...) {
        LogCurrentException(u"the media player's sound could not be fed");
        m_sink.reset();
    }
    if (Position() < Length()) return;
    m_position = Length();
    Halt();
    m_state = State::Stopped;
    try {
        if (m_finished) m_finished();
    } catch (...) {
        LogCurrentException(u"the media player's end of play failed");
    }
}
