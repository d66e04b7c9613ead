#pragma once
// Integers stored least significant byte first, as the Windows file formats keep them.
// The callers check that the bytes are there.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline uint16_t GetLe16(std::span<const std::byte> bytes, size_t at) noexcept {
    return static_cast<uint16_t>(std::to_integer<uint16_t>(bytes[at]) | std::to_integer<uint16_t>(bytes[at + 1]) << 8);
}

inline uint32_t GetLe32(std::span<const std::byte> bytes, size_t at) noexcept {
    return GetLe16(bytes, at) | static_cast<uint32_t>(GetLe16(bytes, at + 2)) << 16;
}

inline void PutLe16(std::span<std::byte> out, size_t at, uint32_t value) noexcept {
    out[at] = std::byte(value & 0xFF);
    out[at + 1] = std::byte((value >> 8) & 0xFF);
}

inline void PutLe32(std::span<std::byte> out, size_t at, uint32_t value) noexcept {
    PutLe16(out, at, value & 0xFFFF);
    PutLe16(out, at + 2, value >> 16);
}
