#pragma once
// The adaptive Huffman tree of the skin's LZH coding and its constants. The decoder
// and the packer share it so that both sides evolve the tree in exactly the same
// way. Platform-neutral.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lzh {

inline constexpr int kWindow = 4096;                                // ring size N
inline constexpr int kLongestMatch = 60;                            // F
inline constexpr int kThreshold = 2;                                // a match is at least 3 bytes
inline constexpr int kSymbolCount = 256 - kThreshold + kLongestMatch;  // 314: bytes and match lengths
inline constexpr int kTreeSize = kSymbolCount * 2 - 1;              // 627 nodes; codes >= this are leaves
inline constexpr int kRoot = kTreeSize - 1;                         // 626
inline constexpr unsigned kMaxFreq = 0x8000;

// Match positions: the upper 6 bits of a position come from a prefix code of 3 to 8
// bits. Indexed by the next 8 bits of input, d_code gives those upper bits and d_len
// the prefix length (so d_len - 2 more bits complete the lower 6).
struct PositionTables {
    std::array<uint8_t, 256> code{};
    std::array<uint8_t, 256> len{};
};

constexpr PositionTables MakePositionTables() {
    // Runs of equal entries: {entries per value, values, code length}.
    constexpr int runs[6][3] = {{32, 1, 3}, {16, 3, 4}, {8, 8, 5}, {4, 12, 6}, {2, 24, 7}, {1, 16, 8}};
    PositionTables t;
    int index = 0, value = 0;
    for (const auto& run : runs)
        for (int v = 0; v < run[1]; ++v, ++value)
            for (int e = 0; e < run[0]; ++e, ++index) {
                t.code[index] = static_cast<uint8_t>(value);
                t.len[index] = static_cast<uint8_t>(run[2]);
            }
    return t;
}

inline constexpr PositionTables kPositionTables = MakePositionTables();
inline constexpr const std::array<uint8_t, 256>& d_code = kPositionTables.code;
inline constexpr const std::array<uint8_t, 256>& d_len = kPositionTables.len;

// Nodes are kept in order of non-decreasing frequency with siblings side by side,
// so the tree is always a Huffman tree for its counts. With the root count capped at
// kMaxFreq that bounds the depth of any leaf to 21 (a deeper leaf needs a total
// count of at least Fibonacci(24) = 46,368), which lets the decoder fetch the bits
// of a whole symbol and position with one refill.
struct LzhTree {
    static constexpr int kMaxDepth = 21;

    // Counts, then a sentinel and room for the run scan to read 4 counts past it.
    std::array<uint16_t, kTreeSize + 4> freq;
    std::array<int16_t, kTreeSize + kSymbolCount> prnt;  // node parents, then one per leaf
    std::array<int16_t, kTreeSize> son;                  // left child; right is son + 1

    void Start() noexcept;
    void Rebuild() noexcept;

    // The bits that lead from the root to `symbol` in the current tree, first bit
    // highest. The bit of a node is its place under its parent.
    struct Code {
        uint32_t bits = 0;
        int length = 0;
    };
    Code CodeOf(int symbol) const noexcept { return PathTo(prnt[symbol + kTreeSize]); }
    // The same for the node at `node`; stops counting at `maxLength` bits.
    Code PathTo(int node, int maxLength = kTreeSize) const noexcept {
        Code code;
        for (; node != kRoot && code.length < maxLength; node = prnt[node]) {
            code.bits |= static_cast<uint32_t>(node - son[prnt[node]]) << code.length;
            ++code.length;
        }
        return code;
    }

    // Counts one more occurrence of `symbol` and restores the node order.
    void Update(int symbol) noexcept { Update(symbol, IgnoreChanges{}); }
    // The same, telling `changes` what moved, for a decoder that caches the top of
    // the tree: Rebuilt() before a rebuild, Swapped(a, b) for each pair of nodes whose
    // subtrees traded places.
    template <class Observer>
    void Update(int symbol, Observer&& changes) noexcept {
        if (freq[kRoot] == kMaxFreq) {
            changes.Rebuilt();
            Rebuild();
        }
        // Unsigned indexes spare a sign extension per step on the hot climb.
        size_t node = uint16_t(prnt[symbol + kTreeSize]);
        do {
            const unsigned k = ++freq[node];
            if (k > freq[node + 1]) {
                // Swap with the last node of a smaller count: the counts are in order,
                // so that is the end of the run of the old count after `node`.
                const size_t l = EndOfRun(node + 1, k - 1);
                freq[node] = uint16_t(k - 1);
                freq[l] = uint16_t(k);

                const size_t i = uint16_t(son[node]);
                prnt[i] = int16_t(l);
                if (i < kTreeSize) prnt[i + 1] = int16_t(l);
                const size_t j = uint16_t(son[l]);
                son[l] = int16_t(i);
                prnt[j] = int16_t(node);
                if (j < kTreeSize) prnt[j + 1] = int16_t(node);
                son[node] = int16_t(j);
                changes.Swapped(node, l);
                node = l;
            }
            node = uint16_t(prnt[node]);
        } while (node != 0);
    }

private:
    // The last node of the run of counts `count` that starts at `first`, looking at 4
    // counts at a time; the sentinel ends every run.
    size_t EndOfRun(size_t first, uint64_t count) const noexcept {
        const uint64_t run = count * 0x0001'0001'0001'0001;
        for (size_t last = first;; last += 4) {
            uint64_t next;
            std::memcpy(&next, &freq[last + 1], sizeof next);
            if (const uint64_t differs = next ^ run) return last + FirstSetLane(differs);
        }
    }
    // The lane of the first count in memory order among those `lanes` marks as set.
    static size_t FirstSetLane(uint64_t lanes) noexcept {
        if constexpr (std::endian::native == std::endian::little) return std::countr_zero(lanes) / 16;
        return std::countl_zero(lanes) / 16;
    }

    struct IgnoreChanges {
        void Rebuilt() noexcept {}
        void Swapped(size_t, size_t) noexcept {}
    };
};

}  // namespace lzh
