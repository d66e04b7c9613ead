#include "flash/SwfSound.h"

#include "flash/SwfAdpcm.h"
#include "flash/SwfBitReader.h"
#include "flash/SwfError.h"
#include "framework/core/LittleEndian.h"

#include <algorithm>

SwfSound ReadSound(SwfBitReader& in, size_t maxSamples) {
    SwfSound sound;
    sound.id = in.U16();
    const uint8_t flags = in.U8();
    sound.format = static_cast<SwfSoundFormat>(flags >> 4);
    sound.rateCode = (flags >> 2) & 3;
    const bool sixteenBit = flags & 2;
    sound.channels = (flags & 1) ? 2 : 1;
    const uint32_t frames = in.U32();
    const auto data = in.Bytes(in.Remaining());
    const size_t wanted = std::min<size_t>(frames, maxSamples / sound.channels);

    switch (sound.format) {
    case SwfSoundFormat::PcmNative:
    case SwfSoundFormat::PcmLittleEndian: {
        const size_t width = sixteenBit ? 2 : 1;
        const size_t count = std::min(wanted, data.size() / (width * sound.channels)) * sound.channels;
        sound.samples.resize(count);
        for (size_t i = 0; i < count; ++i)
            sound.samples[i] = sixteenBit ? static_cast<int16_t>(GetLe16(std::as_bytes(data), 2 * i))
                                          : static_cast<int16_t>((data[i] - 128) * 256);  // 8-bit is unsigned
        return sound;
    }
    case SwfSoundFormat::Adpcm:
        sound.samples = DecodeAdpcm(data, sound.channels, wanted);
        return sound;
    case SwfSoundFormat::Mp3:
        return sound;  // defined, but plays nothing
    default:
        throw ESwfError(u"A sound uses an unknown format.");
    }
}

SwfSoundInfo ReadSoundInfo(SwfBitReader& in) {
    SwfSoundInfo info;
    const uint8_t flags = in.U8();
    info.stop = flags & 0x20;
    info.noMultiple = flags & 0x10;
    if (flags & 0x01) info.inPoint = in.U32();
    if (flags & 0x02) {
        info.outPoint = in.U32();
        info.hasOutPoint = true;
    }
    if (flags & 0x04) info.loops = in.U16();
    if (flags & 0x08) {
        const uint8_t points = in.U8();
        for (uint8_t i = 0; i < points; ++i) {
            SwfEnvelopePoint point;
            point.position = in.U32();
            point.left = in.U16();
            point.right = in.U16();
            info.envelope.push_back(point);
        }
    }
    return info;
}
