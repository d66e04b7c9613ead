#pragma once
// The bytes of lesson movie `letter` ('A' ... 'P'): from assets/ in the native build,
// from the program's resources in the Windows build.

#include <cstdint>
#include <vector>

std::vector<uint8_t> LessonBytes(char letter);
