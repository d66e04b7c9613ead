#include "framework/graphics/BmpCodec.h"

#include "framework/core/Exception.h"
#include "framework/core/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

[[noreturn]] void Invalid(const char16_t* why) { throw EInvalidGraphic(std::u16string(u"Bitmap image is not valid: ") + why); }

class Reader {
public:
    explicit Reader(std::span<const std::byte> bytes) : m_bytes(bytes) {}
    uint32_t U32(size_t at) const {
        Need(at, 4);
        return GetLe32(m_bytes, at);
    }
    uint16_t U16(size_t at) const {
        Need(at, 2);
        return GetLe16(m_bytes, at);
    }
    uint8_t U8(size_t at) const {
        Need(at, 1);
        return std::to_integer<uint8_t>(m_bytes[at]);
    }
    void Need(size_t at, size_t count) const {
        if (at > m_bytes.size() || count > m_bytes.size() - at) Invalid(u"truncated");
    }
    size_t Size() const noexcept { return m_bytes.size(); }
    const std::byte* At(size_t at) const { return m_bytes.data() + at; }

private:
    std::span<const std::byte> m_bytes;
};

struct Masks {
    uint32_t red = 0, green = 0, blue = 0, alpha = 0;
};

uint8_t Channel(uint32_t value, uint32_t mask) noexcept {
    if (!mask) return 0;
    const int shift = std::countr_zero(mask);
    const uint32_t bits = mask >> shift;
    const uint32_t v = (value & mask) >> shift;
    return bits >= 255 ? static_cast<uint8_t>(v >> (std::bit_width(bits) - 8)) : static_cast<uint8_t>(v * 255 / bits);
}

// Expands run-length coded rows (written bottom-up) into indices; a stream that
// runs out or jumps outside the bitmap just stops, leaving the rest at index 0,
// which is what the format's own decoders do with a short stream.
void DecodeRle(const Reader& in, size_t at, size_t end, int bits, DecodedBmp& out) {
    const size_t stride = out.Stride();
    int x = 0, y = out.height - 1;
    auto put = [&](int index) {
        if (x >= out.width || y < 0) return;
        uint8_t* row = out.pixels.data() + static_cast<size_t>(y) * stride;
        if (bits == 8) row[x] = static_cast<uint8_t>(index);
        else row[x / 2] |= static_cast<uint8_t>((index & 0x0F) << (x % 2 ? 0 : 4));
        ++x;
    };
    while (at + 1 < end && y >= 0) {
        const int count = in.U8(at), code = in.U8(at + 1);
        at += 2;
        if (count > 0) {  // a run of `count` pixels
            for (int i = 0; i < count; ++i) put(bits == 8 ? code : (i % 2 ? code & 0x0F : code >> 4));
        } else if (code == 0) {  // end of line
            x = 0;
            --y;
        } else if (code == 1) {  // end of bitmap
            break;
        } else if (code == 2) {  // delta
            if (at + 1 >= end) break;
            x += in.U8(at);
            y -= in.U8(at + 1);
            at += 2;
        } else {  // `code` literal pixels, padded to a 16-bit boundary
            const size_t bytes = bits == 8 ? static_cast<size_t>(code) : (static_cast<size_t>(code) + 1) / 2;
            if (bytes > end - at) break;
            for (int i = 0; i < code; ++i) {
                const int b = in.U8(at + (bits == 8 ? static_cast<size_t>(i) : static_cast<size_t>(i) / 2));
                put(bits == 8 ? b : (i % 2 ? b & 0x0F : b >> 4));
            }
            at += (bytes + 1) & ~size_t{1};
        }
    }
}

}  // namespace

