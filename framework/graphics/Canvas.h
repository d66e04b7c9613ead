#pragma once
// A drawing surface over a device context it does not own, with the brush, pen
// and font it draws with. The canvas selects its objects into the DC when a call
// needs them and selects the DC's own objects back when the DC is taken away, so
// the DC is left as it was found.

#include "framework/graphics/GraphicsObjects.h"

#include <span>
#include <string_view>

#include <windows.h>

class TGraphic;

class TCanvas : public TPersistent {
    KESTRELLE_CLASS(TCanvas, TPersistent)

public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The DC drawn on (borrowed). Setting another one (or null) first restores the
    // objects the previous DC had selected.
    HDC Handle() const noexcept { return m_dc; }
    void SetHandle(HDC dc) noexcept;
    bool HandleAllocated() const noexcept { return m_dc != nullptr; }
    // The DC, made now by a canvas that makes its own (a bitmap's); null when there is none.
    HDC EnsureHandle() noexcept;

    TFont& Font() noexcept { return m_font; }
    TBrush& Brush() noexcept { return m_brush; }
    TPen& Pen() noexcept { return m_pen; }

    // Raster operation of CopyRect and of drawing opaque bitmaps (SRCCOPY by default).
    DWORD CopyMode() const noexcept { return m_copyMode; }
    void SetCopyMode(DWORD mode) noexcept { m_copyMode = mode; }

    // A lock count for code that shares a canvas; everything runs on the UI thread.
    // Drawing passes hold it through a CanvasLock.
    void Lock() noexcept { ++m_lockCount; }
    void Unlock() noexcept { if (m_lockCount > 0) --m_lockCount; }
    int LockCount() const noexcept { return m_lockCount; }

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int width, int height);
    void Ellipse(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos() const noexcept { return m_penPos; }
    void Polyline(std::span<const POINT> points);
    void Polygon(std::span<const POINT> points);

    void TextOut(int x, int y, std::wstring_view text);
    // Text clipped to `rect`, drawn at (x, y).
    void TextRect(const RECT& rect, int x, int y, std::wstring_view text);
    // DrawTextW with `format`; returns the height drawn.
    int DrawText(std::wstring_view text, RECT& rect, UINT format);
    SIZE TextExtent(std::wstring_view text);
    int TextWidth(std::wstring_view text) { return TextExtent(text).cx; }
    int TextHeight(std::wstring_view text) { return TextExtent(text).cy; }

    void Draw(int x, int y, const TGraphic& graphic);
    void StretchDraw(const RECT& rect, const TGraphic& graphic);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

    COLORREF Pixel(int x, int y);
    void SetPixel(int x, int y, TColor colour);
    RECT ClipRect();

    // Selects the font, brush and pen into the DC now (for code that calls GDI directly).
    void Prepare() { RequireFont(); RequireBrush(); RequirePen(); }

protected:
    // Called when a drawing call needs a DC and none is set; TControlCanvas and the
    // bitmap canvas make one here.
    virtual void CreateHandle() {}

private:
    void RequireHandle();
    void RequireFont();
    void RequireBrush();
    void RequirePen();
    void RestoreObjects() noexcept;

    HDC m_dc = nullptr;
    TFont m_font;
    TBrush m_brush;
    TPen m_pen;
    // The DC's own objects, selected back when the DC goes.
    HGDIOBJ m_oldFont = nullptr;
    HGDIOBJ m_oldBrush = nullptr;
    HGDIOBJ m_oldPen = nullptr;
    bool m_fontValid = false;
    bool m_brushValid = false;
    bool m_penValid = false;
    DWORD m_copyMode = SRCCOPY;
    POINT m_penPos{};
    int m_lockCount = 0;
};

// Lends a canvas a DC for one drawing pass and holds the canvas's lock meanwhile.
// However the pass ends, the canvas selects its objects out of the DC, lets go of it
// and unlocks.
class CanvasLock {
public:
    CanvasLock(TCanvas& canvas, HDC dc) noexcept : m_canvas{canvas} {
        m_canvas.Lock();
        m_canvas.SetHandle(dc);
    }
    ~CanvasLock() {
        m_canvas.SetHandle(nullptr);
        m_canvas.Unlock();
    }
    CanvasLock(const CanvasLock&) = delete;
    CanvasLock& operator=(const CanvasLock&) = delete;

private:
    TCanvas& m_canvas;
};
