#pragma once
// Colour values of the framework: 32 bits, red in the low byte, then green, then
// blue. A value with the top bit set stands for a system colour, whose index is in
// the low byte; it is resolved only when drawing. Platform-neutral.

#include <cstdint>
#include <optional>
#include <string_view>

using TColor = int32_t;

constexpr TColor kSystemColourFlag = static_cast<TColor>(0x80000000u);

constexpr bool IsSystemColour(TColor colour) noexcept { return colour < 0; }
constexpr int SystemColourIndex(TColor colour) noexcept { return colour & 0xFF; }
constexpr TColor SystemColour(int index) noexcept { return kSystemColourFlag | (index & 0xFF); }
constexpr TColor RgbColour(uint8_t red, uint8_t green, uint8_t blue) noexcept {
    return static_cast<TColor>(red | (green << 8) | (blue << 16));
}
constexpr uint8_t RedOf(TColor colour) noexcept { return static_cast<uint8_t>(colour & 0xFF); }
constexpr uint8_t GreenOf(TColor colour) noexcept { return static_cast<uint8_t>((colour >> 8) & 0xFF); }
constexpr uint8_t BlueOf(TColor colour) noexcept { return static_cast<uint8_t>((colour >> 16) & 0xFF); }

// System colours, by the platform's colour index.
constexpr TColor clScrollBar = SystemColour(0);
constexpr TColor clBackground = SystemColour(1);
constexpr TColor clActiveCaption = SystemColour(2);
constexpr TColor clInactiveCaption = SystemColour(3);
constexpr TColor clMenu = SystemColour(4);
constexpr TColor clWindow = SystemColour(5);
constexpr TColor clWindowFrame = SystemColour(6);
constexpr TColor clMenuText = SystemColour(7);
constexpr TColor clWindowText = SystemColour(8);
constexpr TColor clCaptionText = SystemColour(9);
constexpr TColor clActiveBorder = SystemColour(10);
constexpr TColor clInactiveBorder = SystemColour(11);
constexpr TColor clAppWorkSpace = SystemColour(12);
constexpr TColor clHighlight = SystemColour(13);
constexpr TColor clHighlightText = SystemColour(14);
constexpr TColor clBtnFace = SystemColour(15);
constexpr TColor clBtnShadow = SystemColour(16);
constexpr TColor clGrayText = SystemColour(17);
constexpr TColor clBtnText = SystemColour(18);
constexpr TColor clInactiveCaptionText = SystemColour(19);
constexpr TColor clBtnHighlight = SystemColour(20);
constexpr TColor cl3DDkShadow = SystemColour(21);
constexpr TColor cl3DLight = SystemColour(22);
constexpr TColor clInfoText = SystemColour(23);
constexpr TColor clInfoBk = SystemColour(24);

// Plain colours.
constexpr TColor clBlack = RgbColour(0, 0, 0);
constexpr TColor clMaroon = RgbColour(0x80, 0, 0);
constexpr TColor clGreen = RgbColour(0, 0x80, 0);
constexpr TColor clOlive = RgbColour(0x80, 0x80, 0);
constexpr TColor clNavy = RgbColour(0, 0, 0x80);
constexpr TColor clPurple = RgbColour(0x80, 0, 0x80);
constexpr TColor clTeal = RgbColour(0, 0x80, 0x80);
constexpr TColor clGray = RgbColour(0x80, 0x80, 0x80);
constexpr TColor clSilver = RgbColour(0xC0, 0xC0, 0xC0);
constexpr TColor clRed = RgbColour(0xFF, 0, 0);
constexpr TColor clLime = RgbColour(0, 0xFF, 0);
constexpr TColor clYellow = RgbColour(0xFF, 0xFF, 0);
constexpr TColor clBlue = RgbColour(0, 0, 0xFF);
constexpr TColor clFuchsia = RgbColour(0xFF, 0, 0xFF);
constexpr TColor clAqua = RgbColour(0, 0xFF, 0xFF);
constexpr TColor clWhite = RgbColour(0xFF, 0xFF, 0xFF);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The identifier of a named colour ("clBtnFace"), and back (without regard to ASCII case).
// Colours without a name are written as numbers by whoever stores them.
std::optional<std::u16string_view> ColourToIdent(TColor colour) noexcept;
std::optional<TColor> IdentToColour(std::u16string_view ident) noexcept;
