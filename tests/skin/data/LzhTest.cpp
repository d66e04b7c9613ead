#include "skin/data/Lzh.h"

#include "framework/core/Stream.h"
#include "skin/data/LzhTree.h"
#include "skin/data/SkinReader.h"
#include "tests/skin/data/TestData.h"
#include "tools/skinpack/LzhEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

using namespace lzh;

namespace {

// Decodes `bits` asking for `count` bytes.
std::vector<std::byte> DecodeBits(std::span<const std::byte> bits, int64_t count, bool* ranOut = nullptr) {
    TMemoryStream in(std::vector<std::byte>(bits.begin(), bits.end()));
    TMemoryStream out;
    TLZH lzh(in, out);
    const int64_t produced = lzh.Decode(count);
    EXPECT_EQ(produced, out.Size());
    if (ranOut) *ranOut = lzh.InputRanOut();
    return out.TakeBytes();
}

// A whole stream never runs into the zero bits behind it.
std::vector<std::byte> RoundTrip(std::span<const std::byte> data) {
    bool ranOut = true;
    auto decoded = DecodeBits(LzhEncode(data), static_cast<int64_t>(data.size()), &ranOut);
    EXPECT_FALSE(ranOut);
    return decoded;
}

std::vector<std::byte> RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::byte> bytes(size);
    for (auto& b : bytes) b = static_cast<std::byte>(random() & 0xFF);
    return bytes;
}

// The invariants the coder relies on: parents and children agree, each inner node
// counts the sum of its children, counts never decrease along the node order, and
// no leaf lies deeper than the decoder's one refill allows. Returns the depth.
int CheckTree(const LzhTree& tree) {
    int leaves = 0;
    for (int node = 0; node < kTreeSize; ++node) {
        EXPECT_LE(tree.freq[node], tree.freq[node + 1]) << "node " << node;  // freq[627] is the sentinel
        const int child = tree.son[node];
        if (child >= kTreeSize) {
            ++leaves;
            EXPECT_EQ(tree.prnt[child], node);
            continue;
        }
        EXPECT_EQ(tree.prnt[child], node);
        EXPECT_EQ(tree.prnt[child + 1], node);
        EXPECT_EQ(tree.freq[node], tree.freq[child] + tree.freq[child + 1]) << "node " << node;
    }
    EXPECT_EQ(leaves, kSymbolCount);
    int deepest = 0;
    for (int symbol = 0; symbol < kSymbolCount; ++symbol) {
        int depth = 0;
        for (int node = tree.prnt[symbol + kTreeSize]; node != kRoot && depth <= kTreeSize; node = tree.prnt[node])
            ++depth;
        deepest = std::max(deepest, depth);
    }
    EXPECT_LE(deepest, LzhTree::kMaxDepth);
    return deepest;
}

}  // namespace

TEST(Lzh, IndependentStreamDecodesByteForByte) {
    const auto packed = ReadTestFile("lzh/container.lzh");
    const auto expected = ReadTestFile("lzh/container.bin");
    ASSERT_EQ(packed.size(), 82580u);
    ASSERT_EQ(expected.size(), 538838u);

    TMemoryStream packedStream(packed), unpacked;
    TSkinReader::Unpack(packedStream, unpacked);
    ASSERT_EQ(unpacked.Size(), static_cast<int64_t>(expected.size()));
    EXPECT_TRUE(std::ranges::equal(unpacked.Bytes(), expected));
    EXPECT_EQ(unpacked.Position(), 0);
}

TEST(Lzh, ZeroBitsDecodeTheLeftmostLeafAndMoveItUp) {
    // In the initial tree eight 0 bits lead from the root to the leaf of 't'.
    EXPECT_EQ(Text(DecodeBits(Bytes(std::string(1, '\0')), 1)), "t");

    auto tree = std::make_unique<LzhTree>();
    tree->Start();
    EXPECT_EQ(CheckTree(*tree), 9);
    tree->Update('t');
    // Its count of 2 is now the largest among leaves: it swapped places with the last one.
    EXPECT_EQ(tree->son[313], 't' + kTreeSize);
    EXPECT_EQ(tree->prnt['t' + kTreeSize], 313);
    EXPECT_EQ(tree->son['t'], 313 + kTreeSize);
    EXPECT_EQ(tree->freq[313], 2);
    EXPECT_EQ(tree->freq[kRoot], kSymbolCount + 1);
    CheckTree(*tree);
}

