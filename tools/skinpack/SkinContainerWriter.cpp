#include "tools/skinpack/SkinContainerWriter.h"

#include "skin/data/SkinReader.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace {

void PutInt32(std::vector<std::byte>& out, int64_t value) {
    if (value < 0 || value > std::numeric_limits<int32_t>::max())
        throw std::invalid_argument("value does not fit a skin container: " + std::to_string(value));
    const auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out.push_back(std::byte((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<std::byte> WriteSkinContainer(std::span<const SkinFileEntry> files) {
    if (files.size() > static_cast<size_t>(TSkinReader::kMaxFiles))
        throw std::invalid_argument(std::to_string(files.size()) + " files, a skin holds at most " +
                                    std::to_string(TSkinReader::kMaxFiles));
    std::string names;
    for (const auto& file : files) {
        // An empty name or one with a line break would shift every later name.
        if (file.name.empty() || file.name.find_first_of("\r\n") != std::string::npos)
            throw std::invalid_argument("file name \"" + file.name + "\" cannot be stored in a skin");
        names += file.name;
        names += "\r\n";
    }

    std::vector<std::byte> out;
    PutInt32(out, TSkinReader::kVersion);
    PutInt32(out, static_cast<int64_t>(names.size()));
    out.insert(out.end(), 8, std::byte{0});
    for (const char c : names) out.push_back(static_cast<std::byte>(c));
    for (const auto& file : files) PutInt32(out, static_cast<int64_t>(file.bytes.size()));
    for (const auto& file : files) out.insert(out.end(), file.bytes.begin(), file.bytes.end());
    return out;
}
