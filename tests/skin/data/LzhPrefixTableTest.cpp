#include "skin/data/LzhPrefixTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace lzh;

namespace {

constexpr int kBits = LzhPrefixTable::kBits;

// Walks the tree from the root along `prefix` (kBits bits, first bit highest) until
// a leaf or kBits deep: what the table's entry for that prefix must say.
LzhPrefixTable::Entry WalkFromRoot(const LzhTree& tree, unsigned prefix) {
    int node = kRoot;
    int depth = 0;
    while (depth < kBits && tree.son[node] < kTreeSize) {
        node = tree.son[node] + static_cast<int>((prefix >> (kBits - 1 - depth)) & 1);
        ++depth;
    }
    return {static_cast<uint16_t>(node), static_cast<uint8_t>(depth)};
}

// Counts every prefix that the table leads somewhere else than the tree does.
int WrongEntries(const LzhTree& tree, const LzhPrefixTable& table) {
    int wrong = 0;
    for (unsigned prefix = 0; prefix < (1u << kBits); ++prefix) {
        const auto expected = WalkFromRoot(tree, prefix);
        const auto found = table.Find(uint64_t{prefix} << (64 - kBits));
        if (found.node != expected.node || found.length != expected.length) ++wrong;
    }
    return wrong;
}

}  // namespace

TEST(LzhPrefixTable, FollowsEveryUpdateThroughRebuilds) {
    auto tree = std::make_unique<LzhTree>();
    tree->Start();
    auto table = std::make_unique<LzhPrefixTable>(*tree);
    table->Build();
    ASSERT_EQ(WrongEntries(*tree, *table), 0);

    // One symbol takes almost every count and eight others share the rest; a new
    // choice every 5,000 updates reorders the top of the tree. Symbols left at a count
    // of 1 keep it through a rebuild while the others halve, so a rebuild reshapes the
    // top as well. 70,000 updates pass the count cap more than twice.
    std::mt19937 random(29);
    std::vector<int> chosen(9);
    int rebuilds = 0, rebuildsThatMovedTheTop = 0, updatesThatMovedTheTop = 0, firstWrongAt = -1;
    for (int update = 0; update < 70000 && firstWrongAt < 0; ++update) {
        if (update % 5000 == 0)
            for (auto& c : chosen) c = static_cast<int>(random() % kSymbolCount);
        const int symbol = random() % 100 < 95 ? chosen[0] : chosen[1 + random() % 8];
        const bool rebuilding = tree->freq[kRoot] == kMaxFreq;
        const LzhPrefixTable before = *table;
        tree->Update(symbol, *table);
        table->Refresh();
        if (WrongEntries(*tree, *table) != 0) firstWrongAt = update;
        // Count what the old table would have got wrong: the changes this test covers.
        const bool moved = WrongEntries(*tree, before) != 0;
        rebuilds += rebuilding;
        rebuildsThatMovedTheTop += rebuilding && moved;
        updatesThatMovedTheTop += !rebuilding && moved;
    }
    EXPECT_EQ(firstWrongAt, -1);
    EXPECT_GE(rebuilds, 2);
    EXPECT_GE(rebuildsThatMovedTheTop, 1);
    EXPECT_GE(updatesThatMovedTheTop, 100);
}
