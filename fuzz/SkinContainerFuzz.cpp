// Packed skin bytes from outside: the LZH decoder, then the container reader and its
// lookups. Any input must end in a clean open, a refusal by exception, or "older".

#include "framework/Exception.h"
#include "framework/Stream.h"
#include "skin/data/SkinReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto* bytes = reinterpret_cast<const std::byte*>(data);
    TMemoryStream packed(std::vector<std::byte>(bytes, bytes + size));
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
        if (target.Size() != reader.FileSize(i) && reader.FileNames().IndexOf(reader.FileNames()[i]) == i)
            __builtin_trap();  // a lookup must return exactly the listed size
        (void)reader.ReadBitmap(reader.FileNames()[i], target);
    }
    return 0;
}
