#pragma once
// The top levels of the LZH decoder's adaptive Huffman tree as a table indexed by the
// next bits of input, so that most symbols take one lookup instead of a walk bit by
// bit. The tree reports what moved while it updates (LzhTree::Update's observer) and
// Refresh redoes only the entries under the nodes that moved. Platform-neutral.

#include "skin/data/LzhTree.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace lzh {

class LzhPrefixTable {
public:
    // Deeper tables lean on nodes that move so often that refilling their entries
    // costs more than the bit walk they save.
    static constexpr int kBits = 6;

    // Where the first bits of a code lead: the node reached and after how many bits.
    // The node holds a leaf (its son is a symbol) or lies kBits deep.
    struct Entry {
        uint16_t node = kRoot;
        uint8_t length = 0;
    };

    // The tree is not owned and must outlive the table.
    explicit LzhPrefixTable(const LzhTree& tree) noexcept : m_tree(tree) {}

    // Fills the whole table from the tree as it is now.
    void Build() noexcept;
    // The entry for the top kBits of `bits`.
    Entry Find(uint64_t bits) const noexcept { return m_entries[static_cast<size_t>(bits >> (64 - kBits))]; }

    // What LzhTree::Update reports. Only nodes the table reads matter; the rest go by.
    void Rebuilt() noexcept { m_stale = m_wholeTable = true; }
    void Swapped(size_t a, size_t b) noexcept {
        if (m_read[a]) Moved(a);
        if (m_read[b]) Moved(b);
    }
    // Brings the table up to date once Update has returned.
    void Refresh() noexcept {
        if (m_stale) RefreshMoved();
    }

private:
    void Moved(size_t node) noexcept {
        m_stale = true;
        if (m_movedCount < m_moved.size()) m_moved[m_movedCount++] = static_cast<uint16_t>(node);
        else m_wholeTable = true;
    }
    void RefreshMoved() noexcept;
    void Fill(int node, int depth, unsigned prefix) noexcept;

    const LzhTree& m_tree;
    std::array<Entry, size_t{1} << kBits> m_entries{};
    // Marks every node less than kBits deep: the entries depend on what those hold. A
    // node that has since sunk deeper may stay marked; that only costs a needless refill.
    std::array<bool, kTreeSize> m_read{};
    // Marked nodes that moved in the current Update; one swap per level climbed.
    std::array<uint16_t, 2 * LzhTree::kMaxDepth + 2> m_moved{};
    size_t m_movedCount = 0;
    bool m_wholeTable = false;
    bool m_stale = false;  // something moved since the last refresh
};

}  // namespace lzh
