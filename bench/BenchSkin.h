#pragma once
// The packed skin a Windows benchmark runs on: a skin file's bytes, empty when the file
// cannot be read.

#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<std::byte> ReadSkinFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> bytes(chars.size());
    for (size_t i = 0; i < chars.size(); ++i) bytes[i] = static_cast<std::byte>(chars[i]);
    return bytes;
}
