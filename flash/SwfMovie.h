#pragma once
// A parsed movie: header facts, the dictionary of characters and, per frame, the
// display-list changes that frame makes. Built once from the file's bytes; immutable after.

#include "flash/SwfRecords.h"
#include "flash/SwfShape.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

// PlaceObject and PlaceObject2: absent fields keep what the depth already holds.
struct SwfPlace {
    uint16_t depth = 0;
    bool move = false;  // modify the object at `depth` rather than place a new one
    std::optional<uint16_t> character;
    std::optional<SwfMatrix> matrix;
    std::optional<SwfColourTransform> colourTransform;
    std::optional<uint16_t> ratio;
    std::optional<uint16_t> clipDepth;
    std::string name;
};

struct SwfRemove {
    uint16_t depth = 0;
};

using SwfFrameOp = std::variant<SwfPlace, SwfRemove>;

struct SwfFrame {
    std::vector<SwfFrameOp> ops;
};

struct SwfLimits {
    size_t maxFileSize = 32u << 20;
    size_t maxFrames = 16000;
    size_t maxEdges = 2'000'000;
};

class SwfMovie {
public:
    // Throws ESwfError for anything that is not a complete, well-formed uncompressed
    // movie within `limits`.
    static SwfMovie Parse(std::span<const uint8_t> bytes, const SwfLimits& limits = {});

    uint8_t Version() const noexcept { return m_version; }
    uint32_t FileLength() const noexcept { return m_fileLength; }
    const SwfRect& FrameSize() const noexcept { return m_frameSize; }
    double FrameRate() const noexcept { return m_frameRate; }
    uint16_t HeaderFrameCount() const noexcept { return m_headerFrameCount; }
    // White until a SetBackgroundColor tag says otherwise.
    SwfRgba Background() const noexcept { return m_background; }

    size_t FrameCount() const noexcept { return m_frames.size(); }
    const SwfFrame& Frame(size_t index) const { return m_frames.at(index); }
    // The shape defined under `id`, or nullptr.
    const SwfShape* FindShape(uint16_t id) const noexcept;
    size_t ShapeCount() const noexcept { return m_shapes.size(); }
    size_t SkippedTags() const noexcept { return m_skippedTags; }

private:
    void ReadTag(uint16_t code, std::span<const uint8_t> body, SwfFrame& pending, const SwfLimits& limits);

    uint8_t m_version = 0;
    uint32_t m_fileLength = 0;
    SwfRect m_frameSize;
    double m_frameRate = 0;
    uint16_t m_headerFrameCount = 0;
    SwfRgba m_background{255, 255, 255, 255};
    bool m_backgroundSet = false;
    std::map<uint16_t, SwfShape> m_shapes;
    std::vector<SwfFrame> m_frames;
    size_t m_edges = 0;
    size_t m_skippedTags = 0;
};
