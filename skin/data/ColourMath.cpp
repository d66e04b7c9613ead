#include "skin/data/ColourMath.h"

#include <algorithm>
#include <cstdint>

namespace {

int Channel(TColor colour, int shift) noexcept { return (colour >> shift) & 0xFF; }

TColor FromChannels(int64_t red, int64_t green, int64_t blue) noexcept {
    return static_cast<TColor>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}

}  // namespace

TColor MixRgb(TColor colour1, TColor colour2, int weight) noexcept {
    const int64_t scale = weight < 100 ? 100 : 1000;
    const auto mix = [&](int shift) {
        return (int64_t{Channel(colour2, shift)} * (scale - weight) + int64_t{Channel(colour1, shift)} * weight +
                scale / 2) /
               scale;
    };
    return FromChannels(mix(0), mix(8), mix(16));
}

int RgbSaturation(TColor colour) noexcept {
    const int r = Channel(colour, 0), g = Channel(colour, 8), b = Channel(colour, 16);
    const int high = std::max({r, g, b}), low = std::min({r, g, b});
    if (high < 160) return 200;
    const int numerator = 255 * (high - low);
    int value = numerator / high;
    const int twiceRest = 2 * (numerator % high);
    if (twiceRest > high || (twiceRest == high && value % 2 != 0)) ++value;
    return value;
}

TColor GradientEntry(int index, int n, TColor from, TColor to) noexcept {
    const auto entry = [&](int shift) -> int64_t {
        const int64_t start = Channel(from, shift), diff = Channel(to, shift) - start;
        if (n <= 1) return start + diff / 2;
        const int64_t d = n - 1;
        return start + (index * diff + d / 2) / d;
    };
    return FromChannels(entry(0), entry(8), entry(16));
}

std::span<const TColor> GradientCache::Table(int n, TColor from, TColor to) {
    n = std::clamp(n, 1, kMaxLength);
    for (int i = kSlots - 1; i >= 0; --i) {
        const Slot& slot = m_slots[static_cast<size_t>(i)];
        if (slot.n == n && slot.from == from && slot.to == to) return slot.entries;
    }
    Slot& slot = m_slots[static_cast<size_t>(m_next)];
    m_next = (m_next + 1) % kSlots;
    slot.n = 0;  // an allocation failure below leaves the slot empty, never half-filled
    slot.entries.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) slot.entries[static_cast<size_t>(i)] = GradientEntry(i, n, from, to);
    slot.n = n;
    slot.from = from;
    slot.to = to;
    return slot.entries;
}

GradientCache& SharedGradientCache() noexcept {
    static GradientCache cache;
    return cache;
}
