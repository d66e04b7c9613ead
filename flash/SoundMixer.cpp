#include "flash/SoundMixer.h"

#include <algorithm>

namespace {

constexpr unsigned kFraction = 16;

// Envelope level (0 to 32768) at `pos44`, straight between points, flat outside them.
std::pair<int32_t, int32_t> Envelope(const std::vector<SwfEnvelopePoint>& points, uint64_t pos44) noexcept {
    if (points.empty()) return {32768, 32768};
    if (pos44 <= points.front().position) return {points.front().left, points.front().right};
    for (size_t i = 1; i < points.size(); ++i) {
        const auto& a = points[i - 1];
        const auto& b = points[i];
        if (pos44 >= b.position) continue;
        const double t = b.position > a.position ? double(pos44 - a.position) / double(b.position - a.position) : 1;
        return {static_cast<int32_t>(a.left + (b.left - a.left) * t), static_cast<int32_t>(a.right + (b.right - a.right) * t)};
    }
    return {points.back().left, points.back().right};
}

}  // namespace

void SoundMixer::Start(std::shared_ptr<const SwfSound> sound, const SwfSoundInfo& info) {
    if (!sound) return;
    if (info.stop) return Stop(sound->id);
    if (info.noMultiple && IsPlaying(sound->id)) return;
    const size_t frames = sound->Frames();
    Voice voice;
    // In and out points count samples at 44 kHz whatever the sound's own rate.
    const double toSource = sound->Rate() / 44100.0;
    voice.begin = std::min<uint64_t>(static_cast<uint64_t>(info.inPoint * toSource), frames) << kFraction;
    voice.end = std::min<uint64_t>(info.hasOutPoint ? static_cast<uint64_t>(info.outPoint * toSource) : frames, frames)
                << kFraction;
    if (voice.end <= voice.begin) return;
    voice.position = voice.begin;
    voice.step = static_cast<uint64_t>(sound->Rate() * (1u << kFraction) / kRate);
    voice.loopsLeft = std::max<uint32_t>(info.loops, 1) - 1;
    voice.info = info;
    voice.sound = std::move(sound);
    m_voices.push_back(std::move(voice));
}

void SoundMixer::Stop(uint16_t id) noexcept {
    std::erase_if(m_voices, [id](const Voice& v) { return v.sound->id == id; });
}

void SoundMixer::StopAll() noexcept { m_voices.clear(); }

bool SoundMixer::IsPlaying(uint16_t id) const noexcept {
    return std::any_of(m_voices.begin(), m_voices.end(), [id](const Voice& v) { return v.sound->id == id; });
}

bool SoundMixer::MixVoice(Voice& voice, std::span<int32_t> mix, size_t& lastFrame) {
    const SwfSound& sound = *voice.sound;
    const unsigned channels = sound.channels;
    const size_t frames = mix.size() / kChannels;
    const bool enveloped = !voice.info.envelope.empty();
    for (size_t f = 0; f < frames; ++f) {
        if (voice.position >= voice.end) {
            if (voice.loopsLeft == 0) return false;
            --voice.loopsLeft;
            voice.position = voice.begin;
        }
        // Straight between neighbouring source frames; the last one holds.
        const size_t index = static_cast<size_t>(voice.position >> kFraction);
        const size_t next = std::min(index + 1, static_cast<size_t>(voice.end >> kFraction) - 1);
        const int32_t weight = static_cast<int32_t>(voice.position & ((1u << kFraction) - 1));
        int32_t left = 0, right = 0;
        for (unsigned c = 0; c < std::min(channels, 2u); ++c) {
            const int32_t a = sound.samples[index * channels + c], b = sound.samples[next * channels + c];
            const int32_t value = a + static_cast<int32_t>((int64_t{b - a} * weight) >> kFraction);
            (c == 0 ? left : right) = value;
        }
        if (channels == 1) right = left;
        if (enveloped) {
            const auto [l, r] = Envelope(voice.info.envelope, voice.played * (44100 / kRate));
            left = static_cast<int32_t>(int64_t{left} * l >> 15);
            right = static_cast<int32_t>(int64_t{right} * r >> 15);
        }
        mix[f * kChannels] += left;
        mix[f * kChannels + 1] += right;
        voice.position += voice.step;
        ++voice.played;
        lastFrame = std::max(lastFrame, f + 1);
    }
    return voice.position < voice.end || voice.loopsLeft > 0;
}

size_t SoundMixer::Mix(std::span<int16_t> out) {
    m_mix.assign(out.size() - out.size() % kChannels, 0);
    size_t carried = 0;
    std::erase_if(m_voices, [&](Voice& voice) { return !MixVoice(voice, m_mix, carried); });
    std::transform(m_mix.begin(), m_mix.end(), out.begin(),
                   [](int32_t v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); });
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(m_mix.size()), out.end(), int16_t{0});
    return carried;
}
