#pragma once
// Where a frame lies in a skin bitmap and which rectangles the sliced drawings copy:
// nine-slice, three-part strips, stretched strips and tiles. Platform-neutral; the GDI
// routines of SkinDraw.h only blit what these plans say.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// x, y, width, height.
struct SkinRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Empty() const noexcept { return width <= 0 || height <= 0; }
    bool operator==(const SkinRect&) const noexcept = default;
};

// The four slicing margins of a skin object, as one rectangle.
struct SliceMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const SliceMargins&) const noexcept = default;
};

// How the frames of a bitmap are laid out: side by side, or stacked (window top and
// bottom borders and the menu bar, whose frames are the active and inactive looks).
enum class FrameLayout { Horizontal, Vertical };
// The middle piece of a nine-slice drawing is stretched or repeated.
enum class MiddleMode { Stretch, Tile };

// The cell of frame `frame` (counted from 1) of a bitmap holding `frameCount` equal
// frames. Nothing when the bitmap is empty, the count is not positive, the frame is
// outside 1..frameCount or the cell would be empty, so callers never divide by zero
// or read outside the bitmap.
std::optional<SkinRect> FrameCell(int imageWidth, int imageHeight, FrameLayout layout, int frameCount,
                                  int frame) noexcept;

// Margins a cell can hold: negative ones become 0; left and right together never
// exceed the cell's width, top and bottom its height (the later one gives way).
SliceMargins FitMargins(SliceMargins margins, int cellWidth, int cellHeight) noexcept;

// One copy: `source` in the bitmap (stretched or tiled) to `target`.
struct SlicePiece {
    SkinRect source;
    SkinRect target;
    MiddleMode mode = MiddleMode::Stretch;

    bool operator==(const SlicePiece&) const noexcept = default;
};

// Up to nine pieces, in the order they must be drawn.
class SlicePlan {
public:
    std::span<const SlicePiece> Pieces() const& noexcept { return {m_pieces.data(), m_count}; }
    std::span<const SlicePiece> Pieces() const&& = delete;  // would outlive the plan
    void Add(const SlicePiece& piece) noexcept;

private:
    std::array<SlicePiece, 9> m_pieces{};
    size_t m_count = 0;
};

// Nine-slice of `cell` onto a width x height target at (0, 0). Margins are fitted to the
// cell; a target narrower than left + right drops both side margins, one lower than
// top + bottom both vertical ones. Corners, edges and the middle come in the order
// top-left, bottom-left, top-right, left, top, middle, bottom-right, right, bottom, so
// that tiles of the middle running past its end are covered by the last three.
SlicePlan NineSlice(const SkinRect& cell, SliceMargins margins, int width, int height, MiddleMode middle) noexcept;

// Left piece, then the middle copied side by side at its own width (each copy stretched
// to the full height) from `middleFrom` while x < `middleTo`, then the right piece.
// Only the left and right margins count. No middle when the cell has no room for one.
struct ThreePartPlan {
    SlicePiece left;
    SlicePiece right;
    std::optional<SkinRect> middleSource;
    int middleFrom = 0;
    int middleTo = 0;
};
ThreePartPlan ThreePart(const SkinRect& cell, SliceMargins margins, int width, int height) noexcept;

// A strip straight into the target area: the whole cell stretched when the cell is wider
// than the area, else left piece, stretched middle and right piece, each over the full
// height.
SlicePlan StretchedStrip(const SkinRect& cell, SliceMargins margins, const SkinRect& area) noexcept;

// A cell of its own size centred in `area`; the offsets truncate toward zero, so a cell
// one pixel wider than the area starts at the area's left edge.
SkinRect CentredIn(const SkinRect& area, int width, int height) noexcept;

// Tile starts from `from` in steps of `step` while below `to`, limited to those that
// reach into [visibleFrom, visibleTo): the index of the first and the number of tiles.
// Nothing for a step of 0 or less.
struct TileRun {
    int64_t first = 0;
    int64_t count = 0;
};
TileRun VisibleTiles(int from, int to, int step, int visibleFrom, int visibleTo) noexcept;
