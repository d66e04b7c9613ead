#include "skin/data/SkinDraw.h"

#include "framework/core/Exception.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/Convert.h"
#include "skin/data/MaskRuns.h"
#include "skin/data/Platform.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

// Width and height of a rectangle; nothing when it is inverted or too large for a bitmap.
struct Extent {
    int width = 0;
    int height = 0;
    bool Empty() const noexcept { return width == 0 || height == 0; }
};
std::optional<Extent> ExtentOf(const RECT& rect) noexcept {
    const int64_t width = int64_t{rect.right} - rect.left, height = int64_t{rect.bottom} - rect.top;
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) return std::nullopt;
    return Extent{static_cast<int>(width), static_cast<int>(height)};
}

bool Inverted(const RECT& rect) noexcept { return rect.right < rect.left || rect.bottom < rect.top; }

std::optional<SkinRect> CellOf(const TBitmap& image, FrameLayout layout, int frameCount, int frame) noexcept {
    return FrameCell(image.Width(), image.Height(), layout, frameCount, frame);
}

// A temporary picture to build in, stretching nearest-neighbour. Throws EInvalidGraphic
// when it cannot be made.
std::unique_ptr<TBitmap> NewPicture(int width, int height) {
    auto picture = std::make_unique<TBitmap>(width, height);
    const HDC dc = picture->Dc();
    if (!dc) throw EInvalidGraphic(u"No device context for a bitmap");
    ::SetStretchBltMode(dc, COLORONCOLOR);
    return picture;
}

bool Copy(HDC target, const SkinRect& to, HDC source, const SkinRect& from) noexcept {
    if (to.width == from.width && to.height == from.height)
        return ::BitBlt(target, to.x, to.y, to.width, to.height, source, from.x, from.y, SRCCOPY) != 0;
    return ::StretchBlt(target, to.x, to.y, to.width, to.height, source, from.x, from.y, from.width, from.height,
                        SRCCOPY) != 0;
}

// Copies `from` repeatedly from the top-left of `to`, skipping tiles outside the DC's
// clip box so that a huge area costs only what can be seen.
bool Tile(HDC target, const RECT& to, HDC source, const SkinRect& from) noexcept {
    if (from.Empty() || to.right <= to.left || to.bottom <= to.top) return true;
    RECT clip = to;
    const int kind = ::GetClipBox(target, &clip);
    if (kind == NULLREGION) return true;
    if (kind == ERROR) clip = to;
    const TileRun columns = VisibleTiles(to.left, to.right, from.width, clip.left, clip.right);
    const TileRun rows = VisibleTiles(to.top, to.bottom, from.height, clip.top, clip.bottom);
    bool ok = true;
    for (int64_t i = columns.first; i < columns.first + columns.count; ++i)
        for (int64_t j = rows.first; j < rows.first + rows.count; ++j)
            ok &= ::BitBlt(target, static_cast<int>(to.left + i * from.width), static_cast<int>(to.top + j * from.height),
                           from.width, from.height, source, from.x, from.y, SRCCOPY) != 0;
    return ok;
}

RECT ToRect(const SkinRect& r) noexcept { return {r.x, r.y, r.x + r.width, r.y + r.height}; }

// The plan's pieces, moved by (dx, dy).
bool DrawPieces(HDC target, const SlicePlan& plan, HDC source, int dx = 0, int dy = 0) noexcept {
    bool ok = true;
    for (SlicePiece piece : plan.Pieces()) {
        piece.target.x += dx;
        piece.target.y += dy;
        ok &= piece.mode == MiddleMode::Tile ? Tile(target, ToRect(piece.target), source, piece.source)
                                             : Copy(target, piece.target, source, piece.source);
    }
    return ok;
}

// A finished picture onto the DC at (x, y), opaque or leaving the key colour out.
bool Put(HDC dc, int x, int y, const TBitmap& picture, Transparency trans) noexcept {
    const int w = picture.Width(), h = picture.Height();
    if (trans == Transparency::KeyColour) return DrawMasked(dc, {x, y, x + w, y + h}, picture, kKeyColour);
    const HDC source = picture.Dc();
    return source && ::BitBlt(dc, x, y, w, h, source, 0, 0, SRCCOPY) != 0;
}

