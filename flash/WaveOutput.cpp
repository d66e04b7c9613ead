#include "flash/WaveOutput.h"

#include "framework/core/FailureLog.h"

#include <array>

#include <mmsystem.h>

namespace {

constexpr UINT kPumpInterval = 20;  // ms; the queue holds far more than that

class SystemWaveSink : public WaveSink {
public:
    ~SystemWaveSink() override { Close(); }

    bool Open(unsigned rate) override {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 2;
        format.nSamplesPerSec = rate;
        format.wBitsPerSample = 16;
        format.nBlockAlign = 4;
        format.nAvgBytesPerSec = rate * 4;
        return ::waveOutOpen(&m_out, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR;
    }

    bool Write(std::span<const int16_t> samples) override {
        if (!m_out) return false;
        Reclaim();
        for (auto& buffer : m_buffers) {
            if (buffer.queued) continue;
            buffer.samples.assign(samples.begin(), samples.end());
            buffer.header = {};
            buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
            buffer.header.dwBufferLength = static_cast<DWORD>(samples.size() * sizeof(int16_t));
            if (::waveOutPrepareHeader(m_out, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) return false;
            if (::waveOutWrite(m_out, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) {
                ::waveOutUnprepareHeader(m_out, &buffer.header, sizeof buffer.header);
                return false;
            }
            buffer.queued = true;
            return true;
        }
        return false;  // every buffer still plays
    }

    size_t Pending() override {
        Reclaim();
        size_t pending = 0;
        for (const auto& buffer : m_buffers) pending += buffer.queued;
        return pending;
    }

    void Close() noexcept override {
        if (!m_out) return;
        ::waveOutReset(m_out);  // marks every queued buffer done and returns at once
        Reclaim();
        ::waveOutClose(m_out);
        m_out = nullptr;
    }

private:
    // Buffers the device has finished with are unprepared and free again. The
    // device's thread sets WHDR_DONE, hence the volatile read.
    void Reclaim() noexcept {
        for (auto& buffer : m_buffers) {
            if (!buffer.queued) continue;
            const volatile DWORD& flags = buffer.header.dwFlags;
            if (!(flags & WHDR_DONE)) continue;
            ::waveOutUnprepareHeader(m_out, &buffer.header, sizeof buffer.header);
            buffer.queued = false;
        }
    }

    struct Buffer {
        WAVEHDR header{};
        std::vector<int16_t> samples;
        bool queued = false;
    };
    HWAVEOUT m_out = nullptr;
    std::array<Buffer, WaveOutput::kQueuedBuffers> m_buffers;
};

}  // namespace

std::unique_ptr<WaveSink> MakeSystemWaveSink() { return std::make_unique<SystemWaveSink>(); }

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
