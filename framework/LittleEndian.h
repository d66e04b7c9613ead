#pragma once
// Stores integers least significant byte first, as the Windows file formats keep them.

#include <cstddef>
#include <cstdint>
#include <vector>

inline void PutLe16(std::vector<std::byte>& out, size_t at, uint32_t value) {
    out[at] = std::byte(value & 0xFF);
    out[at + 1] = std::byte((value >> 8) & 0xFF);
}

inline void PutLe32(std::vector<std::byte>& out, size_t at, uint32_t value) {
    PutLe16(out, at, value & 0xFFFF);
    PutLe16(out, at + 2, value >> 16);
}
