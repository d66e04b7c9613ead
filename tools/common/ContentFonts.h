#pragma once
// The font files the content tools draw with (Debian's fonts-dejavu-core and
// fonts-wqy-zenhei, installed by scripts/setup). Latin and IPA come from DejaVu Sans,
// Chinese from WenQuanYi Zen Hei.

inline constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* kDejaVuSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
inline constexpr const char* kZenHei = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
