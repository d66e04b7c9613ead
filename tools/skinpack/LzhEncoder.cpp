#include "tools/skinpack/LzhEncoder.h"

#include "skin/data/LzhTree.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>

using namespace lzh;

namespace {

class BitWriter {
public:
    // Appends the low `count` bits of `value`, most significant first.
    void Put(uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) {
            m_byte = static_cast<uint8_t>((m_byte << 1) | ((value >> i) & 1));
            if (++m_used == 8) Flush();
        }
    }
    std::vector<std::byte> Finish() {
        if (m_used) {
            m_byte = static_cast<uint8_t>(m_byte << (8 - m_used));
            Flush();
        }
        return std::move(m_out);
    }

private:
    void Flush() {
        m_out.push_back(std::byte{m_byte});
        m_byte = 0;
        m_used = 0;
    }
    std::vector<std::byte> m_out;
    uint8_t m_byte = 0;
    int m_used = 0;
};

// For each upper-6-bit value of a position: the prefix that the decoder's d_code and
// d_len tables map back to it, as {bits, length}.
struct PositionCode {
    uint8_t bits;
    uint8_t length;
};
constexpr std::array<PositionCode, 64> MakePositionCodes() {
    std::array<PositionCode, 64> codes{};
    for (int b = 255; b >= 0; --b) {
        const int length = d_len[static_cast<size_t>(b)];
        codes[d_code[static_cast<size_t>(b)]] = {static_cast<uint8_t>(b >> (8 - length)), static_cast<uint8_t>(length)};
    }
    return codes;
}
constexpr auto kPositionCodes = MakePositionCodes();

class SymbolCoder {
public:
    SymbolCoder() : m_tree(std::make_unique<LzhTree>()) { m_tree->Start(); }

    void PutSymbol(BitWriter& out, int symbol) {
        const auto code = m_tree->CodeOf(symbol);
        out.Put(code.bits, code.length);
        m_tree->Update(symbol);
    }

private:
    std::unique_ptr<LzhTree> m_tree;
};

void PutPosition(BitWriter& out, unsigned position) {
    const PositionCode code = kPositionCodes[position >> 6];
    out.Put(code.bits, code.length);
    out.Put(position & 0x3F, 6);
}

// Longest earlier occurrence of the bytes at `pos`, found through chains of equal
// three-byte hashes. Among equally long ones the nearest wins: its position is cheaper.
class MatchFinder {
public:
    static constexpr int kHashBits = 15;
    static constexpr int kMaxChain = 1024;

    explicit MatchFinder(std::span<const uint8_t> history) : m_history(history), m_prev(history.size(), -1) {
        m_head.fill(-1);
    }

    void Insert(size_t pos) {
        if (pos + 3 > m_history.size()) return;
        const size_t h = Hash(pos);
        m_prev[pos] = m_head[h];
        m_head[h] = static_cast<int32_t>(pos);
    }

    struct Match {
        int length = 0;
        size_t distance = 0;
    };
    Match Find(size_t pos, int maxLength) const {
        Match best;
        if (maxLength < kThreshold + 1 || pos + 3 > m_history.size()) return best;
        const uint8_t* cur = m_history.data() + pos;
        int chain = kMaxChain;
        for (int32_t cand = m_head[Hash(pos)]; cand >= 0 && chain-- > 0; cand = m_prev[static_cast<size_t>(cand)]) {
            const size_t distance = pos - static_cast<size_t>(cand);
            if (distance > static_cast<size_t>(kWindow)) break;
            const uint8_t* src = m_history.data() + cand;
            if (src[best.length] != cur[best.length]) continue;
            int length = 0;
            while (length < maxLength && src[length] == cur[length]) ++length;
            if (length > best.length) {
                best = {length, distance};
                if (length == maxLength) break;
            }
        }
        if (best.length <= kThreshold) best = {};
        return best;
    }

private:
    size_t Hash(size_t pos) const {
        const uint8_t* p = m_history.data() + pos;
        const uint32_t v = static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
        return (v * 2654435761u) >> (32 - kHashBits);
    }
    std::span<const uint8_t> m_history;
    std::array<int32_t, size_t{1} << kHashBits> m_head;
    std::vector<int32_t> m_prev;
};

}  // namespace

std::vector<std::byte> LzhEncode(std::span<const std::byte> data) {
    // The decoder starts with 4,036 blanks in front of the output; matches may copy
    // from them.
    const size_t start = kWindow;
    std::vector<uint8_t> history(start + data.size());
    std::fill_n(history.begin(), kLongestMatch, uint8_t{0});
    std::fill(history.begin() + kLongestMatch, history.begin() + start, uint8_t{' '});
    std::copy(data.begin(), data.end(), reinterpret_cast<std::byte*>(history.data() + start));

    // The first 60 positions of the window are never written by a stream before the
    // decoder may read them, so no match may start there.
    auto finder = std::make_unique<MatchFinder>(history);
    for (size_t i = kLongestMatch; i < start; ++i) finder->Insert(i);

    SymbolCoder coder;
    BitWriter out;
    const size_t end = history.size();
    auto maxLengthAt = [&](size_t pos) { return static_cast<int>(std::min<size_t>(kLongestMatch, end - pos)); };

    size_t pos = start;
    MatchFinder::Match match = finder->Find(pos, maxLengthAt(pos));
    while (pos < end) {
        finder->Insert(pos);
        // One step of lazy matching: a longer match one byte on is worth a literal.
        MatchFinder::Match next;
        if (match.length > 0 && match.length < kLongestMatch && pos + 1 < end)
            next = finder->Find(pos + 1, maxLengthAt(pos + 1));
        if (match.length == 0 || next.length > match.length) {
            coder.PutSymbol(out, history[pos]);
            ++pos;
            match = match.length == 0 && pos < end ? finder->Find(pos, maxLengthAt(pos)) : next;
            continue;
        }
        coder.PutSymbol(out, 255 - kThreshold + match.length);
        PutPosition(out, static_cast<unsigned>(match.distance - 1));
        for (size_t k = 1; k < static_cast<size_t>(match.length); ++k) finder->Insert(pos + k);
        pos += static_cast<size_t>(match.length);
        match = pos < end ? finder->Find(pos, maxLengthAt(pos)) : MatchFinder::Match{};
    }
    return out.Finish();
}

std::vector<std::byte> PackSkinStream(std::span<const std::byte> container) {
    if (container.size() > 0x7FFFFFFF) throw std::length_error("container too large for a packed skin");
    const auto length = static_cast<uint32_t>(container.size());
    std::vector<std::byte> packed = {std::byte(length & 0xFF), std::byte((length >> 8) & 0xFF),
                                     std::byte((length >> 16) & 0xFF), std::byte(length >> 24)};
    const auto bits = LzhEncode(container);
    packed.insert(packed.end(), bits.begin(), bits.end());
    return packed;
}
