#pragma once
// Seconds from the platform's high-resolution counter, for the Windows benchmarks.

#include "bench/Figure.h"

#include <windows.h>

inline double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}
