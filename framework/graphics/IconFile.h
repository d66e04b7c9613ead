#pragma once
// The directory of an icon file (.ico): which images it holds and where. Platform-
// neutral, so that the parser of these outside bytes is tested and fuzzed natively.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct IconEntry {
    int width = 0;   // 256 where the directory says 0
    int height = 0;
    int bitCount = 0;
    size_t offset = 0;  // of the image (a DIB or a PNG) in the file
    size_t size = 0;
};

// The entries of an icon file; throws EInvalidGraphic for a malformed directory or
// an image that lies outside the file.
std::vector<IconEntry> ParseIconFile(std::span<const std::byte> bytes);

// The entry to show at `size` pixels: an exact size with the most colours, else the
// smallest larger image, else the largest. `entries` must not be empty.
size_t BestIconEntry(const std::vector<IconEntry>& entries, int size) noexcept;

// An icon file of one 32-bit image (premultiplied-free BGRA rows, top row first)
// with its 1-bit AND mask, as icons made from handles are saved.
std::vector<std::byte> EncodeIconFile(int width, int height, std::span<const uint32_t> bgraTopDown,
                                      std::span<const uint8_t> maskTopDown);
