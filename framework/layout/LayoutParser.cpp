#include "framework/layout/LayoutParser.h"

#include "framework/core/Strings.h"

#include <array>
#include <cstdint>

namespace {

bool IsIdentStart(char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) noexcept { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }
// Each character's value as a hexadecimal digit, -1 for the rest: a form's pictures are
// hundreds of kilobytes of digits.
constexpr std::array<int8_t, 256> kHexDigits = [] {
    std::array<int8_t, 256> table{};
    table.fill(-1);
    for (int c = '0'; c <= '9'; ++c) table[c] = static_cast<int8_t>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c) table[c] = table[c - 'a' + 'A'] = static_cast<int8_t>(c - 'a' + 10);
    return table;
}();
int HexValue(char c) noexcept { return kHexDigits[static_cast<unsigned char>(c)]; }

std::u16string LineText(int line) { return u"Line " + FromUtf8(std::to_string(line)) + u": "; }

}  // namespace

ELayoutError::ELayoutError(int line, std::u16string_view cause)
    : Exception(LineText(line) + std::u16string(cause)), m_line(line) {}

LayoutParser::LayoutParser(std::string_view utf8) : m_text(utf8) {
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;  // a byte-order mark some editors add
    Scan();
}

LayoutParser::Token LayoutParser::Take() {
    Token token = std::move(m_token);
    Scan();
    return token;
}

bool LayoutParser::Accept(LayoutToken type) {
    if (m_token.type != type) return false;
    Scan();
    return true;
}

LayoutParser::Token LayoutParser::Expect(LayoutToken type, std::u16string_view what) {
    if (m_token.type != type) Fail(u"expected " + std::u16string(what) + u", found " + Describe(m_token));
    return Take();
}

void LayoutParser::Fail(std::u16string_view cause) const { throw ELayoutError(m_token.line, cause); }

void LayoutParser::FailHere(std::u16string_view cause) const { throw ELayoutError(m_line, cause); }

std::u16string LayoutParser::Describe(const Token& token) {
    switch (token.type) {
    case LayoutToken::End: return u"the end of the layout";
    case LayoutToken::Ident: return u"\"" + token.text + u"\"";
    case LayoutToken::Integer: return u"the number " + FromUtf8(std::to_string(token.integer));
    case LayoutToken::String: return u"a string";
    case LayoutToken::Binary: return u"binary data";
    case LayoutToken::Colon: return u"\":\"";
    case LayoutToken::Equals: return u"\"=\"";
    case LayoutToken::Dot: return u"\".\"";
    case LayoutToken::Comma: return u"\",\"";
    case LayoutToken::OpenBrace: return u"\"{\"";
    case LayoutToken::CloseBrace: return u"\"}\"";
    case LayoutToken::OpenBracket: return u"\"[\"";
    case LayoutToken::CloseBracket: return u"\"]\"";
    }
    return u"?";
}

void LayoutParser::SkipBlanksAndComments() {
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (c == '\n') {
            ++m_line;
            ++m_pos;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++m_pos;
        } else if (c == '/' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '/') {
            while (m_pos < m_text.size() && m_text[m_pos] != '\n') ++m_pos;
        } else {
            break;
        }
    }
}

void LayoutParser::Scan() {
    SkipBlanksAndComments();
    m_token = Token{};
    m_token.line = m_line;
    if (m_pos >= m_text.size()) return;

    const char c = m_text[m_pos];
    auto single = [&](LayoutToken type) {
        m_token.type = type;
        ++m_pos;
    };
    switch (c) {
    case ':': return single(LayoutToken::Colon);
    case '=': return single(LayoutToken::Equals);
    case '.': return single(LayoutToken::Dot);
    case ',': return single(LayoutToken::Comma);
    case '{': return single(LayoutToken::OpenBrace);
    case '}': return single(LayoutToken::CloseBrace);
    case '[': return single(LayoutToken::OpenBracket);
    case ']': return single(LayoutToken::CloseBracket);
    case '"': return ScanString();
    case '<': return ScanBinary();
    default: break;
    }
    if (IsIdentStart(c)) {
        const size_t start = m_pos;
        while (m_pos < m_text.size() && IsIdentChar(m_text[m_pos])) ++m_pos;
        m_token.type = LayoutToken::Ident;
        m_token.text = FromUtf8(m_text.substr(start, m_pos - start));
        return;
    }
    if (IsDigit(c) || c == '$' || c == '-' || c == '+') return ScanNumber();
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
        FailHere(u"unexpected character code " + FromUtf8(std::to_string(static_cast<unsigned char>(c))));
    FailHere(u"unexpected character \"" + std::u16string(1, static_cast<char16_t>(c)) + u"\"");
}

