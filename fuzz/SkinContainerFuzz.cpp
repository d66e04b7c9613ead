// Packed skin bytes from outside: the LZH decoder, then the container reader and its
// lookups. Any input must end in a clean open, a refusal by exception, or "older".
// An input whose first byte is odd is taken as a raw container and packed first, so
// that mutations reach the header, name list and size table directly.

#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "skin/data/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto* bytes = reinterpret_cast<const std::byte*>(data + 1);
    std::vector<std::byte> input(bytes, bytes + size - 1);
    if (data[0] & 1) input = PackSkinStream(input);
    TMemoryStream packed(std::move(input));
    TSkinReader reader;
    try {
        if (!reader.Open(packed)) return 0;
    } catch (const Exception&) {
        return 0;
    }
    TMemoryStream target;
    std::string found;
    reader.FindFile(".ini", target, found);
    reader.FindFile(".bmp", target, found);
    for (int i = 0; i < reader.FileCount(); ++i) {
        reader.ReadFile(reader.FileNames()[i], target);
        // A lookup returns exactly the listed size of the first file of that name.
        if (reader.FileNames().IndexOf(reader.FileNames()[i]) == i && target.Size() != reader.FileSize(i))
            __builtin_trap();
        (void)reader.ReadBitmap(reader.FileNames()[i], target);
    }
    return 0;
}
