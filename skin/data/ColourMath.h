#pragma once
// Colour arithmetic of the skin engine on plain colour values (red in the low byte):
// mixing, gradient tables with their round-robin cache, and the saturation measure.
// Platform-neutral; ImageUtils.h resolves system colours before calling these.

#include "framework/graphics/Colors.h"

#include <array>
#include <span>
#include <vector>

// Colour1 weighted by `weight` and colour2 by the rest: a weight below 100 is a
// percentage, one of 100 or more is in thousandths (150 is 15 %). Rounded to nearest;
// each channel kept to its low 8 bits.
TColor MixRgb(TColor colour1, TColor colour2, int weight) noexcept;

// (max - min) / max of the channels scaled to 0..255 and rounded to nearest (ties to
// even); 200 for a dark colour, whose channels are all below 160.
int RgbSaturation(TColor colour) noexcept;

// Entry `index` of an `n`-entry gradient from `from` to `to`, channel by channel:
// from + (index * diff + (n - 1) div 2) div (n - 1); a single entry is from + diff div 2.
TColor GradientEntry(int index, int n, TColor from, TColor to) noexcept;

// The last 16 gradient tables asked for. A table asked for again is reused; a new one
// overwrites the slots in turn, oldest first. Not thread-safe: GUI thread only.
class GradientCache {
public:
    static constexpr int kSlots = 16;
    // Longer tables are not kept: their entries are computed on the fly (GradientEntry).
    static constexpr int kMaxLength = 1 << 16;

    // The n-entry table from `from` to `to` (n from 1 to kMaxLength); valid until the
    // slot is overwritten by the sixteenth later miss.
    std::span<const TColor> Table(int n, TColor from, TColor to);
    // The slot the next miss overwrites.
    int NextSlot() const noexcept { return m_next; }

private:
    struct Slot {
        int n = 0;
        TColor from = 0;
        TColor to = 0;
        std::vector<TColor> entries;
    };
    std::array<Slot, kSlots> m_slots;
    int m_next = 0;
};

// The program's one cache, kept for the whole run and released at exit.
GradientCache& SharedGradientCache() noexcept;