TEST(Lzh, TreeStaysAHuffmanTreeThroughRebuilds) {
    auto tree = std::make_unique<LzhTree>();
    tree->Start();
    // Fibonacci-like counts make the deepest trees; enough updates for several rebuilds.
    uint64_t a = 1, b = 1;
    int rebuilds = 0;
    for (int round = 0; round < 6; ++round) {
        a = b = 1;
        for (int symbol = 0; symbol < 24; ++symbol) {
            for (uint64_t n = 0; n < std::min<uint64_t>(a, 20000); ++n) {
                if (tree->freq[kRoot] == kMaxFreq) ++rebuilds;
                tree->Update(symbol);
            }
            b = std::exchange(a, a + b);
        }
    }
    EXPECT_GE(rebuilds, 3);
    EXPECT_GE(CheckTree(*tree), 12);
    for (int node = 0; node < kTreeSize; ++node) EXPECT_GE(tree->freq[node], 1);
}

namespace {

// A one-symbol stream by hand: a 3-byte match from `position` as the very first symbol.
std::vector<std::byte> FirstMatchStream(unsigned position) {
    auto tree = std::make_unique<LzhTree>();
    tree->Start();
    const auto code = tree->CodeOf(256);  // the shortest match length
    std::string bits;
    for (int i = code.length - 1; i >= 0; --i) bits += char('0' + ((code.bits >> i) & 1));
    bits += "11111111";  // upper 6 bits 63 take the longest prefix
    for (int i = 5; i >= 0; --i) bits += char('0' + ((position >> i) & 1));
    std::vector<std::byte> bytes((bits.size() + 7) / 8);
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i] == '1') bytes[i / 8] |= std::byte(0x80 >> (i % 8));
    return bytes;
}

}  // namespace

TEST(Lzh, WindowEndStartsAsZerosNotWhateverMemoryHeld) {
    // The last 60 ring positions are not blanks; they start as zeros, and the ring wraps to blanks.
    EXPECT_EQ(Text(DecodeBits(FirstMatchStream(4095), 3)), std::string(3, '\0'));
    EXPECT_EQ(Text(DecodeBits(FirstMatchStream(4037), 3)), std::string("\0\0 ", 3));
}

TEST(Lzh, FirstMatchCopiesBlanksFromTheInitialWindow) {
    const std::string blanks(200, ' ');
    const auto bits = LzhEncode(Bytes(blanks));
    EXPECT_LE(bits.size(), 12u);  // four matches, no literals
    EXPECT_EQ(Text(DecodeBits(bits, 200)), blanks);
}

TEST(Lzh, RoundTripsThroughThePacker) {
    EXPECT_TRUE(RoundTrip({}).empty());
    EXPECT_TRUE(LzhEncode({}).empty());
    EXPECT_EQ(Text(RoundTrip(Bytes("a"))), "a");
    EXPECT_EQ(Text(RoundTrip(Bytes("abcabcabcabcabcabcabcabcabcabcabc"))), "abcabcabcabcabcabcabcabcabcabcabc");

    const auto random = RandomBytes(20000, 7);
    EXPECT_EQ(RoundTrip(random), random);

    // A literal run longer than the window wraps the ring; then a match reaches back
    // across the wrap to data 4,000 bytes earlier.
    auto wrapped = RandomBytes(6000, 11);
    wrapped.insert(wrapped.end(), wrapped.begin() + 2000, wrapped.begin() + 2100);
    EXPECT_EQ(RoundTrip(wrapped), wrapped);

    std::vector<std::byte> runs(70000, std::byte{0x5A});
    std::fill(runs.begin() + 30000, runs.begin() + 30007, std::byte{1});
    EXPECT_EQ(RoundTrip(runs), runs);
}