DecodedBmp DecodeBmp(std::span<const std::byte> bytes, bool hasFileHeader) {
    const Reader in(bytes);
    size_t header = 0;
    size_t dataOffset = 0;
    if (hasFileHeader) {
        if (in.U16(0) != 0x4D42) Invalid(u"no BM signature");
        dataOffset = in.U32(10);
        header = 14;
    }
    const uint32_t headerSize = in.U32(header);
    int64_t width = 0, height = 0;
    int bitCount = 0;
    uint32_t compression = 0, colours = 0;
    size_t paletteEntrySize = 4;
    Masks masks;
    if (headerSize == 12) {  // the old core header: 16-bit sizes, 3-byte palette entries
        width = in.U16(header + 4);
        height = static_cast<int16_t>(in.U16(header + 6));
        bitCount = in.U16(header + 10);
        paletteEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024) {
        in.Need(header, headerSize);
        width = static_cast<int32_t>(in.U32(header + 4));
        height = static_cast<int32_t>(in.U32(header + 8));
        bitCount = in.U16(header + 14);
        compression = in.U32(header + 16);
        colours = in.U32(header + 32);
        if (compression == 3 || compression == 6) {  // masks follow a 40-byte header, or sit inside a larger one
            const size_t m = header + 40;
            masks = {in.U32(m), in.U32(m + 4), in.U32(m + 8), compression == 6 || headerSize >= 56 ? in.U32(m + 12) : 0};
        }
    } else {
        Invalid(u"unknown header");
    }
    const bool topDown = height < 0;
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        width * height > kMaxBitmapPixels)
        Invalid(u"bad size");
    if (compression == 6) compression = 3;
    const bool rle = compression == 1 || compression == 2;
    const bool known = (compression == 0 && (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                                             bitCount == 24 || bitCount == 32)) ||
                       (compression == 1 && bitCount == 8) || (compression == 2 && bitCount == 4) ||
                       (compression == 3 && (bitCount == 16 || bitCount == 32));
    if (!known) Invalid(u"unsupported format");
    if (rle && topDown) Invalid(u"top-down run-length data");

    DecodedBmp out;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.bitCount = bitCount == 16 ? 24 : bitCount;

    size_t paletteAt = header + headerSize + (compression == 3 && headerSize == 40 ? 12 : 0);
    if (bitCount <= 8) {
        const uint32_t maxColours = 1u << bitCount;
        const uint32_t count = colours == 0 || colours > maxColours ? maxColours : colours;
        out.palette.assign(maxColours, 0);
        for (uint32_t i = 0; i < count; ++i) {
            const size_t at = paletteAt + i * paletteEntrySize;
            in.Need(at, paletteEntrySize);
            out.palette[i] = static_cast<uint32_t>(in.U8(at + 2)) << 16 | static_cast<uint32_t>(in.U8(at + 1)) << 8 | in.U8(at);
        }
        paletteAt += count * paletteEntrySize;
    } else if (colours <= 256) {
        paletteAt += colours * paletteEntrySize;  // an optional palette also comes before the pixels
    }
    if (!hasFileHeader || dataOffset == 0 || dataOffset >= in.Size()) dataOffset = paletteAt;

    const size_t outStride = out.Stride();
    out.pixels.assign(outStride * static_cast<size_t>(out.height), 0);
    if (rle) {
        DecodeRle(in, dataOffset, in.Size(), bitCount, out);
        return out;
    }

    const size_t inStride = DecodedBmp::StrideFor(out.width, bitCount);
    in.Need(dataOffset, inStride * static_cast<size_t>(out.height));
    if (compression == 3 && bitCount == 32 && masks.red == 0xFF0000 && masks.green == 0xFF00 && masks.blue == 0xFF)
        compression = 0;  // the ordinary layout, only spelled out
    if (bitCount == 16 && compression == 0) masks = {0x7C00, 0x03E0, 0x001F, 0};
    for (int y = 0; y < out.height; ++y) {
        const int fileRow = topDown ? y : out.height - 1 - y;
        const std::span<const std::byte> src{in.At(dataOffset + static_cast<size_t>(fileRow) * inStride), inStride};
        uint8_t* dst = out.pixels.data() + static_cast<size_t>(y) * outStride;
        if (bitCount != 16 && compression == 0) {
            std::memcpy(dst, src.data(), std::min(inStride, outStride));
            continue;
        }
        for (int x = 0; x < out.width; ++x) {
            const auto at = static_cast<size_t>(x);
            const uint32_t v = bitCount == 16 ? GetLe16(src, 2 * at) : GetLe32(src, 4 * at);
            const int bytesPerPixel = out.bitCount / 8;
            uint8_t* p = dst + static_cast<size_t>(x) * static_cast<size_t>(bytesPerPixel);
            p[0] = Channel(v, masks.blue);
            p[1] = Channel(v, masks.green);
            p[2] = Channel(v, masks.red);
            if (bytesPerPixel == 4) p[3] = masks.alpha ? Channel(v, masks.alpha) : 0;
        }
    }
    return out;
}

std::vector<std::byte> EncodeBmp(const DecodedBmp& image) {
    const size_t stride = image.Stride();
    const size_t paletteSize = image.bitCount <= 8 ? (size_t{1} << image.bitCount) * 4 : 0;
    const size_t offset = 14 + 40 + paletteSize;
    const size_t total = offset + stride * static_cast<size_t>(image.height);
    std::vector<std::byte> out(total);
    const auto put16 = [&](size_t at, uint32_t v) { PutLe16(out, at, v); };
    const auto put32 = [&](size_t at, uint32_t v) { PutLe32(out, at, v); };
    put16(0, 0x4D42);
    put32(2, static_cast<uint32_t>(total));
    put32(10, static_cast<uint32_t>(offset));
    put32(14, 40);
    put32(18, static_cast<uint32_t>(image.width));
    put32(22, static_cast<uint32_t>(image.height));
    put16(26, 1);
    put16(28, static_cast<uint32_t>(image.bitCount));
    put32(34, static_cast<uint32_t>(stride * static_cast<size_t>(image.height)));
    put32(38, 3780);  // 96 dots per inch
    put32(42, 3780);
    for (size_t i = 0; i < paletteSize / 4; ++i) put32(54 + i * 4, i < image.palette.size() ? image.palette[i] : 0);
    // Rows missing from a short pixel buffer stay zero.
    for (int y = 0; y < image.height; ++y) {
        const size_t from = static_cast<size_t>(y) * stride;
        if (stride == 0 || from + stride > image.pixels.size()) break;
        std::memcpy(out.data() + offset + static_cast<size_t>(image.height - 1 - y) * stride,
                    image.pixels.data() + from, stride);
    }
    return out;
}
