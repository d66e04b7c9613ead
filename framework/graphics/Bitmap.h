#pragma once
// A bitmap kept as a top-down DIB section of 1, 4, 8, 16, 24 or 32 bits per pixel,
// with row access (ScanLine), a canvas to draw on, loading and saving of Windows
// bitmap files, and the transparent colour taken from the lower-left pixel.
// A picture loaded, sized or copied stays in plain memory, in the same layout, until
// GDI first needs it (its handle, its DC, drawing): under Wine every DIB section is a
// mapping of its own, and a skin holds dozens of pictures a program may never draw.

#include "framework/core/Properties.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"
#include "framework/win/Handles.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include <windows.h>

struct DecodedBmp;

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
    KESTRELLE_CLASS(TBitmap, TGraphic)

public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pfDevice);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const noexcept override { return m_width; }
    int Height() const noexcept override { return m_height; }
    bool Empty() const noexcept override { return m_width == 0 || m_height == 0; }
    // Resizes keeping the overlapping part of the picture. Throws EInvalidGraphic for
    // sizes over the limits of BmpCodec.h; 0 in either direction empties the bitmap.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, m_height); }
    void SetHeight(int height) { SetSize(m_width, height); }

    // pfDevice until a format is set; a pfDevice bitmap is stored with 32 bits.
    TPixelFormat PixelFormat() const noexcept { return m_format; }
    // Converts the picture to `format` (colours kept where the format can hold them).
    void SetPixelFormat(TPixelFormat format);
    int BitsPerPixel() const noexcept { return m_bitCount; }
    bool Monochrome() const noexcept { return m_bitCount == 1; }
    // Bytes from one row to the next.
    size_t Stride() const noexcept;
    // Row `y` (0 = top); throws EInvalidGraphic outside the bitmap. Flushes GDI first.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    // Colour table of a bitmap of 8 bits or fewer, 0x00RRGGBB.
    const std::vector<uint32_t>& Palette() const noexcept { return m_palette; }
    // The colour at (x, y) as RGB; clNone outside the bitmap.
    TColor PixelColour(int x, int y) const;
    // The colours of row `y` as RGB from the left, as many as `out` holds up to the
    // width; GDI is flushed once for the row. Throws EInvalidGraphic outside the bitmap.
    void RowColours(int y, std::span<TColor> out) const;

    // The bitmap's handle, owned by this object, made on first use; null when empty or
    // when no DIB section can be made. Row pointers taken before may be stale after it.
    HBITMAP Handle() const noexcept;
    // Takes ownership of any bitmap handle; its picture becomes this bitmap's.
    void SetHandle(BitmapHandle handle);
    // Gives the DIB section to the caller; the bitmap is empty afterwards.
    [[nodiscard]] BitmapHandle ReleaseHandle();

    // A canvas drawing on this bitmap; owned by it.
    TCanvas& Canvas();
    // The memory DC the bitmap is selected into (its canvas's), made on first use and
    // owned by the bitmap: GDI allows a bitmap in one DC only, so every blit from or into
    // the picture goes through this one. Null when no DC can be made.
    HDC Dc() const noexcept;

    TTransparentMode TransparentMode() const noexcept { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // The lower-left pixel in tmAuto mode, the colour set in tmFixed; clDefault when empty.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor colour);

    void Draw(TCanvas& canvas, const RECT& rect) const override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;
    void LoadFromBytes(std::span<const std::byte> bytes);
    // A bitmap resource (RT_BITMAP) of `module`; throws EResNotFound when there is none.
    void LoadFromResourceName(HINSTANCE module, std::wstring_view name);
    void Assign(const TPersistent& source) override;
    void Clear();
    // "Data": the bitmap file, in stored layouts.
    static void Publish(TPublisher<TBitmap>& p);

private:
    class BitmapCanvas;
    void Replace(BitmapHandle handle, uint8_t* bits, int width, int height, int bitCount,
                 std::vector<uint32_t> palette);
    // The picture becomes `pixels` (rows top first, Stride() bytes each), without a handle.
    void ReplaceWithMemory(std::vector<uint8_t> pixels, int width, int height, int bitCount,
                           std::vector<uint32_t> palette);
    // The colour of pixel `x` of `row`, a row of this bitmap.
    TColor ColourIn(const uint8_t* row, int x) const noexcept;
    // Moves a picture kept in memory into a DIB section; false when it cannot be made.
    bool Realise() const noexcept;
    void Adopt(DecodedBmp image);
    void DetachCanvas() noexcept;
    // The canvas DC with the bitmap selected, for copying from it.
    HDC SourceDc() const;

    // Made by Realise from a const bitmap: the picture is the same before and after.
    mutable BitmapHandle m_handle;
    mutable uint8_t* m_bits = nullptr;        // the DIB section's bits, or m_memory's
    mutable std::vector<uint8_t> m_memory;    // the pixels while there is no DIB section
    int m_width = 0;
    int m_height = 0;
    int m_bitCount = 32;
    std::vector<uint32_t> m_palette;
    TPixelFormat m_format = TPixelFormat::pfDevice;
    TTransparentMode m_transparentMode = TTransparentMode::tmAuto;
    TColor m_transparentColour = clDefault;
    std::unique_ptr<BitmapCanvas> m_canvas;  // after m_handle: destroyed (and deselected) first
};
