#pragma once
// Reading and writing Windows bitmap files. Platform-neutral, so that the parser of
// these untrusted bytes (every skin bitmap is one) is tested and fuzzed natively.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct DecodedBmp {
    int width = 0;
    int height = 0;
    int bitCount = 0;                // 1, 4, 8, 24 or 32
    std::vector<uint32_t> palette;   // 0x00RRGGBB, for bitCount <= 8
    std::vector<uint8_t> pixels;     // rows top first, each Stride() bytes, as in a DIB
    size_t Stride() const noexcept { return StrideFor(width, bitCount); }
    static size_t StrideFor(int width, int bitCount) noexcept {
        return (static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32 * 4;
    }
};

// Largest bitmap accepted from a file or a resource, so that a hostile header
// cannot ask for gigabytes.
constexpr int kMaxBitmapSide = 32767;
constexpr int64_t kMaxBitmapPixels = int64_t{64} * 1024 * 1024;

// Decodes a whole bitmap file ("BM" header) or, with `hasFileHeader` false, the DIB
// of a bitmap resource (the same without the 14-byte file header). Uncompressed 1,
// 4, 8, 24 and 32 bits are kept as they are; 16 bits and bit-field layouts become
// 24 or 32 bits; run-length coded 4 and 8 bits are expanded. Throws EInvalidGraphic
// for anything malformed, truncated or over the limits.
DecodedBmp DecodeBmp(std::span<const std::byte> bytes, bool hasFileHeader = true);

// A complete bitmap file, bottom-up rows, BITMAPINFOHEADER, palette for <= 8 bits.
std::vector<std::byte> EncodeBmp(const DecodedBmp& image);
