#pragma once
// Text helpers shared by every layer. Platform-neutral.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Appends code point `c` as one UTF-16 unit or a surrogate pair.
void AppendUtf16(std::u16string& out, char32_t c);
// The code point at `i` (a surrogate pair read whole, a lone surrogate as it is);
// advances `i` past it.
char32_t NextCodePoint(std::u16string_view text, size_t& i) noexcept;

// ASCII-only case folding, the framework's rule for names and identifiers.
char16_t AsciiLower(char16_t c) noexcept;
std::u16string AsciiLower(std::u16string_view text);
std::string AsciiLower(std::string_view text);  // 8-bit text (skin names, INI keys)
bool SameText(std::u16string_view a, std::u16string_view b) noexcept;

// The framework's string-to-integer rule: an optional sign, then decimal digits or
// "$" and hexadecimal digits. Decimal must fit 32 signed bits; hexadecimal may use
// all 32 bits ("$FFFFFFFF" is -1). Nothing else is accepted, blanks included.
std::optional<int32_t> TryStrToInt(std::u16string_view text) noexcept;
std::optional<int32_t> TryStrToInt(std::string_view text) noexcept;