// The image into the DC leaving out the pixels set in the mask, in three raster operations.
// Monochrome into colour maps set bits to the background colour and clear ones to the text
// colour: AND with white keeps the destination, AND with black clears it, and the two XORs
// with the image cancel where it was kept.
bool XorAndXor(HDC dc, int x, int y, int w, int h, HDC image, HDC mask) noexcept {
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    bool ok = ::BitBlt(dc, x, y, w, h, image, 0, 0, SRCINVERT) != 0;
    ok &= ::BitBlt(dc, x, y, w, h, mask, 0, 0, SRCAND) != 0;
    ok &= ::BitBlt(dc, x, y, w, h, image, 0, 0, SRCINVERT) != 0;
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
    return ok;
}

// A monochrome bitmap of the top-left w x h of `image` with exactly the pixels of `key`
// set. 24-bit and 32-bit pictures are read directly, several times faster than GDI's
// colour-to-monochrome conversion; other formats go through that conversion.
BitmapHandle KeyMask(const TBitmap& image, int w, int h, COLORREF key) {
    const int bytes = image.BitsPerPixel() / 8;
    if (bytes != 3 && bytes != 4) {
        // Colour to monochrome sets exactly the pixels of the source's background colour.
        BitmapHandle mask{::CreateBitmap(w, h, 1, 1, nullptr)};
        MemoryDc maskDc;
        if (!mask || !maskDc) return {};
        SelectScope useMask{maskDc.Get(), mask.Get()};
        const HDC source = image.Dc();
        const COLORREF oldBack = ::SetBkColor(source, key);
        const bool ok = ::BitBlt(maskDc.Get(), 0, 0, w, h, source, 0, 0, SRCCOPY) != 0;
        ::SetBkColor(source, oldBack);
        return ok ? std::move(mask) : BitmapHandle{};
    }
    const uint8_t red = GetRValue(key), green = GetGValue(key), blue = GetBValue(key);
    const size_t stride = static_cast<size_t>((w + 15) / 16) * 2;  // CreateBitmap rows are whole words
    std::vector<uint8_t> bits(stride * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const uint8_t* p = image.ScanLine(y);
        uint8_t* out = bits.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < w; ++x, p += bytes)
            if (p[0] == blue && p[1] == green && p[2] == red) out[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
    return BitmapHandle{::CreateBitmap(w, h, 1, 1, bits.data())};
}

}  // namespace

std::unique_ptr<TBitmap> SliceImage(const RECT& target, const TBitmap& image, const SliceMargins& margins,
                                    FrameLayout layout, MiddleMode middle, int frameCount, int frame) noexcept {
    try {
        const auto size = ExtentOf(target);
        const auto cell = CellOf(image, layout, frameCount, frame);
        const HDC source = cell ? image.Dc() : nullptr;
        if (!size || size->Empty() || !source) return nullptr;
        auto result = NewPicture(size->width, size->height);
        // A picture with pieces missing is no picture: the caller falls back as for none.
        if (!DrawPieces(result->Dc(), NineSlice(*cell, margins, size->width, size->height, middle), source))
            return nullptr;
        return result;
    } catch (...) {
        return nullptr;
    }
}

bool DrawSliced(HDC dc, const RECT& rect, const TBitmap& image, FrameLayout layout, MiddleMode middle,
                Transparency trans, int frameCount, int frame, const SliceMargins& margins) noexcept {
    const auto size = ExtentOf(rect);
    if (Inverted(rect) || (size && size->Empty())) return true;
    if (trans == Transparency::Opaque) {
        // Drawn where it goes, clipped to its rectangle, on the black a picture made apart
        // starts from: the same pixels without a bitmap of its size (a caption is 230 KB).
        const auto cell = CellOf(image, layout, frameCount, frame);
        const HDC source = cell ? image.Dc() : nullptr;
        if (!size || !source) return false;
        SavedDc keep{dc};
        ::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        ::SetStretchBltMode(dc, COLORONCOLOR);
        ::PatBlt(dc, rect.left, rect.top, size->width, size->height, BLACKNESS);
        return DrawPieces(dc, NineSlice(*cell, margins, size->width, size->height, middle), source, rect.left,
                          rect.top);
    }
    const auto picture = SliceImage(rect, image, margins, layout, middle, frameCount, frame);
    return picture && Put(dc, rect.left, rect.top, *picture, trans);
}