namespace {

// The plain way to decode: a 4,096-byte ring, the tree walked one bit at a time, zero
// bits past the end of the input. It also counts the bits it took.
struct PlainDecode {
    std::vector<std::byte> bytes;
    uint64_t bitsTaken = 0;
};

PlainDecode DecodePlainly(std::span<const std::byte> in, size_t count) {
    PlainDecode result;
    auto bit = [&] {
        const uint64_t at = result.bitsTaken++;
        return at / 8 < in.size() ? (std::to_integer<unsigned>(in[at / 8]) >> (7 - at % 8)) & 1 : 0u;
    };
    auto tree = std::make_unique<LzhTree>();
    tree->Start();
    std::vector<uint8_t> ring(kWindow, ' ');
    std::fill(ring.end() - kLongestMatch, ring.end(), uint8_t{0});
    size_t r = kWindow - kLongestMatch;
    auto put = [&](uint8_t c) {
        result.bytes.push_back(std::byte{c});
        ring[r++ % kWindow] = c;
    };
    while (result.bytes.size() < count) {
        int node = tree->son[kRoot];
        while (node < kTreeSize) node = tree->son[node + static_cast<int>(bit())];
        const int symbol = node - kTreeSize;
        tree->Update(symbol);
        if (symbol < 256) {
            put(static_cast<uint8_t>(symbol));
            continue;
        }
        unsigned b = 0;
        for (int i = 0; i < 8; ++i) b = (b << 1) | bit();
        const unsigned upper = d_code[b];
        const int more = d_len[b] - 2;
        for (int i = 0; i < more; ++i) b = (b << 1) | bit();
        const size_t from = r - ((upper << 6) | (b & 0x3F)) - 1;
        for (int k = 0; k < symbol - 255 + kThreshold; ++k) put(ring[(from + k) % kWindow]);
    }
    return result;
}

// Decodes `in` both ways and reports where they disagree, empty when they agree.
std::string CompareWithPlainDecode(std::span<const std::byte> in, size_t count) {
    bool ranOut = false;
    const auto fast = DecodeBits(in, static_cast<int64_t>(count), &ranOut);
    const auto plain = DecodePlainly(in, count);
    if (fast != plain.bytes) {
        const auto at = std::ranges::mismatch(fast, plain.bytes).in1 - fast.begin();
        return "output differs at byte " + std::to_string(at) + " of " + std::to_string(plain.bytes.size());
    }
    if (ranOut != (plain.bitsTaken > in.size() * 8))
        return "InputRanOut says " + std::to_string(ranOut) + " after " + std::to_string(plain.bitsTaken) +
               " bits of " + std::to_string(in.size() * 8);
    return {};
}

}  // namespace

TEST(Lzh, DecodesAsTheBitByBitRingDecoderDoes) {
    // Matches at every short distance, so that each copy path runs, with lengths on
    // both sides of the block sizes.
    std::vector<std::byte> patterns;
    for (size_t period = 1; period <= 20; ++period) {
        const auto pattern = RandomBytes(period, static_cast<unsigned>(period));
        for (size_t i = 0; i < 23 + 7 * period; ++i) patterns.push_back(pattern[i % period]);
        patterns.push_back(std::byte{0xEE});
    }
    // Literals past the ring's size, then a match from 4,000 bytes back.
    auto wrapped = RandomBytes(6000, 11);
    wrapped.insert(wrapped.end(), wrapped.begin() + 2000, wrapped.begin() + 2100);

    for (const auto& data : {patterns, wrapped, RandomBytes(3000, 17)}) {
        const auto bits = LzhEncode(data);
        EXPECT_EQ(CompareWithPlainDecode(bits, data.size()), "");
        // Cut short anywhere near the end, including inside the last symbol.
        for (size_t cut = 1; cut <= 6 && cut < bits.size(); ++cut)
            EXPECT_EQ(CompareWithPlainDecode(std::span(bits).first(bits.size() - cut), data.size()), "") << cut;
    }
    // Bytes that no packer wrote decode to something, the same both ways.
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const auto noise = RandomBytes(seed * 37, seed);
        EXPECT_EQ(CompareWithPlainDecode(noise, noise.size() * 40), "") << "seed " << seed;
    }
    // The first 4,096 bytes are decoded apart, behind the ring's starting content, and
    // the rest in place: lengths on both sides of that seam, whose matches reach back
    // across it.
    for (unsigned seed = 21; seed <= 28; ++seed)
        for (const size_t count : {4095u, 4096u, 4097u, 4100u, 4160u, 8192u}) {
            const auto noise = RandomBytes(600, seed);
            EXPECT_EQ(CompareWithPlainDecode(noise, count), "") << "seed " << seed << ", " << count << " bytes";
        }
}

