#pragma once
// How far a decoded sound is from the samples it was coded from.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Signal-to-noise ratio of `decoded` against `original` (same length), in dB.
inline double SnrDb(const std::vector<int16_t>& original, const std::vector<int16_t>& decoded) {
    double signal = 0, noise = 0;
    for (size_t i = 0; i < original.size() && i < decoded.size(); ++i) {
        signal += double(original[i]) * original[i];
        noise += (original[i] - decoded[i]) * double(original[i] - decoded[i]);
    }
    return 10 * std::log10(std::max(signal, 1.0) / std::max(noise, 1.0));
}