bool DrawThreePart(TCanvas& canvas, const RECT& rect, const TBitmap& image, FrameLayout layout,
                   Transparency trans, int frameCount, int frame, const SliceMargins& margins) noexcept {
    try {
        const auto size = ExtentOf(rect);
        if (Inverted(rect) || (size && size->Empty())) return true;
        const auto cell = CellOf(image, layout, frameCount, frame);
        const HDC source = cell ? image.Dc() : nullptr;
        if (!size || !source) return false;
        const int W = size->width, H = size->height;
        auto picture = NewPicture(W, H);
        const HDC dc = picture->Dc();
        const ThreePartPlan plan = ThreePart(*cell, margins, W, H);
        const auto copy = [&](const SlicePiece& p) {
            return p.source.Empty() || p.target.Empty() || Copy(dc, p.target, source, p.source);
        };
        bool ok = copy(plan.left);
        if (const auto& middle = plan.middleSource)
            for (int x = plan.middleFrom; x < plan.middleTo; x += middle->width)
                ok &= copy({*middle, {x, 0, middle->width, H}});
        ok &= copy(plan.right);  // last: it covers the overflow of the middle
        const HDC target = ok ? canvas.EnsureHandle() : nullptr;
        return target && Put(target, rect.left, rect.top, *picture, trans);
    } catch (...) {
        return false;
    }
}

bool DrawCell(HDC dc, const RECT& rect, const TBitmap& image, Transparency trans, int frameCount, int frame) noexcept {
    try {
        const auto size = ExtentOf(rect);
        if (Inverted(rect) || (size && size->Empty())) return true;
        const auto cell = CellOf(image, FrameLayout::Horizontal, frameCount, frame);
        const HDC source = cell ? image.Dc() : nullptr;
        if (!size || !source) return false;
        auto picture = NewPicture(size->width, size->height);
        return Copy(picture->Dc(), {0, 0, size->width, size->height}, source, *cell) &&
               Put(dc, rect.left, rect.top, *picture, trans);
    } catch (...) {
        return false;
    }
}

bool DrawCellCentered(HDC dc, const RECT& rect, const TBitmap& image, Transparency trans, int frameCount,
                      int frame) noexcept {
    try {
        const auto size = ExtentOf(rect);
        if (Inverted(rect)) return true;
        const auto cell = CellOf(image, FrameLayout::Horizontal, frameCount, frame);
        const HDC source = cell ? image.Dc() : nullptr;
        if (!size || !source) return false;
        auto picture = NewPicture(cell->width, cell->height);
        const SkinRect at = CentredIn({rect.left, rect.top, size->width, size->height}, cell->width, cell->height);
        return Copy(picture->Dc(), {0, 0, cell->width, cell->height}, source, *cell) &&
               Put(dc, at.x, at.y, *picture, trans);
    } catch (...) {
        return false;
    }
}

bool DrawStretchedStrip(HDC dc, const RECT& rect, const TBitmap& image, FrameLayout layout, int frameCount,
                        int frame, const SliceMargins& margins) noexcept {
    const auto size = ExtentOf(rect);
    if (Inverted(rect) || (size && size->Empty())) return true;
    const auto cell = CellOf(image, layout, frameCount, frame);
    const HDC source = cell ? image.Dc() : nullptr;
    if (!size || !source) return false;
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    const bool ok = DrawPieces(dc, StretchedStrip(*cell, margins, {rect.left, rect.top, size->width, size->height}), source);
    if (oldMode) ::SetStretchBltMode(dc, oldMode);
    return ok;
}

bool TileImage(TCanvas& canvas, const RECT& dest, const TBitmap& image, const RECT& source) noexcept {
    try {
        const auto from = ExtentOf(source);
        if (!from || from->Empty() || dest.right <= dest.left || dest.bottom <= dest.top) return true;
        // Only what lies inside the bitmap is read.
        const RECT inside{std::max<LONG>(source.left, 0), std::max<LONG>(source.top, 0),
                          std::min<LONG>(source.right, image.Width()), std::min<LONG>(source.bottom, image.Height())};
        if (inside.right <= inside.left || inside.bottom <= inside.top) return false;
        const HDC dc = canvas.EnsureHandle();
        const HDC imageDc = image.Dc();
        if (!dc || !imageDc) return false;
        const SkinRect piece{inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top};
        if (dc != imageDc) return Tile(dc, dest, imageDc, piece);
        // Tiling a bitmap into itself: take the piece out first so that no copy reads a tile.
        auto copy = NewPicture(piece.width, piece.height);
        return Copy(copy->Dc(), {0, 0, piece.width, piece.height}, imageDc, piece) &&
               Tile(dc, dest, copy->Dc(), {0, 0, piece.width, piece.height});
    } catch (...) {
        return false;
    }
}

