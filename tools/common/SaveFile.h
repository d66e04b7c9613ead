#pragma once
// Writes a content tool's output file whole, or throws naming the file.

#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>

inline void SaveFile(const std::filesystem::path& path, std::span<const std::byte> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();  // a write the system only refuses on flushing is an error too
    if (!out) throw std::runtime_error("cannot write " + path.string());
}
