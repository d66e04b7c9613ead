#include "framework/core/WaveFile.h"

#include "framework/core/Exception.h"
#include "framework/core/LittleEndian.h"

#include <algorithm>
#include <string_view>

namespace {

bool IsTag(std::span<const std::byte> bytes, size_t at, std::string_view tag) {
    if (bytes.size() < at + 4) return false;
    for (size_t i = 0; i < 4; ++i)
        if (static_cast<char>(bytes[at + i]) != tag[i]) return false;
    return true;
}

void Put(std::vector<std::byte>& out, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFF));
}

void PutTag(std::vector<std::byte>& out, std::string_view tag) {
    for (char c : tag) out.push_back(static_cast<std::byte>(c));
}

}  // namespace

WaveSound ReadWave(std::span<const std::byte> bytes) {
    if (!IsTag(bytes, 0, "RIFF") || !IsTag(bytes, 8, "WAVE")) throw EReadError(u"Not a wave file");
    WaveSound sound;
    unsigned bits = 0;
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = GetLe32(bytes, at + 4);
        const size_t body = at + 8;
        const size_t available = std::min<size_t>(size, bytes.size() - body);
        if (IsTag(bytes, at, "fmt ")) {
            if (available < 16) throw EReadError(u"The wave file's format is cut short");
            const uint16_t tag = GetLe16(bytes, body);
            sound.channels = GetLe16(bytes, body + 2);
            sound.rate = GetLe32(bytes, body + 4);
            bits = GetLe16(bytes, body + 14);
            if (tag != 1 || (bits != 8 && bits != 16) || sound.channels < 1 || sound.channels > 2 ||
                sound.rate < 1000 || sound.rate > 192000)
                throw EReadError(u"The wave file is not 8- or 16-bit PCM sound, mono or stereo");
            haveFormat = true;
        } else if (IsTag(bytes, at, "data")) {
            if (!haveFormat) throw EReadError(u"The wave file has sound before its format");
            const size_t bytesPerSample = bits / 8;
            const size_t frameBytes = bytesPerSample * sound.channels;
            const size_t count = std::min(available / frameBytes * sound.channels, kMaxWaveSamples);
            sound.samples.resize(count);
            for (size_t i = 0; i < count; ++i) {
                const size_t p = body + i * bytesPerSample;
                sound.samples[i] = bits == 16 ? static_cast<int16_t>(GetLe16(bytes, p))
                                              : static_cast<int16_t>((std::to_integer<int>(bytes[p]) - 128) * 256);
            }
            return sound;
        }
        // Chunks are padded to an even length.
        const uint64_t next = uint64_t{body} + size + (size & 1);
        if (next > bytes.size()) break;
        at = static_cast<size_t>(next);
    }
    throw EReadError(u"The wave file has no sound");
}

std::vector<std::byte> WriteWave(unsigned rate, std::span<const int16_t> samples) {
    std::vector<std::byte> out;
    const auto data = static_cast<uint32_t>(samples.size() * 2);
    out.reserve(44 + data);
    PutTag(out, "RIFF");
    Put(out, 36 + data, 4);
    PutTag(out, "WAVEfmt ");
    Put(out, 16, 4);
    Put(out, 1, 2);         // PCM
    Put(out, 1, 2);         // mono
    Put(out, rate, 4);
    Put(out, rate * 2, 4);  // bytes a second
    Put(out, 2, 2);         // bytes a frame
    Put(out, 16, 2);
    PutTag(out, "data");
    Put(out, data, 4);
    for (int16_t s : samples) Put(out, static_cast<uint16_t>(s), 2);
    return out;
}
