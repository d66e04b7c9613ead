#pragma once
// A 32-bpp top-down DIB section selected into its own memory DC: the double
// buffer of a window, pictures composed in memory, glyphs ready to blit, and the
// surface pixel tests draw into and read back. Owns the bitmap and the DC. Every
// DIB section of the program is made here; MakeBitmap serves owners that keep
// the bitmap of another layout themselves (TBitmap).

#include "framework/graphics/PixelView.h"
#include "framework/win/Handles.h"

#include <cstdint>
#include <span>

#include <windows.h>

// The pixel layout of a DIB section: bits per pixel (1, 4, 8, 16, 24 or 32), the
// 5-6-5 masks for 16 bits (otherwise 5-5-5), and the colour table (0x00RRGGBB, at
// most 256 entries used) for 8 bits or fewer.
struct DibFormat {
    int bitCount = 32;
    bool masks565 = false;
    std::span<const uint32_t> palette;
};

class DibSection {
public:
    DibSection() noexcept = default;
    // Throws Win32Error when the DIB section cannot be made.
    DibSection(int width, int height);
    DibSection(DibSection&&) = delete;  // the DC keeps the bitmap selected; keep both in place

    ~DibSection();

    // A top-down DIB section of `format`, selected into no DC; `bits` gets its pixels.
    // Null (and `bits` null) when GDI cannot make it. The caller owns the bitmap.
    [[nodiscard]] static BitmapHandle MakeBitmap(int width, int height, const DibFormat& format, void*& bits) noexcept;

    // Reallocates only when the new size does not fit into the current one; the
    // pixels are undefined afterwards. Returns false when the allocation failed.
    bool EnsureSize(int width, int height) noexcept;

    HDC Dc() const noexcept { return m_dc.Get(); }
    HBITMAP Bitmap() const noexcept { return m_bitmap.Get(); }
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    // The pixels; call GdiFlush() first after GDI has drawn.
    PixelView View() const noexcept;

    // Test helpers. Colours are COLORREF-style (0x00BBGGRR); the alpha byte is ignored
    // because most GDI calls leave it undefined.
    void Fill(COLORREF colour) noexcept;
    COLORREF Pixel(int x, int y) const noexcept;
    // True when every pixel of `area` (clipped to the bitmap) has `colour`.
    bool AllEqual(const RECT& area, COLORREF colour) const noexcept;
    // Number of pixels of `area` that do not have `colour`.
    int CountOther(const RECT& area, COLORREF colour) const noexcept;

private:
    bool Allocate(int width, int height) noexcept;

    MemoryDc m_dc;
    BitmapHandle m_bitmap;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_capacityWidth = 0;
    int m_capacityHeight = 0;
};
