#include "skin/data/LzhPrefixTable.h"

#include <algorithm>

namespace lzh {

void LzhPrefixTable::Build() noexcept {
    m_read.fill(false);
    Fill(kRoot, 0, 0);
    m_movedCount = 0;
    m_wholeTable = m_stale = false;
}

void LzhPrefixTable::RefreshMoved() noexcept {
    if (m_wholeTable) {
        Build();
        return;
    }
    // Each moved node's entries lie under its path as the tree stands now. A path
    // that changed runs through a moved node, so these refills reach every entry
    // that changed.
    for (size_t i = 0; i < m_movedCount; ++i) {
        const int node = m_moved[i];
        const auto path = m_tree.PathTo(node, kBits);
        if (path.length < kBits) Fill(node, path.length, path.bits);
        else m_read[static_cast<size_t>(node)] = false;  // sunk out of the table's reach
    }
    m_movedCount = 0;
    m_stale = false;
}

void LzhPrefixTable::Fill(int node, int depth, unsigned prefix) noexcept {
    if (depth == kBits) {
        m_entries[prefix] = Entry{static_cast<uint16_t>(node), static_cast<uint8_t>(depth)};
        return;
    }
    m_read[static_cast<size_t>(node)] = true;
    const int child = m_tree.son[static_cast<size_t>(node)];
    if (child >= kTreeSize) {
        const int spread = kBits - depth;
        const auto first = m_entries.begin() + (prefix << spread);
        std::fill(first, first + (1 << spread), Entry{static_cast<uint16_t>(node), static_cast<uint8_t>(depth)});
        return;
    }
    Fill(child, depth + 1, prefix << 1);
    Fill(child + 1, depth + 1, (prefix << 1) | 1);
}

}  // namespace lzh
