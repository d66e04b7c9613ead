#include "framework/graphics/Canvas.h"

#include "framework/core/Exception.h"
#include "framework/graphics/Graphic.h"

#include <vector>

TCanvas::TCanvas() {
    // A changed object must be selected again before the next call draws with it.
    m_font.OnChange = [this](TObject*) { m_fontValid = false; };
    m_brush.OnChange = [this](TObject*) { m_brushValid = false; };
    m_pen.OnChange = [this](TObject*) { m_penValid = false; };
}

TCanvas::~TCanvas() { RestoreObjects(); }

void TCanvas::SetHandle(HDC dc) noexcept {
    if (dc == m_dc) return;
    RestoreObjects();
    m_dc = dc;
    if (m_dc) {
        POINT p{};
        ::GetCurrentPositionEx(m_dc, &p);
        m_penPos = p;
    }
}

void TCanvas::RestoreObjects() noexcept {
    if (!m_dc) return;
    if (m_oldFont) ::SelectObject(m_dc, m_oldFont);
    if (m_oldBrush) ::SelectObject(m_dc, m_oldBrush);
    if (m_oldPen) ::SelectObject(m_dc, m_oldPen);
    m_oldFont = m_oldBrush = m_oldPen = nullptr;
    m_fontValid = m_brushValid = m_penValid = false;
}

HDC TCanvas::EnsureHandle() noexcept {
    try {
        if (!m_dc) CreateHandle();
    } catch (...) {
        return nullptr;
    }
    return m_dc;
}

void TCanvas::RequireHandle() {
    if (!m_dc) CreateHandle();
    if (!m_dc) throw EInvalidOperation(u"Canvas does not allow drawing");
}

void TCanvas::RequireFont() {
    RequireHandle();
    if (m_fontValid) return;
    const HGDIOBJ old = ::SelectObject(m_dc, m_font.Handle());
    if (!m_oldFont) m_oldFont = old;
    ::SetTextColor(m_dc, ColorToRGB(m_font.Color()));
    m_fontValid = true;
}

void TCanvas::RequireBrush() {
    RequireHandle();
    if (m_brushValid) return;
    const HGDIOBJ old = ::SelectObject(m_dc, m_brush.Handle());
    if (!m_oldBrush) m_oldBrush = old;
    // Text and hatches take the brush: opaque on its colour, or transparent for bsClear.
    ::SetBkColor(m_dc, ColorToRGB(m_brush.Color()));
    ::SetBkMode(m_dc, m_brush.Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
    m_brushValid = true;
}

void TCanvas::RequirePen() {
    RequireHandle();
    if (m_penValid) return;
    const HGDIOBJ old = ::SelectObject(m_dc, m_pen.Handle());
    if (!m_oldPen) m_oldPen = old;
    ::SetROP2(m_dc, m_pen.Rop2());
    m_penValid = true;
}

void TCanvas::FillRect(const RECT& rect) {
    RequireBrush();
    if (m_brush.Style() != TBrushStyle::bsClear) ::FillRect(m_dc, &rect, m_brush.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
    RequireBrush();
    ::FrameRect(m_dc, &rect, m_brush.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    RequirePen();
    RequireBrush();
    ::Rectangle(m_dc, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int width, int height) {
    RequirePen();
    RequireBrush();
    ::RoundRect(m_dc, left, top, right, bottom, width, height);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    RequirePen();
    RequireBrush();
    ::Ellipse(m_dc, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) {
    RequireHandle();
    ::MoveToEx(m_dc, x, y, nullptr);
    m_penPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    RequirePen();
    ::LineTo(m_dc, x, y);
    m_penPos = {x, y};
}

void TCanvas::Polyline(std::span<const POINT> points) {
    RequirePen();
    if (!points.empty()) ::Polyline(m_dc, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polygon(std::span<const POINT> points) {
    RequirePen();
    RequireBrush();
    if (!points.empty()) ::Polygon(m_dc, points.data(), static_cast<int>(points.size()));
}

void TCanvas::TextOut(int x, int y, std::wstring_view text) {
    RequireFont();
    RequireBrush();
    ::ExtTextOutW(m_dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    SIZE size{};
    ::GetTextExtentPoint32W(m_dc, text.data(), static_cast<int>(text.size()), &size);
    m_penPos = {x + size.cx, y};
}

void TCanvas::TextRect(const RECT& rect, int x, int y, std::wstring_view text) {
    RequireFont();
    RequireBrush();
    const UINT options = ETO_CLIPPED | (m_brush.Style() != TBrushStyle::bsClear ? ETO_OPAQUE : 0);
    ::ExtTextOutW(m_dc, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(std::wstring_view text, RECT& rect, UINT format) {
    RequireFont();
    RequireBrush();
    return ::DrawTextW(m_dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

SIZE TCanvas::TextExtent(std::wstring_view text) {
    RequireFont();
    SIZE size{};
    ::GetTextExtentPoint32W(m_dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
    if (graphic.Empty()) return;
    RequireHandle();
    graphic.Draw(*this, RECT{x, y, x + graphic.Width(), y + graphic.Height()});
}

void TCanvas::StretchDraw(const RECT& rect, const TGraphic& graphic) {
    if (graphic.Empty()) return;
    RequireHandle();
    graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
    RequireHandle();
    source.RequireHandle();
    ::StretchBlt(m_dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.m_dc,
                 sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                 sourceRect.bottom - sourceRect.top, m_copyMode);
}

COLORREF TCanvas::Pixel(int x, int y) {
    RequireHandle();
    return ::GetPixel(m_dc, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor colour) {
    RequireHandle();
    ::SetPixelV(m_dc, x, y, ColorToRGB(colour));
}

RECT TCanvas::ClipRect() {
    RequireHandle();
    RECT box{};
    ::GetClipBox(m_dc, &box);
    return box;
}
