#pragma once
// Writes a skin container: header, name list, size table and file contents, the
// layout TSkinReader opens once it is packed with PackSkinStream. Host tool code.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

struct SkinFileEntry {
    std::string name;  // a plain file name ("pushbutton.bmp"), 8-bit
    std::vector<std::byte> bytes;
};

// The container bytes, files in the given order, every name followed by CR LF and
// the reserved header bytes zero. Throws std::invalid_argument for more files than
// a reader accepts, an empty name or a name holding a line break.
std::vector<std::byte> WriteSkinContainer(std::span<const SkinFileEntry> files);