TEST(Lzh, PackerPacksASkinAtLeastAsTightlyAsTheTestStream) {
    const auto container = ReadTestFile("lzh/container.bin");
    const auto packed = PackSkinStream(container);
    TMemoryStream packedStream(packed), unpacked;
    TSkinReader::Unpack(packedStream, unpacked);
    EXPECT_TRUE(std::ranges::equal(unpacked.Bytes(), container));
    // The independent encoder's stream of the same container is 82,580 bytes.
    EXPECT_LE(packed.size(), 82580u);
}

TEST(Lzh, TruncatedStreamRunsToItsLengthOnZeroBits) {
    const auto data = RandomBytes(4000, 3);
    auto bits = LzhEncode(data);
    bool ranOut = false;
    (void)DecodeBits(std::span(bits).first(bits.size() - 1), 4000, &ranOut);
    EXPECT_TRUE(ranOut);  // the last byte alone is missing
    bits.resize(bits.size() / 2);
    const auto decoded = DecodeBits(bits, 4000, &ranOut);
    EXPECT_TRUE(ranOut);
    ASSERT_GE(decoded.size(), 4000u);
    ASSERT_LE(decoded.size(), 4000u + kLongestMatch - 1);
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 1500, decoded.begin()));

    EXPECT_EQ(DecodeBits({}, 100).size() >= 100, true);  // no input at all
}

TEST(Lzh, LastMatchMayRunPastTheCount) {
    const auto bits = LzhEncode(Bytes(std::string(120, ' ')));  // two 60-byte matches
    const auto decoded = DecodeBits(bits, 61);
    EXPECT_EQ(Text(decoded), std::string(120, ' '));
}

TEST(Lzh, RefusesLengthsTheInputCannotHold) {
    const auto bits = LzhEncode(RandomBytes(100, 5));
    const auto inputBytes = static_cast<int64_t>(bits.size());
    EXPECT_THROW(DecodeBits(bits, -1), ElzhException);
    EXPECT_THROW(DecodeBits(bits, TLZH::MaxUnpackedLength(inputBytes) + 1), ElzhException);
    EXPECT_THROW(DecodeBits({}, 0x7FFFFFFF), ElzhException);
    EXPECT_EQ(DecodeBits(bits, TLZH::MaxUnpackedLength(inputBytes)).size() >=
                  static_cast<size_t>(TLZH::MaxUnpackedLength(inputBytes)),
              true);
    EXPECT_EQ(TLZH::MaxUnpackedLength(int64_t{1} << 40), TLZH::kMaxUnpackedLength);

    // Through Unpack: a packed skin whose length field lies.
    auto packed = PackSkinStream(RandomBytes(100, 5));
    packed[3] = std::byte{0x7F};
    TMemoryStream packedStream(packed), target;
    EXPECT_THROW(TSkinReader::Unpack(packedStream, target), ElzhException);
    TMemoryStream tooShort(Bytes("ab"));
    EXPECT_THROW(TSkinReader::Unpack(tooShort, target), ElzhException);
}
