#pragma once
// Helpers shared by the skin data tests: files from tests/data and byte conversions.

#include <cstddef>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::byte> ReadTestFile(const std::string& relative) {
    std::ifstream in(std::string(KESTRELLE_TEST_DATA) + "/" + relative, std::ios::binary);
    std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> bytes(chars.size());
    for (size_t i = 0; i < chars.size(); ++i) bytes[i] = static_cast<std::byte>(chars[i]);
    return bytes;
}

inline std::vector<std::byte> Bytes(std::string_view text) {
    std::vector<std::byte> bytes(text.size());
    for (size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<std::byte>(text[i]);
    return bytes;
}

inline std::string Text(std::span<const std::byte> bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}
