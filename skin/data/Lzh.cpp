#include "skin/data/Lzh.h"

#include "framework/core/Stream.h"
#include "framework/core/Strings.h"
#include "skin/data/LzhPrefixTable.h"
#include "skin/data/LzhTree.h"

#include <algorithm>
#include <array>
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
    std::fill(freq.begin() + kTreeSize, freq.end(), uint16_t{0xFFFF});
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
        const int k = static_cast<int>(std::upper_bound(freq.begin(), freq.begin() + j, f) - freq.begin());
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

// The most bits one symbol takes: the longest code and a position of 8 + 6 bits.
constexpr int kMaxSymbolBits = LzhTree::kMaxDepth + 14;

// Bits are taken most significant first. `m_bits` holds `m_count` valid bits at its
// top; a refill tops it up to at least 56, enough for a symbol and a position.
class BitReader {
public:
    BitReader(const uint8_t* begin, const uint8_t* end) noexcept : m_next(begin), m_end(end) {}

    // Refills only when a whole symbol might not fit in what is left.
    void MakeRoomForSymbol() noexcept {
        if (m_count < kMaxSymbolBits) Refill();
    }
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
    // The valid bits, first bit highest; Skip drops the first `n` of them.
    uint64_t Peek() const noexcept { return m_bits; }
    void Skip(int n) noexcept {
        m_bits <<= n;
        m_count -= n;
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

// The output itself serves as the window, a match being a copy from `distance` bytes
// back; the first 4,096 bytes are decoded behind 4,096 that stand for the ring's
// starting content.
// The ring starts as blanks at positions 0 to 4,035 with the write position at
// 4,036; the 60 positions from there to the end of the ring start as zeros rather
// than whatever memory held.
constexpr int kStartPosition = kWindow - kLongestMatch;
// Every match copy may write up to 15 bytes past its end.
constexpr size_t kOutputSlack = kLongestMatch + 16;

void FillInitialWindow(uint8_t* history) noexcept {
    std::memset(history, 0, kWindow - kStartPosition);
    std::memset(history + (kWindow - kStartPosition), ' ', kStartPosition);
}

// Copies whole blocks, ending up to 15 bytes past the match. Blocks of 16 bytes serve
// a match at least that far back. A match closer than 8 bytes repeats its first
// `distance` bytes, so once the few bytes ahead of that point are copied one by one
// it reads from a multiple of the distance at least 8 back instead.
inline void CopyMatch(uint8_t* dst, size_t distance, int length) noexcept {
    const uint8_t* src = dst - distance;
    uint8_t* const end = dst + length;
    if (distance >= 16) {
        do {
            std::memcpy(dst, src, 16);
            dst += 16;
            src += 16;
        } while (dst < end);
        return;
    }
    if (distance < 8) {
        const size_t back = distance * ((8 + distance - 1) / distance);
        uint8_t* const singlesEnd = std::min(end, dst + (back - distance));
        while (dst < singlesEnd) *dst++ = *src++;
        src = dst - back;
    }
    while (dst < end) {
        std::memcpy(dst, src, 8);
        dst += 8;
        src += 8;
    }
}

// Decodes symbols into `out` until it reaches `end`; answers where the output ends, up
// to a match length past `end`. Every match must lie inside memory before `out`.
[[gnu::always_inline]] inline uint8_t* DecodeRun(BitReader& in, LzhTree& tree, LzhPrefixTable& table, uint8_t* out,
                                                 uint8_t* const end) noexcept {
    auto& son = tree.son;
    while (out < end) {
        in.MakeRoomForSymbol();
        // The table takes the first bits of the code; a longer one goes on bit by bit.
        uint64_t bits = in.Peek();
        const auto start = table.Find(bits);
        bits <<= start.length;
        int codeLength = start.length;
        size_t node = uint16_t(son[start.node]);
        while (node < kTreeSize) {
            node = uint16_t(son[node + (bits >> 63)]);
            bits <<= 1;
            ++codeLength;
        }
        in.Skip(codeLength);
        const int symbol = static_cast<int>(node) - kTreeSize;
        tree.Update(symbol, table);
        table.Refresh();
        if (symbol < 256) {
            *out++ = static_cast<uint8_t>(symbol);
            continue;
        }
        // Position: a prefix of 3 to 8 bits gives the upper 6 bits, the next 6 the lower.
        const auto window = static_cast<unsigned>(in.Peek() >> (64 - 14));
        const unsigned lead = window >> 6;
        const int prefixLength = d_len[lead];
        const size_t distance = ((d_code[lead] << 6) | ((window >> (8 - prefixLength)) & 0x3F)) + 1;
        in.Skip(prefixLength + 6);
        const int length = symbol - 255 + kThreshold;
        CopyMatch(out, distance, length);
        out += length;
    }
    return out;
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
    const std::vector<std::byte> bytes = DecodeBytes(count);
    if (!bytes.empty()) PutBytes(bytes);
    return static_cast<int64_t>(bytes.size());
}

std::vector<std::byte> TLZH::DecodeBytes(int64_t count) {
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
    if (count == 0) return {};
    input.resize(input.size() + kInputPadding);

    std::unique_ptr<LzhTree> tree;
    std::unique_ptr<LzhPrefixTable> table;
    std::vector<std::byte> bytes;
    try {
        tree = std::make_unique<LzhTree>();
        table = std::make_unique<LzhPrefixTable>(*tree);
        bytes.resize(static_cast<size_t>(count) + kOutputSlack);
    } catch (const std::bad_alloc&) {
        throw ElzhException(std::u16string(ElzhException::kNoMemory));
    }
    tree->Start();
    table->Build();

    // Matches among the first kWindow bytes may reach back into the ring's starting
    // content: those bytes are decoded behind a copy of it, then moved to the output.
    // From there on every match lies inside the output, which then needs no room for
    // the ring before it and is answered as it is.
    std::array<uint8_t, kWindow * 2 + kOutputSlack> first;
    FillInitialWindow(first.data());
    BitReader in(input.data(), input.data() + inputBytes);
    uint8_t* const firstStart = first.data() + kWindow;
    const size_t firstCount = std::min(static_cast<size_t>(count), static_cast<size_t>(kWindow));
    size_t produced =
        static_cast<size_t>(DecodeRun(in, *tree, *table, firstStart, firstStart + firstCount) - firstStart);
    uint8_t* const output = reinterpret_cast<uint8_t*>(bytes.data());
    std::memcpy(output, firstStart, produced);
    produced = static_cast<size_t>(DecodeRun(in, *tree, *table, output + produced, output + count) - output);

    // An encoder never needs bits past its last byte: taking some means the input was cut.
    m_inputRanOut = in.BitsTaken(input.data()) > static_cast<uint64_t>(inputBytes) * 8;
    bytes.resize(produced);
    return bytes;
}
