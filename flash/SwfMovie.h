#pragma once
// A parsed movie: header facts, the dictionary of characters (shapes, buttons, sounds)
// and, per frame, the display-list changes, sounds and actions of that frame, with the
// frames' labels. Built once from the file's bytes; immutable after.

#include "flash/SwfAction.h"
#include "flash/SwfButton.h"
#include "flash/SwfRecords.h"
#include "flash/SwfShape.h"
#include "flash/SwfSound.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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

// What a frame does when the timeline enters it: display-list changes first, then
// its sounds start and its actions run.
struct SwfFrame {
    std::vector<SwfFrameOp> ops;
    std::vector<SwfStartSound> sounds;
    SwfActions actions;
};

struct SwfLimits {
    size_t maxFileSize = 32u << 20;
    size_t maxFrames = 16000;
    size_t maxEdges = 2'000'000;
    size_t maxFrameOps = 1'000'000;
    // Actions and button records together.
    size_t maxActions = 200'000;
    // Decoded samples of all sounds together (2 bytes each).
    size_t maxSoundSamples = 16'000'000;
};

class SwfBitReader;

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
    // The character defined under `id`, or nullptr.
    const SwfShape* FindShape(uint16_t id) const noexcept;
    const SwfButton* FindButton(uint16_t id) const noexcept;
    const SwfSound* FindSound(uint16_t id) const noexcept;
    size_t ShapeCount() const noexcept { return m_shapes.size(); }
    size_t ButtonCount() const noexcept { return m_buttons.size(); }
    size_t SoundCount() const noexcept { return m_sounds.size(); }
    // The frame a FrameLabel names, matched without regard to ASCII case.
    std::optional<size_t> FindLabel(std::string_view label) const;
    // Tags the player does not use, and sound, button and action tags it dropped
    // because they were malformed.
    size_t SkippedTags() const noexcept { return m_skippedTags; }
    size_t MalformedTags() const noexcept { return m_malformedTags; }

private:
    void ReadTag(uint16_t code, std::span<const uint8_t> body, SwfFrame& pending, const SwfLimits& limits);
    // Sound, button and action tags: a malformed one is dropped, the movie plays on.
    void ReadInteractiveTag(uint16_t code, SwfBitReader& in, SwfFrame& pending, const SwfLimits& limits);
    bool Define(uint16_t id) { return m_defined.insert(id).second; }

    uint8_t m_version = 0;
    uint32_t m_fileLength = 0;
    SwfRect m_frameSize;
    double m_frameRate = 0;
    uint16_t m_headerFrameCount = 0;
    SwfRgba m_background{255, 255, 255, 255};
    bool m_backgroundSet = false;
    std::set<uint16_t> m_defined;  // ids share one space whatever the kind of character
    std::map<uint16_t, SwfShape> m_shapes;
    std::map<uint16_t, SwfButton> m_buttons;
    std::map<uint16_t, SwfSound> m_sounds;
    std::vector<SwfFrame> m_frames;
    std::map<std::string, size_t> m_labels;  // lower-case label to frame
    size_t m_edges = 0;
    size_t m_ops = 0;
    size_t m_actionBudget = 0;
    size_t m_sampleBudget = 0;
    size_t m_skippedTags = 0;
    size_t m_malformedTags = 0;
};
