#pragma once
// The client colour of StartupBench's yardsticks: the benchmark watches the screen for it.

#include <windows.h>

constexpr COLORREF kBareColour = RGB(1, 130, 200);
