#pragma once
// The small records shared by the movie's tags: rectangles, colours, matrices and
// colour transforms, with their readers. Coordinates are in twips (1/20 pixel).

#include <cstdint>
#include <optional>

class SwfBitReader;

enum class SwfTagCode : uint16_t {
    End = 0,
    ShowFrame = 1,
    DefineShape = 2,
    PlaceObject = 4,
    RemoveObject = 5,
    DefineButton = 7,
    SetBackgroundColor = 9,
    DoAction = 12,
    DefineSound = 14,
    StartSound = 15,
    DefineButtonSound = 17,
    DefineShape2 = 22,
    PlaceObject2 = 26,
    RemoveObject2 = 28,
    DefineShape3 = 32,
    DefineButton2 = 34,
    FrameLabel = 43,
};

struct SwfRect {
    int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    int32_t Width() const noexcept { return xMax - xMin; }
    int32_t Height() const noexcept { return yMax - yMin; }
    bool operator==(const SwfRect&) const = default;
};

struct SwfRgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const SwfRgba&) const = default;
};

// x' = a*x + c*y + tx, y' = b*x + d*y + ty (the record's ScaleX, RotateSkew0,
// RotateSkew1, ScaleY and translation).
struct SwfMatrix {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    double MapX(double x, double y) const noexcept { return a * x + c * y + tx; }
    double MapY(double x, double y) const noexcept { return b * x + d * y + ty; }
    // this after inner: maps through `inner` first.
    SwfMatrix Then(const SwfMatrix& outer) const noexcept;
    // The matrix that undoes this one; nullopt when it collapses the plane.
    std::optional<SwfMatrix> Inverse() const noexcept;
    bool operator==(const SwfMatrix&) const = default;
};

// Each channel becomes channel * mult / 256 + add, clamped to 0..255.
struct SwfColourTransform {
    int32_t multR = 256, multG = 256, multB = 256, multA = 256;
    int32_t addR = 0, addG = 0, addB = 0, addA = 0;

    SwfRgba Apply(SwfRgba colour) const noexcept;
    // this first, then `outer`.
    SwfColourTransform Then(const SwfColourTransform& outer) const noexcept;
    bool operator==(const SwfColourTransform&) const = default;
};

SwfRect ReadRect(SwfBitReader& in);
SwfRgba ReadRgb(SwfBitReader& in);
SwfRgba ReadRgba(SwfBitReader& in);
SwfMatrix ReadMatrix(SwfBitReader& in);
SwfColourTransform ReadColourTransform(SwfBitReader& in, bool withAlpha);
