#include "framework/graphics/IconFile.h"

#include "framework/core/Exception.h"
#include "framework/core/LittleEndian.h"
#include "framework/graphics/BmpCodec.h"

#include <algorithm>
#include <cstring>

std::vector<IconEntry> ParseIconFile(std::span<const std::byte> bytes) {
    if (bytes.size() < 6 || GetLe16(bytes, 0) != 0 || GetLe16(bytes, 2) != 1)
        throw EInvalidGraphic(u"Icon image is not valid: no icon header");
    const size_t count = GetLe16(bytes, 4);
    if (count == 0 || 6 + count * 16 > bytes.size()) throw EInvalidGraphic(u"Icon image is not valid: bad directory");
    std::vector<IconEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 6 + i * 16;
        IconEntry e;
        e.width = std::to_integer<int>(bytes[at]) ? std::to_integer<int>(bytes[at]) : 256;
        e.height = std::to_integer<int>(bytes[at + 1]) ? std::to_integer<int>(bytes[at + 1]) : 256;
        e.bitCount = GetLe16(bytes, at + 6);
        e.size = GetLe32(bytes, at + 8);
        e.offset = GetLe32(bytes, at + 12);
        if (e.size < 40 || e.offset > bytes.size() || e.size > bytes.size() - e.offset)
            throw EInvalidGraphic(u"Icon image is not valid: image outside the file");
        entries.push_back(e);
    }
    return entries;
}

size_t BestIconEntry(const std::vector<IconEntry>& entries, int size) noexcept {
    size_t best = 0;
    auto score = [size](const IconEntry& e) {
        // Exact sizes first (more colours better), then larger ones (closer better), then smaller.
        if (e.width == size) return 3'000'000 + e.bitCount;
        if (e.width > size) return 2'000'000 - e.width * 64 + e.bitCount;
        return 1'000'000 + e.width * 64 + e.bitCount;
    };
    for (size_t i = 1; i < entries.size(); ++i)
        if (score(entries[i]) > score(entries[best])) best = i;
    return best;
}

std::vector<std::byte> EncodeIconFile(int width, int height, std::span<const uint32_t> bgraTopDown,
                                      std::span<const uint8_t> maskTopDown) {
    const size_t xorStride = static_cast<size_t>(width) * 4;
    const size_t andStride = DecodedBmp::StrideFor(width, 1);
    const size_t imageSize = 40 + xorStride * static_cast<size_t>(height) + andStride * static_cast<size_t>(height);
    std::vector<std::byte> out(6 + 16 + imageSize);
    const auto put16 = [&](size_t at, uint32_t v) { PutLe16(out, at, v); };
    const auto put32 = [&](size_t at, uint32_t v) { PutLe32(out, at, v); };
    put16(2, 1);
    put16(4, 1);
    out[6] = std::byte(width >= 256 ? 0 : width);
    out[7] = std::byte(height >= 256 ? 0 : height);
    put16(10, 1);
    put16(12, 32);
    put32(14, static_cast<uint32_t>(imageSize));
    put32(18, 22);
    const size_t h = 22;
    put32(h, 40);
    put32(h + 4, static_cast<uint32_t>(width));
    put32(h + 8, static_cast<uint32_t>(height * 2));  // colour and mask stacked
    put16(h + 12, 1);
    put16(h + 14, 32);
    for (int y = 0; y < height; ++y) {  // bottom-up rows
        const size_t src = static_cast<size_t>(y) * static_cast<size_t>(width);
        std::memcpy(out.data() + h + 40 + static_cast<size_t>(height - 1 - y) * xorStride,
                    bgraTopDown.data() + src, std::min(xorStride, (bgraTopDown.size() - std::min(src, bgraTopDown.size())) * 4));
        const size_t maskSrc = static_cast<size_t>(y) * andStride;
        if (maskSrc + andStride <= maskTopDown.size())
            std::memcpy(out.data() + h + 40 + xorStride * static_cast<size_t>(height) +
                            static_cast<size_t>(height - 1 - y) * andStride,
                        maskTopDown.data() + maskSrc, andStride);
    }
    return out;
}
