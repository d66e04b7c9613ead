#include "flash/WaveOutput.h"

#include "framework/core/FailureLog.h"

namespace {

constexpr UINT kPumpInterval = 20;  // ms; the queue holds far more than that

}  // namespace

WaveOutput::WaveOutput(WaveSinkFactory factory) : m_factory{std::move(factory)} {}

WaveOutput::~WaveOutput() { StopAll(); }

void WaveOutput::Start(std::shared_ptr<const SwfSound> sound, const SwfSoundInfo& info) noexcept {
    try {
        m_mixer.Start(std::move(sound), info);
        if (!m_mixer.IsActive()) {
            if (info.stop) Close();  // what is queued belongs to the sound stopped
            return;
        }
        if (!m_sink) {
            auto sink = m_factory ? m_factory() : nullptr;
            if (!sink || !sink->Open(SoundMixer::kRate)) {
                m_mixer.StopAll();  // no device: the movie runs on without sound
                return;
            }
            m_sink = std::move(sink);
        }
        if (!m_timer.Running()) m_timer.Start(kPumpInterval);
        Pump();
    } catch (...) {
        // No memory for the sound, or no timer to keep the device fed: the movie goes on silent.
        LogCurrentException(u"A sound could not be played");
        StopAll();
    }
}

void WaveOutput::StopAll() noexcept {
    m_mixer.StopAll();
    Close();
}

void WaveOutput::Close() noexcept {
    m_timer.Stop();
    if (m_sink) m_sink->Close();
    m_sink.reset();
}

void WaveOutput::Pump() noexcept {
    try {
        if (!m_sink) return;
        m_buffer.resize(kBufferFrames * SoundMixer::kChannels);
        while (m_mixer.IsActive() && m_sink->Pending() < kQueuedBuffers) {
            const size_t frames = m_mixer.Mix(m_buffer);
            if (frames == 0) break;
            if (!m_sink->Write(std::span(m_buffer).first(frames * SoundMixer::kChannels))) {
                StopAll();  // the device failed under us: drop the sound, keep the movie
                return;
            }
        }
        if (!m_mixer.IsActive() && m_sink->Pending() == 0) Close();
    } catch (...) {
        LogCurrentException(u"The sound output failed; the movie goes on silent");
        StopAll();
    }
}
