#include "skin/data/Lzh.h"

#include "framework/core/Stream.h"
#include "framework/core/Strings.h"
#include "skin/data/LzhTree.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace lzh {

void LzhTree::Start() noexcept {
    for (int i = 0; i < kSymbolCount; ++i) {
        freq[i] = 1;
        son[i] = int16_t(i + kTreeSize);
        prnt[i + kTreeSize] = int16_t(i);
    }
    for (int i = 0, j = kSymbolCount; j <= kRoot; i += 2, ++j) {
        freq[j] = uint16_t(freq[i] + freq[i + 1]);
        son[j] = int16_t(i);
        prnt[i] = prnt[i + 1] = int16_t(j);
    }
    freq[kTreeSize] = 0xFFFF;
    prnt[kRoot] = 0;
}

void LzhTree::Rebuild() noexcept {
    // Leaves first, in node order, with halved counts (never below 1).
    int j = 0;
    for (int i = 0; i < kTreeSize; ++i)
        if (son[i] >= kTreeSize) {
            freq[j] = uint16_t((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    // Pair them up again, inserting each sum where it keeps the counts sorted.
    for (int i = 0; j < kTreeSize; i += 2, ++j) {
        const unsigned f = freq[i] + freq[i + 1];
        int k = j - 1;
        while (f < freq[k]) --k;
        ++k;
        std::memmove(&freq[k + 1], &freq[k], (j - k) * sizeof freq[0]);
        std::memmove(&son[k + 1], &son[k], (j - k) * sizeof son[0]);
        freq[k] = uint16_t(f);
        son[k] = int16_t(i);
    }
    for (int i = 0; i < kTreeSize; ++i) {
        const int k = son[i];
        prnt[k] = int16_t(i);
        if (k < kTreeSize) prnt[k + 1] = int16_t(i);
    }
}

}  // namespace lzh

using namespace lzh;

namespace {

// The whole input in memory, followed by zeros: the decoder reads past the end of
// the stream as zero bits, and the bit reader loads 8 bytes at a time.
constexpr size_t kInputPadding = 8;

// Bits are taken most significant first. `m_bits` holds `m_count` valid bits at its
// top; one refill tops it up to at least 56, enough for a symbol and a position.
class BitReader {
public:
    BitReader(const uint8_t* begin, const uint8_t* end) noexcept : m_next(begin), m_end(end) {}

    void Refill() noexcept {
        uint64_t word;
        std::memcpy(&word, m_next, sizeof word);
        m_bits |= ToBigEndian(word) >> m_count;
        m_next += (63 - m_count) >> 3;
        m_count |= 56;
        // Once at the end, keep reading the zero padding, counting what lies past it.
        if (m_next > m_end) [[unlikely]] {
            m_overrun += static_cast<uint64_t>(m_next - m_end);
            m_next = m_end;
        }
    }
    // How many bits the decoder has taken, padding past the end included.
    uint64_t BitsTaken(const uint8_t* begin) const noexcept {
        return (static_cast<uint64_t>(m_next - begin) + m_overrun) * 8 - static_cast<uint64_t>(m_count);
    }
    unsigned Bit() noexcept {
        const auto bit = static_cast<unsigned>(m_bits >> 63);
        m_bits <<= 1;
        --m_count;
        return bit;
    }
    unsigned Bits(int n) noexcept {
        const auto value = static_cast<unsigned>(m_bits >> (64 - n));
        m_bits <<= n;
        m_count -= n;
        return value;
    }

private:
    static uint64_t ToBigEndian(uint64_t word) noexcept {
        if constexpr (std::endian::native == std::endian::little) return __builtin_bswap64(word);
        return word;
    }
    uint64_t m_bits = 0;
    int m_count = 0;
    uint64_t m_overrun = 0;
    const uint8_t* m_next;
    const uint8_t* m_end;
};

// The output itself serves as the window: it is preceded by 4,096 bytes that stand
// for the ring's starting content, so a match is a copy from `distance` bytes back.
// The ring starts as blanks at positions 0 to 4,035 with the write position at
// 4,036; the 60 positions from there to the end of the ring start as zeros rather
// than whatever memory held.
constexpr int kStartPosition = kWindow - kLongestMatch;
// Every match copy may write up to 8 bytes past its end.
constexpr size_t kOutputSlack = kLongestMatch + 8;

void FillInitialWindow(uint8_t* history) noexcept {
    std::memset(history, 0, kWindow - kStartPosition);
    std::memset(history + (kWindow - kStartPosition), ' ', kStartPosition);
}

inline void CopyMatch(uint8_t* dst, size_t distance, int length) noexcept {
    const uint8_t* src = dst - distance;
    if (distance >= 8) {
        for (int k = 0; k < length; k += 8) {
            uint64_t chunk;
            std::memcpy(&chunk, src + k, 8);
            std::memcpy(dst + k, &chunk, 8);
        }
    } else {
        for (int k = 0; k < length; ++k) dst[k] = src[k];
    }
}

}  // namespace

int64_t TLZH::MaxUnpackedLength(int64_t inputBytes) noexcept {
    if (inputBytes < 0) inputBytes = 0;
    const int64_t limit = inputBytes > kMaxUnpackedLength ? kMaxUnpackedLength
                                                          : inputBytes * kMaxExpansion + kExpansionAllowance;
    return std::min(limit, kMaxUnpackedLength);
}

size_t TLZH::GetBytes(std::span<std::byte> buffer) { return m_in.Read(buffer); }

void TLZH::PutBytes(std::span<const std::byte> bytes) { m_out.WriteBuffer(bytes); }

int64_t TLZH::Decode(int64_t count) {
    m_inputRanOut = false;
    // Gather the input first; its size bounds what it can honestly decode to.
    std::vector<uint8_t> input;
    for (;;) {
        const size_t have = input.size();
        const int64_t left = m_in.Remaining();
        input.resize(have + static_cast<size_t>(std::clamp<int64_t>(left, 4096, int64_t{1} << 24)));
        const size_t got = GetBytes(std::as_writable_bytes(std::span(input).subspan(have)));
        input.resize(have + got);
        if (got == 0) break;
    }
    const auto inputBytes = static_cast<int64_t>(input.size());
    if (count < 0 || count > MaxUnpackedLength(inputBytes))
        throw ElzhException(FromUtf8("LZH : Unpacked length " + std::to_string(count) + " is impossible for " +
                                 std::to_string(inputBytes) + " packed bytes"));
    if (count == 0) return 0;
    input.resize(input.size() + kInputPadding);

    std::unique_ptr<LzhTree> tree;
    std::unique_ptr<uint8_t[]> history;
    try {
        tree = std::make_unique<LzhTree>();
        history = std::make_unique_for_overwrite<uint8_t[]>(kWindow + static_cast<size_t>(count) + kOutputSlack);
    } catch (const std::bad_alloc&) {
        throw ElzhException(std::u16string(ElzhException::kNoMemory));
    }
    tree->Start();
    FillInitialWindow(history.get());

    auto& son = tree->son;
    BitReader in(input.data(), input.data() + inputBytes);
    uint8_t* out = history.get() + kWindow;
    uint8_t* const end = out + count;
    while (out < end) {
        in.Refill();
        int node = son[kRoot];
        while (node < kTreeSize) node = son[node + in.Bit()];
        const int symbol = node - kTreeSize;
        tree->Update(symbol);
        if (symbol < 256) {
            *out++ = static_cast<uint8_t>(symbol);
            continue;
        }
        // Position: 8 bits select the upper 6 bits and how many more bits follow.
        unsigned b = in.Bits(8);
        const unsigned upper = d_code[b];
        const int more = d_len[b] - 2;
        b = (b << more) | in.Bits(more);
        const size_t distance = ((upper << 6) | (b & 0x3F)) + 1;
        const int length = symbol - 255 + kThreshold;
        CopyMatch(out, distance, length);
        out += length;
    }

    // An encoder never needs bits past its last byte: taking some means the input was cut.
    m_inputRanOut = in.BitsTaken(input.data()) > static_cast<uint64_t>(inputBytes) * 8;
    const auto produced = static_cast<size_t>(out - (history.get() + kWindow));
    PutBytes(std::span(reinterpret_cast<const std::byte*>(history.get() + kWindow), produced));
    return static_cast<int64_t>(produced);
}
