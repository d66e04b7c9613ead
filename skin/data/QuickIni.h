#pragma once
// TQuickIni holds a skin description (8-bit INI text) in memory, indexes its
// sections once and answers string and integer lookups. Platform-neutral.

#include "framework/core/StringList.h"
#include "framework/graphics/Colors.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class TStream;

class TQuickIni {
public:
    // Replaces everything with the text from the stream's position to its end.
    void LoadFromStream(TStream& stream);
    void LoadFromText(std::string_view text);

    // The value of the first `key` line (any letter case) in the first section named
    // `section` (any letter case); `defaultValue` when there is none or it is empty.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // ReadString read as an integer (decimal, "$" or "0x" hexadecimal); `defaultValue`
    // when it does not convert.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    // The section names without brackets, in file order, duplicates included.
    void ReadSections(TAnsiStringList& list) const;

    // Kept lines, trimmed, comments and blank lines dropped, headers included.
    const TAnsiStringList& Lines() const noexcept { return m_lines; }
    // Section header lines with their position in Lines.
    const TAnsiStringList& SectionIndex() const noexcept { return m_sectionIndex; }

private:
    // Position in Lines of the first header of `section`; -1 when there is none.
    int FindSection(std::string_view section) const;

    TAnsiStringList m_lines;
    TAnsiStringList m_sectionIndex;
    // Lower-cased header text to the first SectionIndex entry, for lookups in O(1).
    std::unordered_map<std::string, int> m_firstSection;
};

// A colour written as three decimal numbers for red, green and blue separated by any
// other characters ("55 82 116"). Empty text gives `defaultValue`; a third number
// counts only when two came before it.
TColor ParseColourTriple(std::string_view text, TColor defaultValue);
