#pragma once
// The one line per figure that `scripts/bench` collects into its table: the figure, its
// target and whether it is met. Kept apart from the Windows header so that the native
// benchmarks print the same line.

#include <cstdio>

// `atMost`: the figure must not exceed `target`; otherwise it must stay under it.
inline void PrintFigure(const char* name, double value, const char* unit, bool atMost, double target) {
    const bool met = atMost ? value <= target : value < target;
    std::printf("figure: %s: %.2f %s; target %s %.2f %s: %s\n", name, value, unit, atMost ? "at most" : "under",
                target, unit, met ? "met" : "MISSED");
}
