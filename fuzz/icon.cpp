// Icon files from outside (the program icon of a stored layout).
#include "framework/graphics/IconFile.h"

#include "framework/core/Exception.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    try {
        const auto entries = ParseIconFile(bytes);
        for (const auto& e : entries)
            if (e.offset + e.size > size) std::abort();
        if (BestIconEntry(entries, 32) >= entries.size()) std::abort();
    } catch (const EInvalidGraphic&) {
        // Refusing a malformed icon file is the outcome the target allows; anything else aborts.
    }
    return 0;
}
