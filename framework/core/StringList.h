#pragma once
// Ordered list of strings with an attached number per line, the framework's line
// rule for splitting text, and lookups that ignore ASCII case. Platform-neutral;
// TStringList holds UTF-16, TAnsiStringList 8-bit text (skin names, INI lines).

#include "framework/core/Persistent.h"
#include "framework/core/Strings.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Splits text into lines: a line ends at CR, LF or CR LF; a break at the very end
// starts no further (empty) line; an empty line between two breaks counts.
template <class Char>
std::vector<std::basic_string<Char>> SplitLines(std::basic_string_view<Char> text) {
    std::vector<std::basic_string<Char>> lines;
    size_t start = 0, i = 0;
    while (i < text.size()) {
        const Char c = text[i];
        if (c == Char('\r') || c == Char('\n')) {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

// The lines as one text for a multi-line window: CR LF between lines, and one more
// after a last line that is empty, so that SplitLines gives back exactly these lines.
template <class Char, class Lines>
std::basic_string<Char> JoinLines(const Lines& lines) {
    std::basic_string<Char> text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0) text += {Char('\r'), Char('\n')};
        text += lines[i];
    }
    if (lines.Count() > 0 && lines[lines.Count() - 1].empty()) text += {Char('\r'), Char('\n')};
    return text;
}

template <class Char>
bool SameTextAscii(std::basic_string_view<Char> a, std::basic_string_view<Char> b) noexcept {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto fold = [](Char c) { return c >= Char('A') && c <= Char('Z') ? Char(c + ('a' - 'A')) : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

template <class Char>
class BasicStringList {
public:
    using String = std::basic_string<Char>;
    using View = std::basic_string_view<Char>;

    int Count() const noexcept { return static_cast<int>(m_items.size()); }
    bool Empty() const noexcept { return m_items.empty(); }
    // Line `index`; an empty string outside the list.
    const String& operator[](int index) const noexcept {
        static const String none;
        return InRange(index) ? m_items[static_cast<size_t>(index)].text : none;
    }
    // The number attached to line `index`; 0 outside the list.
    intptr_t Data(int index) const noexcept { return InRange(index) ? m_items[static_cast<size_t>(index)].data : 0; }
    void SetData(int index, intptr_t data) noexcept {
        if (InRange(index)) m_items[static_cast<size_t>(index)].data = data;
    }

    int Add(View text, intptr_t data = 0) {
        m_items.push_back({String(text), data});
        return Count() - 1;
    }
    void Set(int index, View text) {
        if (InRange(index)) m_items[static_cast<size_t>(index)].text = text;
    }
    void Insert(int index, View text, intptr_t data = 0) {
        if (index < 0 || index > Count()) index = Count();
        m_items.insert(m_items.begin() + index, Item{String(text), data});
    }
    void Delete(int index) {
        if (InRange(index)) m_items.erase(m_items.begin() + index);
    }
    void Clear() noexcept { m_items.clear(); }

    // Replaces the content with the lines of `text` (see SplitLines).
    void SetText(View text) {
        m_items.clear();
        for (auto& line : SplitLines<Char>(text)) m_items.push_back({std::move(line), 0});
    }
    // Every line followed by CR LF.
    String Text() const {
        String out;
        for (const auto& item : m_items) {
            out += item.text;
            out += Char('\r');
            out += Char('\n');
        }
        return out;
    }

    // First line equal to `text` without regard to ASCII case; -1 if none.
    int IndexOf(View text) const noexcept {
        for (size_t i = 0; i < m_items.size(); ++i)
            if (SameTextAscii<Char>(m_items[i].text, text)) return static_cast<int>(i);
        return -1;
    }

    // Name part of a "name=value" line (the whole line when it holds no "=").
    String Name(int index) const {
        const String& line = (*this)[index];
        const auto eq = line.find(Char('='));
        return eq == String::npos ? line : line.substr(0, eq);
    }
    String ValueFromIndex(int index) const {
        const String& line = (*this)[index];
        const auto eq = line.find(Char('='));
        return eq == String::npos ? String() : line.substr(eq + 1);
    }
    // First line whose name equals `name` without regard to ASCII case; -1 if none.
    int IndexOfName(View name) const noexcept {
        for (size_t i = 0; i < m_items.size(); ++i) {
            View line = m_items[i].text;
            const auto eq = line.find(Char('='));
            if (eq != View::npos && SameTextAscii<Char>(line.substr(0, eq), name)) return static_cast<int>(i);
        }
        return -1;
    }
    String Value(View name) const { return ValueFromIndex(IndexOfName(name)); }
    // Sets the value of `name`, adding a line when there is none; an empty value removes the line.
    void SetValue(View name, View value) {
        const int index = IndexOfName(name);
        if (value.empty()) {
            Delete(index);
            return;
        }
        String line(name);
        line += Char('=');
        line += value;
        if (index >= 0) Set(index, line);
        else Add(line);
    }

    bool operator==(const BasicStringList& other) const {
        if (m_items.size() != other.m_items.size()) return false;
        for (size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].text != other.m_items[i].text) return false;
        return true;
    }

private:
    struct Item {
        String text;
        intptr_t data = 0;
    };
    bool InRange(int index) const noexcept { return index >= 0 && index < Count(); }
    std::vector<Item> m_items;
};

using TAnsiStringList = BasicStringList<char>;

class TStringList : public TPersistent, public BasicStringList<char16_t> {
    KESTRELLE_CLASS(TStringList, TPersistent)

public:
    void Assign(const TPersistent& source) override;
};
