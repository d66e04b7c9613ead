#include "skin/data/SharedScratch.h"

#include "framework/core/StringList.h"
#include "framework/graphics/Bitmap.h"

namespace {

// Plain data, so it can still be read while static objects are being destroyed.
constinit bool s_released = false;

struct Scratch {
    TBitmap bitmap;
    TStringList strings;
    Scratch() = default;
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch() { s_released = true; }
};

Scratch* Shared() noexcept {
    if (s_released) return nullptr;
    try {
        static Scratch scratch;
        return &scratch;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

TBitmap* SharedScratchBitmap(int width, int height) noexcept {
    Scratch* scratch = Shared();
    if (!scratch) return nullptr;
    try {
        scratch->bitmap.SetSize(width, height);
        if (const HDC dc = scratch->bitmap.Dc()) ::SetStretchBltMode(dc, COLORONCOLOR);
        return &scratch->bitmap;
    } catch (...) {
        return nullptr;
    }
}

TStringList* SharedStringList() noexcept {
    Scratch* scratch = Shared();
    return scratch ? &scratch->strings : nullptr;
}
