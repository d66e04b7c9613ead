#include "skin/data/QuickIni.h"

#include "framework/core/Stream.h"
#include "framework/core/Strings.h"

#include <vector>

namespace {

std::string_view Trim(std::string_view text) noexcept {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsHeader(std::string_view line) noexcept { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

}  // namespace

void TQuickIni::LoadFromStream(TStream& stream) {
    const int64_t remaining = stream.Remaining();
    std::string text(static_cast<size_t>(remaining > 0 ? remaining : 0), '\0');
    const size_t got = stream.Read(std::as_writable_bytes(std::span(text)));
    text.resize(got);
    LoadFromText(text);
}

void TQuickIni::LoadFromText(std::string_view text) {
    m_lines.Clear();
    m_sectionIndex.Clear();
    m_firstSection.clear();
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);

    size_t pos = 0;
    while (pos < text.size()) {
        size_t stop = text.find_first_of("\r\n", pos);
        if (stop == std::string_view::npos) stop = text.size();
        const std::string_view line = Trim(text.substr(pos, stop - pos));
        pos = stop;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;

        if (line.empty() || line.front() == ';') continue;
        const int index = m_lines.Add(line);
        if (IsHeader(line)) {
            const int entry = m_sectionIndex.Add(line, index);
            m_firstSection.try_emplace(AsciiLower(line), entry);
        }
    }
}

int TQuickIni::FindSection(std::string_view section) const {
    std::string header;
    header.reserve(section.size() + 2);
    header += '[';
    header += section;
    header += ']';
    const auto found = m_firstSection.find(AsciiLower(header));
    return found == m_firstSection.end() ? -1 : static_cast<int>(m_sectionIndex.Data(found->second));
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    const int header = FindSection(section);
    if (header < 0) return std::string(defaultValue);
    for (int i = header + 1; i < m_lines.Count(); ++i) {
        const std::string_view line = m_lines[i];
        if (IsHeader(line)) break;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || !SameTextAscii(Trim(line.substr(0, eq)), key)) continue;
        // The first line with the key decides, even when its value is empty.
        const std::string_view value = Trim(line.substr(eq + 1));
        return std::string(value.empty() ? defaultValue : value);
    }
    return std::string(defaultValue);
}

int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const {
    std::string text = ReadString(section, key, {});
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    return TryStrToInt(text).value_or(defaultValue);
}

void TQuickIni::ReadSections(TAnsiStringList& list) const {
    list.Clear();
    for (int i = 0; i < m_sectionIndex.Count(); ++i) {
        const std::string_view header = m_sectionIndex[i];
        list.Add(Trim(header.substr(1, header.size() - 2)));
    }
}

TColor ParseColourTriple(std::string_view text, TColor defaultValue) {
    text = Trim(text);
    if (text.empty()) return defaultValue;
    unsigned components[3] = {0, 0, 0};
    int n = 1;
    // Only the low 8 bits of each number count, so they are kept modulo 256 and a
    // long run of digits cannot overflow.
    unsigned number = 0;
    bool pending = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            number = (number * 10 + static_cast<unsigned>(c - '0')) & 0xFF;
            pending = true;
        } else if (pending) {
            if (n <= 3) components[n - 1] = number;
            ++n;
            number = 0;
            pending = false;
        }
    }
    if (pending && n == 3) components[2] = number;
    return RgbColour(static_cast<uint8_t>(components[0]), static_cast<uint8_t>(components[1]),
                     static_cast<uint8_t>(components[2]));
}
