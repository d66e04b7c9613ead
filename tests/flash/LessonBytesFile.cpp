#include "tests/flash/LessonBytes.h"

#include <fstream>
#include <iterator>
#include <string>

std::vector<uint8_t> LessonBytes(char letter) {
    std::ifstream in(std::string(KESTRELLE_LESSONS_DIR) + "/" + letter + ".swf", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
