#pragma once
// Packs bytes into the skin's LZH coding (the inverse of TLZH): LZSS over the same
// 4,096-byte window, longest match 60, with the same adaptive Huffman tree. Host tool
// code; the result is deterministic.

#include <cstddef>
#include <span>
#include <vector>

// The bit stream alone; TLZH decodes it back to `data` when asked for data.size() bytes.
std::vector<std::byte> LzhEncode(std::span<const std::byte> data);

// A packed skin stream: the int32 unpacked length (little-endian), then the bit stream.
std::vector<std::byte> PackSkinStream(std::span<const std::byte> container);