bool DrawMasked(HDC dc, const RECT& rect, const TBitmap& image, TColor keyColour, MaskMethod method) noexcept {
    try {
        const auto size = ExtentOf(rect);
        if (Inverted(rect) || (size && size->Empty())) return true;
        const HDC source = image.Empty() ? nullptr : image.Dc();
        if (!size || !source) return false;
        // The picture is not scaled; nothing past its edges is read.
        const int w = std::min(size->width, image.Width()), h = std::min(size->height, image.Height());
        const int x = rect.left, y = rect.top;
        const COLORREF key = ColorToRGB(keyColour);

        BitmapHandle mask = KeyMask(image, w, h, key);
        MemoryDc maskDc{dc};
        if (!mask || !maskDc) return false;
        SelectScope useMask{maskDc.Get(), mask.Get()};

        if (method == MaskMethod::ForPlatform) {
            // WINE: MaskBlt costs some hundred BitBlts there. The three raster operations give
            // the same pixels; on a screen they go through a copy, so that the destination
            // changes in one transfer, and on an off-screen bitmap straight in.
            if (!OnNtPlatform()) method = MaskMethod::XorAndXor;
            else if (!UnderWine()) method = MaskMethod::MaskedTransfer;
            else method = ::GetObjectType(dc) == OBJ_MEMDC ? MaskMethod::XorAndXor : MaskMethod::Composed;
        }
        const auto maskedTransfer = [&] {
            // Set mask bits keep the destination (0x00AA0029 leaves it alone); clear ones take the image.
            return ::MaskBlt(dc, x, y, w, h, source, 0, 0, mask.Get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY)) != 0;
        };
        if (method == MaskMethod::MaskedTransfer) return maskedTransfer();
        if (method == MaskMethod::Composed) {
            auto work = NewPicture(w, h);
            const HDC workDc = work->Dc();
            // A destination that cannot be read back (a printer) still gets the masked transfer.
            if (!::BitBlt(workDc, 0, 0, w, h, dc, x, y, SRCCOPY)) return maskedTransfer();
            return XorAndXor(workDc, 0, 0, w, h, source, maskDc.Get()) &&
                   ::BitBlt(dc, x, y, w, h, workDc, 0, 0, SRCCOPY) != 0;
        }
        return XorAndXor(dc, x, y, w, h, source, maskDc.Get());
    } catch (...) {
        return false;
    }
}

RegionHandle RegionFromBitmap(TBitmap& image, int offsetX, int offsetY, int toleranceBlue, int toleranceGreen,
                              int toleranceRed, TColor keyColour) noexcept {
    constexpr size_t kBatch = 2000;  // rectangles per ExtCreateRegion call
    try {
        if (image.Empty()) return RegionHandle{::CreateRectRgn(0, 0, 0, 0)};
        image.SetPixelFormat(TPixelFormat::pf32bit);
        const int width = image.Width(), height = image.Height();
        auto* first = reinterpret_cast<uint32_t*>(image.ScanLine(0));
        const PixelView pixels(width, height, width,
                               std::span<uint32_t>(first, static_cast<size_t>(width) * static_cast<size_t>(height)));

        struct Buffer {
            RGNDATAHEADER header;
            RECT rects[kBatch];
        };
        static_assert(sizeof(RGNDATAHEADER) == 32 && sizeof(RECT) == sizeof(RunRect));
        const auto buffer = std::make_unique<Buffer>();
        RegionHandle result;
        const auto addBatch = [&](std::span<const RunRect> rects, const RunRect& bounds) {
            Buffer& b = *buffer;
            b.header = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()), 0,
                        ToRECT(bounds)};
            for (size_t i = 0; i < rects.size(); ++i)
                b.rects[i] = ToRECT(rects[i]);
            const DWORD bytes = static_cast<DWORD>(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
            RegionHandle part{::ExtCreateRegion(nullptr, bytes, reinterpret_cast<const RGNDATA*>(&b))};
            if (!part && rects.empty()) part = RegionHandle{::CreateRectRgn(0, 0, 0, 0)};
            if (!part) return false;
            if (!result) {
                result = std::move(part);
                return true;
            }
            return ::CombineRgn(result.Get(), result.Get(), part.Get(), RGN_OR) != ERROR;
        };
        const KeyColourTest key(static_cast<TColor>(ColorToRGB(keyColour)), toleranceBlue, toleranceGreen, toleranceRed);
        if (!CollectOpaqueRuns(pixels, key, offsetX, offsetY, kBatch, addBatch)) return RegionHandle{};
        return result;
    } catch (...) {
        return RegionHandle{};
    }
}
