#include "framework/win/DibSection.h"

#include "framework/win/Win32Error.h"

#include <algorithm>
#include <cstring>

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

BitmapHandle DibSection::MakeBitmap(int width, int height, const DibFormat& format, void*& bits) noexcept {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = width;
    info.header.biHeight = -height;  // top-down: row 0 first in memory
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(format.bitCount);
    info.header.biCompression = BI_RGB;
    if (format.bitCount <= 8) {
        info.header.biClrUsed = static_cast<DWORD>(std::min<size_t>(format.palette.size(), 256));
        for (size_t i = 0; i < info.header.biClrUsed; ++i) {
            const uint32_t c = format.palette[i];
            info.colours[i] = RGBQUAD{static_cast<BYTE>(c & 0xFF), static_cast<BYTE>((c >> 8) & 0xFF),
                                      static_cast<BYTE>((c >> 16) & 0xFF), 0};
        }
    } else if (format.bitCount == 16 && format.masks565) {
        info.header.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(info.colours, masks, sizeof masks);
    }
    bits = nullptr;
    BitmapHandle bitmap{::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                           &bits, nullptr, 0)};
    if (!bitmap || !bits) {
        bits = nullptr;
        return {};
    }
    return bitmap;
}

bool DibSection::Allocate(int width, int height) noexcept {
    if (!m_dc || width <= 0 || height <= 0) return false;
    void* bits = nullptr;
    BitmapHandle bitmap = MakeBitmap(width, height, DibFormat{}, bits);
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
