#pragma once
// Skins for the skin data tests: the one the program ships, and small ones packed here
// from a description and solid-colour bitmaps.

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Colors.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinContainerWriter.h"

#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace test_skins {

inline std::vector<std::byte> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> bytes(chars.size());
    for (size_t i = 0; i < chars.size(); ++i) bytes[i] = static_cast<std::byte>(chars[i]);
    return bytes;
}

inline std::string ShippedSkinPath() { return KESTRELLE_SKIN_DIR "/kestrelle.skin"; }
inline std::vector<std::byte> ShippedSkin() { return ReadFileBytes(ShippedSkinPath()); }

inline void WriteFileBytes(const std::string& path, const std::vector<std::byte>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A 24-bit bitmap file whose pixel (x, y) is colourAt(x, y), top row first.
template <class ColourAt>
std::vector<std::byte> PatternBitmap(int width, int height, ColourAt colourAt) {
    DecodedBmp bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitCount = 24;
    bmp.pixels.resize(bmp.Stride() * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TColor colour = colourAt(x, y);
            auto* p = bmp.pixels.data() + static_cast<size_t>(y) * bmp.Stride() + static_cast<size_t>(x) * 3;
            p[0] = BlueOf(colour), p[1] = GreenOf(colour), p[2] = RedOf(colour);
        }
    return EncodeBmp(bmp);
}

// A 24-bit bitmap file of one colour.
inline std::vector<std::byte> SolidBitmap(int width, int height, TColor colour) {
    return PatternBitmap(width, height, [colour](int, int) { return colour; });
}

inline std::vector<std::byte> Bytes(std::string_view text) {
    const auto bytes = std::as_bytes(std::span(text.data(), text.size()));
    return {bytes.begin(), bytes.end()};
}

// A packed skin of these files; `version` replaces the container's version field.
inline std::vector<std::byte> PackedSkin(const std::vector<SkinFileEntry>& files, int32_t version = 20000) {
    std::vector<std::byte> container = WriteSkinContainer(files);
    for (int i = 0; i < 4; ++i) container[static_cast<size_t>(i)] = std::byte((static_cast<uint32_t>(version) >> (8 * i)) & 0xFF);
    return PackSkinStream(container);
}

// The "SkinStream" property's bytes: int32 length, then the packed skin.
inline std::vector<std::byte> PropertyBlock(const std::vector<std::byte>& packed) {
    std::vector<std::byte> block(4);
    for (int i = 0; i < 4; ++i) block[static_cast<size_t>(i)] = std::byte((packed.size() >> (8 * i)) & 0xFF);
    block.insert(block.end(), packed.begin(), packed.end());
    return block;
}

}  // namespace test_skins
