#pragma once
// TLZH unpacks the LZH bit stream of a packed skin: LZSS over a 4,096-byte window
// with adaptive Huffman coding of bytes and match lengths. Platform-neutral.

#include "framework/core/Exception.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TStream;

// Failures of LZH decoding.
class ElzhException : public Exception {
public:
    using Exception::Exception;

    static constexpr std::u16string_view kNoMemory = u"LZH : Cannot get memory for dictionary tables";
    // Kept for callers that match on it; freeing cannot fail here, so it is never raised.
    static constexpr std::u16string_view kFreeFailed = u"LZH : Error freeing memory for dictionary tables";
};

class TLZH {
public:
    // Neither stream is owned. `inStream` is positioned at the first byte of the bit stream.
    TLZH(TStream& inStream, TStream& outStream) noexcept : m_in(inStream), m_out(outStream) {}

    // Decodes until `count` bytes have reached OutStream and returns how many were
    // written: more than `count` only when the last match runs past it. Input that
    // ends early reads as zero bits. A count that is negative or more than
    // MaxUnpackedLength allows for the input raises ElzhException.
    int64_t Decode(int64_t count);
    // As Decode, answering the bytes instead of writing them to OutStream.
    std::vector<std::byte> DecodeBytes(int64_t count);
    // Whether the last Decode ran past the end of the input, into the zero bits: the
    // input was cut short and the end of its output is not what was packed.
    bool InputRanOut() const noexcept { return m_inputRanOut; }

    // No stream of this coding yields more than 48 bytes per input byte (a 60-byte
    // match costs at least 10 bits), so anything past 64 per byte can only come from
    // the zero bits behind a truncated input; the absolute cap keeps a hostile
    // length from exhausting memory. Skins are well under 1 MiB.
    static constexpr int64_t kMaxExpansion = 64;
    static constexpr int64_t kExpansionAllowance = 4096;
    static constexpr int64_t kMaxUnpackedLength = int64_t{256} << 20;
    static int64_t MaxUnpackedLength(int64_t inputBytes) noexcept;

    // Reads up to buffer.size() bytes from InStream; returns how many.
    size_t GetBytes(std::span<std::byte> buffer);
    // Writes all of `bytes` to OutStream.
    void PutBytes(std::span<const std::byte> bytes);

private:
    TStream& m_in;
    TStream& m_out;
    bool m_inputRanOut = false;
};
