#include "flash/SwfBitReader.h"

#include "flash/SwfError.h"
#include "framework/core/LittleEndian.h"

void SwfBitReader::Truncated() { throw ESwfError(u"The movie data ends inside a record."); }

uint8_t SwfBitReader::U8() {
    Align();
    if (m_pos >= m_bytes.size()) Truncated();
    return m_bytes[m_pos++];
}

uint16_t SwfBitReader::U16() { return GetLe16(std::as_bytes(Bytes(2)), 0); }

uint32_t SwfBitReader::U32() { return GetLe32(std::as_bytes(Bytes(4)), 0); }

uint32_t SwfBitReader::UB(unsigned bits) {
    if (bits > 32) throw ESwfError(u"A bit field is wider than 32 bits.");
    uint32_t value = 0;
    while (bits > 0) {
        if (m_pos >= m_bytes.size()) Truncated();
        const unsigned available = 8 - m_bit;
        const unsigned take = bits < available ? bits : available;
        const unsigned shift = available - take;
        const uint32_t chunk = (m_bytes[m_pos] >> shift) & ((1u << take) - 1);
        value = static_cast<uint32_t>((uint64_t{value} << take) | chunk);
        bits -= take;
        m_bit += take;
        if (m_bit == 8) {
            m_bit = 0;
            ++m_pos;
        }
    }
    return value;
}

int32_t SwfBitReader::SB(unsigned bits) {
    if (bits == 0) return 0;
    const uint32_t raw = UB(bits);
    if (bits == 32) return static_cast<int32_t>(raw);
    const uint32_t sign = 1u << (bits - 1);
    return static_cast<int32_t>(static_cast<int64_t>(raw ^ sign) - static_cast<int64_t>(sign));
}

std::span<const uint8_t> SwfBitReader::Bytes(size_t count) {
    Align();
    if (count > Remaining()) Truncated();
    const auto part = m_bytes.subspan(m_pos, count);
    m_pos += count;
    return part;
}

std::string SwfBitReader::CString() {
    Align();
    std::string text;
    while (true) {
        const uint8_t c = U8();
        if (c == 0) return text;
        text.push_back(static_cast<char>(c));
    }
}
