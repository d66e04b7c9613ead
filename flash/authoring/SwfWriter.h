#pragma once
// Writes movies: bit-packed records, shapes built from outlines, tags and the header.
// The lesson generator makes the shipped movies with it; tests build inputs with it.
// The player does not link it. Anything that cannot be written as given throws
// ESwfError rather than making a movie that reads back differently.

#include "flash/SwfMovie.h"
#include "flash/SwfRecords.h"

#include <cstddef>
#include <cstdint>
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class SwfBitWriter {
public:
    // A value that needs more than `bits` bits (at most 32) throws ESwfError.
    void UB(uint32_t value, unsigned bits);
    void SB(int32_t value, unsigned bits);
    void U8(uint8_t value);
    void U16(uint16_t value);
    void U32(uint32_t value);
    void Bytes(std::span<const uint8_t> bytes);
    void Align();
    // The bytes written so far, the last partial byte padded with zero bits.
    const std::vector<uint8_t>& Data();

private:
    std::vector<uint8_t> m_bytes;
    unsigned m_bit = 0;  // bits used in the last byte; 0 means aligned
};

// Bits a signed / unsigned bit field needs for `value`.
unsigned SignedBits(int64_t value) noexcept;
unsigned UnsignedBits(uint64_t value) noexcept;

void WriteRect(SwfBitWriter& out, const SwfRect& rect);
void WriteMatrix(SwfBitWriter& out, const SwfMatrix& matrix);
void WriteColourTransform(SwfBitWriter& out, const SwfColourTransform& transform, bool withAlpha);
void WriteSoundInfo(SwfBitWriter& out, const SwfSoundInfo& info);
// Action records and the end action.
void WriteActions(SwfBitWriter& out, const SwfActions& actions);

// One style group of straight and curved edges, in twips.
class SwfShapeBuilder {
public:
    uint16_t AddFill(SwfRgba colour);
    uint16_t AddLine(uint16_t width, SwfRgba colour);
    // Styles for the edges that follow; 0 is none.
    void SetStyles(uint16_t fill0, uint16_t fill1, uint16_t line);
    void MoveTo(int32_t x, int32_t y);
    void LineTo(int32_t x, int32_t y);
    void CurveTo(int32_t cx, int32_t cy, int32_t x, int32_t y);
    bool IsEmpty() const noexcept { return m_edgeCount == 0; }

    // The body of a DefineShape (version 1), DefineShape2 (2) or DefineShape3 (3) tag.
    std::vector<uint8_t> Body(uint16_t id, int version) const;
    SwfRect Bounds() const noexcept;

private:
    struct Record {
        enum class Kind : uint8_t { Style, Straight, Curved } kind;
        bool moveTo = false, hasStyles = false;
        int32_t a = 0, b = 0, c = 0, d = 0;  // move point / deltas
        uint16_t fill0 = 0, fill1 = 0, line = 0;
    };
    void Extend(int32_t x, int32_t y) noexcept;
    void StraightDelta(int32_t dx, int32_t dy);

    std::vector<SwfRgba> m_fills;
    std::vector<std::pair<uint16_t, SwfRgba>> m_lines;
    std::vector<Record> m_records;
    int32_t m_x = 0, m_y = 0;
    size_t m_edgeCount = 0;
    bool m_hasBounds = false;
    SwfRect m_bounds;
    uint16_t m_maxLine = 0;
};

class SwfWriter {
public:
    SwfWriter(const SwfRect& frameSize, double frameRate, uint8_t version = 5);

    void Tag(uint16_t code, std::span<const uint8_t> body);
    void SetBackground(SwfRgba colour);
    void DefineShape(uint16_t id, const SwfShapeBuilder& shape, int version = 3);
    void PlaceObject2(const SwfPlace& place);
    void RemoveObject2(uint16_t depth);
    void ShowFrame();
    // `data` is the encoded sample data, `frames` the samples per channel it holds.
    void DefineSound(uint16_t id, SwfSoundFormat format, uint8_t rateCode, bool sixteenBit, unsigned channels,
                     uint32_t frames, std::span<const uint8_t> data);
    void StartSound(uint16_t sound, const SwfSoundInfo& info = {});
    // Writes the button's records and actions; its sounds go in DefineButtonSound.
    void DefineButton2(const SwfButton& button);
    void DefineButtonSound(uint16_t button, const std::array<SwfButtonSound, 4>& sounds);
    void DoAction(const SwfActions& actions);
    void FrameLabel(std::string_view label);
    // Appends the tags and frames another writer made, as if written here.
    void Append(const SwfWriter& other);

    size_t FrameCount() const noexcept { return m_frames; }
    // Size of the finished movie without padding.
    size_t Size() const;
    // The finished movie. With `exactSize`, a tag of code `padCode` (one the player
    // skips) goes before End to make the file exactly that long; throws ESwfError
    // when the content does not fit or cannot be padded to it.
    std::vector<uint8_t> Finish(std::optional<size_t> exactSize = std::nullopt, uint16_t padCode = 1000) const;

private:
    SwfRect m_frameSize;
    uint16_t m_frameRate;
    uint8_t m_version;
    size_t m_frames = 0;
    std::vector<uint8_t> m_tags;
};
