#pragma once
// The adaptive Huffman tree of the skin's LZH coding and its constants. The decoder
// and the packer share it so that both sides evolve the tree in exactly the same
// way. Platform-neutral.

#include <array>
#include <cstdint>

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
// the prefix length plus 2 (so d_len - 2 more bits complete the lower 6).
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

    std::array<uint16_t, kTreeSize + 1> freq;            // + sentinel
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
    Code CodeOf(int symbol) const noexcept {
        Code code;
        for (int node = prnt[symbol + kTreeSize]; node != kRoot; node = prnt[node]) {
            code.bits |= static_cast<uint32_t>(node - son[prnt[node]]) << code.length;
            ++code.length;
        }
        return code;
    }

    // Counts one more occurrence of `symbol` and restores the node order.
    void Update(int symbol) noexcept {
        if (freq[kRoot] == kMaxFreq) Rebuild();
        int node = prnt[symbol + kTreeSize];
        do {
            const unsigned k = ++freq[node];
            if (k > freq[node + 1]) {
                // Swap with the last node of a smaller count; the sentinel stops the scan.
                int l = node + 1;
                while (k > freq[l + 1]) ++l;
                freq[node] = freq[l];
                freq[l] = uint16_t(k);

                const int i = son[node];
                prnt[i] = int16_t(l);
                if (i < kTreeSize) prnt[i + 1] = int16_t(l);
                const int j = son[l];
                son[l] = int16_t(i);
                prnt[j] = int16_t(node);
                if (j < kTreeSize) prnt[j + 1] = int16_t(node);
                son[node] = int16_t(j);
                node = l;
            }
            node = prnt[node];
        } while (node != 0);
    }
};

}  // namespace lzh
