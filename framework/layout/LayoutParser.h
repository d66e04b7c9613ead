#pragma once
// Tokens of the stored-layout text, read one at a time with their line numbers.
// Platform-neutral. The text is UTF-8 and looks like this:
//
//     Fmain: TFmain {                       // an entry: name, class, body
//         Caption = "Kestrelle"             // strings: UTF-8, \" \\ \n \r \t \uXXXX
//         Left = -2                         // integers: decimal or $hex, 32 bits
//         Color = clBtnFace                 // identifiers: enumerations, named values,
//         OnCreate = FormCreate             //   event handlers, component names
//         Font.Style = [fsBold, fsItalic]   // paths into owned objects; sets
//         Lines = ["one" "two"]             // string lists
//         Panels = [{ Width = 200 } { }]    // collection items
//         Glyph.Data = <424D 3600>          // binary: hexadecimal digits, blanks ignored
//         Panel1: TPanel { ... }            // entries nest as components are parented
//     }
//
// Commas between list elements are optional; "//" starts a comment to the end of the line.

#include "framework/core/Exception.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A layout that cannot be read: the message starts with "Line N: ".
class ELayoutError : public Exception {
public:
    ELayoutError(int line, std::u16string_view cause);
    int Line() const noexcept { return m_line; }

private:
    int m_line;
};

enum class LayoutToken {
    End,
    Ident,
    Integer,
    String,
    Binary,
    Colon,
    Equals,
    Dot,
    Comma,
    OpenBrace,
    CloseBrace,
    OpenBracket,
    CloseBracket,
};

class LayoutParser {
public:
    struct Token {
        LayoutToken type = LayoutToken::End;
        int line = 1;
        std::u16string text;           // Ident, String
        int32_t integer = 0;           // Integer
        std::vector<std::byte> bytes;  // Binary
    };

    explicit LayoutParser(std::string_view utf8);

    // The next token, not consumed.
    const Token& Peek() const noexcept { return m_token; }
    // Consumes and returns the next token.
    Token Take();
    // Consumes the next token if it is of `type`.
    bool Accept(LayoutToken type);
    // Consumes a token of `type` or fails with "expected <what>".
    Token Expect(LayoutToken type, std::u16string_view what);
    // Throws ELayoutError at the line of the next token.
    [[noreturn]] void Fail(std::u16string_view cause) const;

    static std::u16string Describe(const Token& token);

private:
    void Scan();
    void SkipBlanksAndComments();
    void ScanString();
    void ScanBinary();
    void ScanNumber();
    [[noreturn]] void FailHere(std::u16string_view cause) const;

    std::string_view m_text;
    size_t m_pos = 0;
    int m_line = 1;
    Token m_token;
};
