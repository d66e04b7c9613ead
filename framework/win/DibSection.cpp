#include "framework/win/DibSection.h"

#include "framework/win/Win32Error.h"

#include <algorithm>

namespace {

uint32_t ToPixel(COLORREF colour) noexcept {
    return Bgra(GetRValue(colour), GetGValue(colour), GetBValue(colour), 0);
}

COLORREF FromPixel(uint32_t pixel) noexcept {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace

DibSection::DibSection(int width, int height) {
    if (!m_dc) throw Win32Error::Last(u"CreateCompatibleDC");
    if (!Allocate(width, height)) throw Win32Error::Last(u"CreateDIBSection");
}

DibSection::~DibSection() {
    if (m_previous) ::SelectObject(m_dc.Get(), m_previous);  // deselect before the owner deletes it
}

bool DibSection::EnsureSize(int width, int height) noexcept {
    if (!m_bits || width > m_capacityWidth || height > m_capacityHeight) {
        if (!Allocate(std::max(width, m_capacityWidth), std::max(height, m_capacityHeight))) return false;
    }
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    return true;
}

bool DibSection::Allocate(int width, int height) noexcept {
    if (!m_dc || width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first in memory
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap{::CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    if (!bitmap) return false;
    const HGDIOBJ old = ::SelectObject(m_dc.Get(), bitmap.Get());
    if (!m_previous) m_previous = old;
    m_bitmap = std::move(bitmap);  // the old bitmap is deselected already, so deleting it is safe
    m_bits = static_cast<uint32_t*>(bits);
    m_width = m_capacityWidth = width;
    m_height = m_capacityHeight = height;
    return true;
}

PixelView DibSection::View() const noexcept {
    if (!m_bits) return {};
    const size_t count = static_cast<size_t>(m_capacityWidth) * static_cast<size_t>(m_capacityHeight);
    return PixelView(m_width, m_height, m_capacityWidth, std::span<uint32_t>(m_bits, count));
}

void DibSection::Fill(COLORREF colour) noexcept {
    ::GdiFlush();
    const PixelView view = View();
    const uint32_t pixel = ToPixel(colour);
    for (int y = 0; y < view.height; ++y) std::fill(view.Row(y).begin(), view.Row(y).end(), pixel);
}

COLORREF DibSection::Pixel(int x, int y) const noexcept {
    ::GdiFlush();
    const PixelView view = View();
    return view.Contains(x, y) ? FromPixel(view.At(x, y)) : CLR_INVALID;
}

int DibSection::CountOther(const RECT& area, COLORREF colour) const noexcept {
    ::GdiFlush();
    const PixelView view = View();
    const uint32_t wanted = ToPixel(colour) & 0x00FFFFFF;
    int count = 0;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, view.height); ++y)
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, view.width); ++x)
            if ((view.At(x, y) & 0x00FFFFFF) != wanted) ++count;
    return count;
}

bool DibSection::AllEqual(const RECT& area, COLORREF colour) const noexcept { return CountOther(area, colour) == 0; }
