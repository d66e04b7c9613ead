#pragma once
// The skin description of a skin the skin maker draws: the INI text that names every
// bitmap and gives its margins, frames and placement, with the skin's colours. Host
// tool code.

#include "tools/skinmaker/SkinPalette.h"

#include <string>

// The description's name inside the container: <stem>.ini.
std::string DescriptionName(const SkinPalette& palette);

// 8-bit text, CR LF after every line.
std::string SkinDescription(const SkinPalette& palette);
