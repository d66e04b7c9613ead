// Decodes the skin-sized test stream in a loop and prints best and median speed;
// checks every decode against the expected bytes. `--once` decodes once, for
// counting instructions with callgrind (scripts/lzh-callgrind). `--pack` also packs
// the expected container and prints the ratio the packer reaches.

#include "framework/core/LittleEndian.h"
#include "framework/core/Stream.h"
#include "skin/data/Lzh.h"
#include "tools/skinpack/LzhEncoder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::byte> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> bytes(chars.size());
    std::memcpy(bytes.data(), chars.data(), chars.size());
    return bytes;
}

int32_t LengthField(const std::vector<std::byte>& packed) { return static_cast<int32_t>(GetLe32(packed, 0)); }

// Kept out of line so that callgrind can count exactly this. Decodes as the skin
// reader does, into bytes that become the unpacked container.
[[gnu::noinline]] std::vector<std::byte> DecodeOnce(const std::vector<std::byte>& packed) {
    TMemoryStream in(std::vector<std::byte>(packed.begin() + 4, packed.end()));
    TMemoryStream out;
    TLZH lzh(in, out);
    return lzh.DecodeBytes(LengthField(packed));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string data = KESTRELLE_TEST_DATA;
    int rounds = 200;
    bool once = false, pack = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--once") == 0) once = true;
        else if (std::strcmp(argv[i], "--pack") == 0) pack = true;
        else rounds = std::max(1, std::atoi(argv[i]));
    }
    const auto packed = ReadFile(data + "/lzh/container.lzh");
    const auto expected = ReadFile(data + "/lzh/container.bin");
    if (packed.size() < 4 || expected.empty()) {
        std::fprintf(stderr, "lzh_decode_bench: test data missing under %s/lzh\n", data.c_str());
        return 1;
    }
    if (once) {
        const bool same = DecodeOnce(packed) == expected;
        std::printf("one decode, %s\n", same ? "output exact" : "OUTPUT DIFFERS");
        return same ? 0 : 1;
    }

    std::vector<double> seconds;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const auto out = DecodeOnce(packed);
        const auto stop = std::chrono::steady_clock::now();
        if (out != expected) {
            std::fprintf(stderr, "lzh_decode_bench: decode %d differs from the expected output\n", i);
            return 1;
        }
        seconds.push_back(std::chrono::duration<double>(stop - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    const double best = seconds.front(), median = seconds[seconds.size() / 2];
    const double mb = static_cast<double>(expected.size()) / 1e6;
    std::printf("LZH decode of %zu packed bytes into %zu bytes, %d rounds\n", packed.size(), expected.size(), rounds);
    std::printf("best   %.3f ms  %.1f MB/s\n", best * 1e3, mb / best);
    std::printf("median %.3f ms  %.1f MB/s\n", median * 1e3, mb / median);

    if (pack) {
        const auto start = std::chrono::steady_clock::now();
        const auto ours = PackSkinStream(expected);
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("packer: %zu bytes into %zu (%.2f%%, ratio %.3f:1) in %.0f ms; the test stream is %zu bytes\n",
                    expected.size(), ours.size(), 100.0 * static_cast<double>(ours.size()) / static_cast<double>(expected.size()),
                    static_cast<double>(expected.size()) / static_cast<double>(ours.size()), took * 1e3, packed.size());
    }
    return 0;
}
