// Bitmap files and bitmap resources from outside: every skin bitmap is one.
#include "framework/graphics/BmpCodec.h"

#include "framework/core/Exception.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    for (bool fileHeader : {true, false}) {
        try {
            const DecodedBmp image = DecodeBmp(bytes, fileHeader);
            if (image.pixels.size() != image.Stride() * static_cast<size_t>(image.height)) std::abort();
            const DecodedBmp again = DecodeBmp(EncodeBmp(image));  // what we write we must read back
            if (again.pixels != image.pixels) std::abort();
        } catch (const EInvalidGraphic&) {
            // Refusing a malformed bitmap is the outcome the target allows; anything else aborts.
        }
    }
    return 0;
}
