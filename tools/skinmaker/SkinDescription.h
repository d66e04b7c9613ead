#pragma once
// The skin description of Kestrelle's own skin: the INI text that names every bitmap
// and gives its margins, frames and placement, with the skin's colours. Host tool code.

#include <string>

inline constexpr const char* kDescriptionName = "kestrelle.ini";

// 8-bit text, CR LF after every line.
std::string SkinDescription();
