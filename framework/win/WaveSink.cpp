#include "framework/win/WaveSink.h"

#include <array>
#include <vector>

#include <windows.h>
#include <mmsystem.h>

namespace {

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
    std::array<Buffer, kWaveSinkBuffers> m_buffers;
};

}  // namespace

std::unique_ptr<WaveSink> MakeSystemWaveSink() { return std::make_unique<SystemWaveSink>(); }