void LayoutParser::ScanNumber() {
    const size_t start = m_pos;
    if (m_text[m_pos] == '-' || m_text[m_pos] == '+') ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == '$') ++m_pos;
    while (m_pos < m_text.size() && IsIdentChar(m_text[m_pos])) ++m_pos;
    const auto literal = m_text.substr(start, m_pos - start);
    const auto value = TryStrToInt(literal);
    if (!value) FailHere(u"\"" + FromUtf8(literal) + u"\" is not a 32-bit integer");
    m_token.type = LayoutToken::Integer;
    m_token.integer = *value;
}

void LayoutParser::ScanString() {
    ++m_pos;  // opening quote
    std::u16string out;
    auto fail = [&](std::u16string_view cause) { FailHere(cause); };
    for (;;) {
        if (m_pos >= m_text.size()) fail(u"unterminated string");
        const auto b = static_cast<unsigned char>(m_text[m_pos]);
        if (b == '"') {
            ++m_pos;
            break;
        }
        if (b < 0x20) fail(u"unterminated string (or a control character in it; write it as \\uXXXX)");
        if (b == '\\') {
            if (m_pos + 1 >= m_text.size()) fail(u"unterminated string");
            const char e = m_text[m_pos + 1];
            m_pos += 2;
            switch (e) {
            case '"': out += u'"'; break;
            case '\\': out += u'\\'; break;
            case 'n': out += u'\n'; break;
            case 'r': out += u'\r'; break;
            case 't': out += u'\t'; break;
            case 'u': {
                int value = 0;
                for (int k = 0; k < 4; ++k) {
                    const int d = m_pos < m_text.size() ? HexValue(m_text[m_pos]) : -1;
                    if (d < 0) fail(u"\\u needs four hexadecimal digits");
                    value = value * 16 + d;
                    ++m_pos;
                }
                out += static_cast<char16_t>(value);
                break;
            }
            default: fail(u"unknown escape sequence in string");
            }
            continue;
        }
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++m_pos;
            continue;
        }
        // Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
        const int extra = (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || m_pos + static_cast<size_t>(extra) >= m_text.size()) fail(u"invalid UTF-8 in string");
        char32_t cp = extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k <= extra; ++k) {
            const auto t = static_cast<unsigned char>(m_text[m_pos + k]);
            if ((t & 0xC0) != 0x80) fail(u"invalid UTF-8 in string");
            cp = (cp << 6) | (t & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) fail(u"invalid UTF-8 in string");
        m_pos += 1 + static_cast<size_t>(extra);
        AppendUtf16(out, cp);
    }
    m_token.type = LayoutToken::String;
    m_token.text = std::move(out);
}

void LayoutParser::ScanBinary() {
    ++m_pos;  // '<'
    const size_t end = m_text.find('>', m_pos);
    const std::string_view digits = m_text.substr(m_pos, end == std::string_view::npos ? end : end - m_pos);
    std::vector<std::byte> bytes;
    bytes.reserve(digits.size() / 2);
    int high = -1;
    for (const char c : digits) {
        const int d = HexValue(c);
        if (d >= 0) {
            if (high < 0) {
                high = d;
            } else {
                bytes.push_back(static_cast<std::byte>((high << 4) | d));
                high = -1;
            }
        } else if (c == '\n') {
            ++m_line;
        } else if (c != ' ' && c != '\t' && c != '\r') {
            FailHere(u"binary data holds a character that is not a hexadecimal digit");
        }
    }
    if (end == std::string_view::npos) {
        m_pos = m_text.size();
        FailHere(u"unterminated binary data");
    }
    m_pos = end + 1;
    if (high >= 0) FailHere(u"binary data has an odd number of hexadecimal digits");
    m_token.type = LayoutToken::Binary;
    m_token.bytes = std::move(bytes);
}
