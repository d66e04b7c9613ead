#pragma once
// Reads the byte- and bit-packed fields of a movie. Every read is checked against the
// bytes present and throws ESwfError past the end, so callers need no bounds checks.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class SwfBitReader {
public:
    explicit SwfBitReader(std::span<const uint8_t> bytes) noexcept : m_bytes{bytes} {}

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    // Fields of 0 to 32 bits, most significant bit first; the bit position is kept
    // between calls until Align() or a byte-sized read.
    uint32_t UB(unsigned bits);
    int32_t SB(unsigned bits);
    // 16.16 fixed point held in `bits` bits.
    double FB(unsigned bits) { return SB(bits) / 65536.0; }
    // Skips the unread rest of a partly read byte.
    void Align() noexcept {
        if (m_bit != 0) {
            m_bit = 0;
            ++m_pos;
        }
    }

    std::span<const uint8_t> Bytes(size_t count);
    // A NUL-terminated string (the NUL is consumed, not returned).
    std::string CString();
    void Skip(size_t count) { (void)Bytes(count); }

    size_t Position() const noexcept { return m_pos; }
    size_t Remaining() const noexcept { return m_bytes.size() - m_pos; }
    bool AtEnd() const noexcept { return m_pos >= m_bytes.size(); }

private:
    [[noreturn]] static void Truncated();

    std::span<const uint8_t> m_bytes;
    size_t m_pos = 0;
    unsigned m_bit = 0;  // bits of m_bytes[m_pos] already used; 0 means byte-aligned
};
