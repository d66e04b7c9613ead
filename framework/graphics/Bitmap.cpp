#include "framework/graphics/Bitmap.h"

#include "framework/core/Exception.h"
#include "framework/core/LittleEndian.h"
#include "framework/core/Stream.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/win/Convert.h"
#include "framework/win/DibSection.h"

#include <algorithm>
#include <cstring>

namespace {

int BitCountOf(TPixelFormat format) noexcept {
    switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    default: return 32;
    }
}

TPixelFormat FormatOf(int bitCount) noexcept {
    switch (bitCount) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 16: return TPixelFormat::pf15bit;
    case 24: return TPixelFormat::pf24bit;
    default: return TPixelFormat::pf32bit;
    }
}

// Colour table for a new bitmap of `bitCount` bits that has none to keep.
std::vector<uint32_t> DefaultPalette(int bitCount) {
    if (bitCount == 1) return {0x000000, 0xFFFFFF};
    if (bitCount == 4)
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<uint32_t> palette;
    for (uint32_t r = 0; r < 6; ++r)
        for (uint32_t g = 0; g < 6; ++g)
            for (uint32_t b = 0; b < 6; ++b) palette.push_back((r * 51) << 16 | (g * 51) << 8 | b * 51);
    for (uint32_t i = 0; palette.size() < 256; ++i) palette.push_back(((i * 255 / 39) * 0x010101) & 0xFFFFFF);
    return palette;
}

// Zeroed pixel memory of `height` rows of `stride` bytes, as a new DIB section starts.
std::vector<uint8_t> BlankPixels(size_t stride, int height) {
    try {
        return std::vector<uint8_t>(stride * static_cast<size_t>(height));
    } catch (const std::bad_alloc&) {
        throw EInvalidGraphic(u"Out of memory for a bitmap");
    }
}

// A top-down DIB section; the bits pointer comes back through `bits`.
BitmapHandle CreateDib(int width, int height, int bitCount, bool masks565, const std::vector<uint32_t>& palette,
                       uint8_t** bits) {
    void* raw = nullptr;
    BitmapHandle dib = DibSection::MakeBitmap(width, height, DibFormat{bitCount, masks565, palette}, raw);
    if (!dib) throw EInvalidGraphic(u"Out of system resources for a bitmap");
    *bits = static_cast<uint8_t*>(raw);
    return dib;
}

void CheckSize(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        int64_t{width} * height > kMaxBitmapPixels)
        throw EInvalidGraphic(u"Bitmap size out of range");
}

}  // namespace

// The canvas of a bitmap: a memory DC with the bitmap selected, made on first use
// and given up whenever the bitmap's handle changes.
class TBitmap::BitmapCanvas : public TCanvas {
public:
    explicit BitmapCanvas(TBitmap& owner) : m_owner(owner) {}
    ~BitmapCanvas() override { Free(); }

    HDC Dc() {
        if (!Handle()) CreateHandle();
        return Handle();
    }
    void Free() noexcept {
        if (!m_dc) return;
        SetHandle(nullptr);  // our font, brush and pen out of the DC first
        if (m_oldBitmap) ::SelectObject(m_dc->Get(), m_oldBitmap);
        m_oldBitmap = nullptr;
        m_dc.reset();
    }

protected:
    void CreateHandle() override {
        // A DC is made even for an empty bitmap: drawing on it then goes nowhere. A picture
        // whose DIB section cannot be made gets none: drawing from it would copy black.
        const HBITMAP bitmap = m_owner.Handle();
        if (!bitmap && !m_owner.Empty()) return;
        m_dc = std::make_unique<MemoryDc>();
        if (!*m_dc) {
            m_dc.reset();
            return;
        }
        if (bitmap) m_oldBitmap = ::SelectObject(m_dc->Get(), bitmap);
        SetHandle(m_dc->Get());
    }

private:
    TBitmap& m_owner;
    std::unique_ptr<MemoryDc> m_dc;
    HGDIOBJ m_oldBitmap = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
    SetPixelFormat(format);
    SetSize(width, height);
}

TBitmap::~TBitmap() { DetachCanvas(); }

void TBitmap::DetachCanvas() noexcept {
    if (m_canvas) m_canvas->Free();
}

size_t TBitmap::Stride() const noexcept { return DecodedBmp::StrideFor(m_width, m_bitCount); }

void TBitmap::Replace(BitmapHandle handle, uint8_t* bits, int width, int height, int bitCount,
                      std::vector<uint32_t> palette) {
    DetachCanvas();  // the old bitmap must leave the canvas DC before it is deleted
    m_handle = std::move(handle);
    m_bits = bits;
    std::vector<uint8_t>().swap(m_memory);
    m_width = width;
    m_height = height;
    m_bitCount = bitCount;
    m_palette = std::move(palette);
    Changed();
}

void TBitmap::ReplaceWithMemory(std::vector<uint8_t> pixels, int width, int height, int bitCount,
                                std::vector<uint32_t> palette) {
    DetachCanvas();
    m_handle = {};
    m_memory = std::move(pixels);
    m_bits = m_memory.data();
    m_width = width;
    m_height = height;
    m_bitCount = bitCount;
    m_palette = std::move(palette);
    Changed();
}

bool TBitmap::Realise() const noexcept {
    if (m_handle || m_memory.empty()) return static_cast<bool>(m_handle);
    try {
        uint8_t* bits = nullptr;
        BitmapHandle dib = CreateDib(m_width, m_height, m_bitCount, m_format == TPixelFormat::pf16bit, m_palette, &bits);
        std::memcpy(bits, m_memory.data(), std::min(m_memory.size(), Stride() * static_cast<size_t>(m_height)));
        m_handle = std::move(dib);
        m_bits = bits;
        std::vector<uint8_t>().swap(m_memory);
        return true;
    } catch (...) {  // out of GDI objects or memory: the picture stays in memory, without a handle
        return false;
    }
}

HBITMAP TBitmap::Handle() const noexcept {
    (void)Realise();
    return m_handle.Get();
}

void TBitmap::SetSize(int width, int height) {
    CheckSize(width, height);
    if (width == m_width && height == m_height) return;
    if (width == 0 || height == 0) {
        Replace(BitmapHandle{}, nullptr, width, height, m_bitCount, m_palette);
        return;
    }
    std::vector<uint32_t> palette = m_bitCount <= 8 ? (m_palette.empty() ? DefaultPalette(m_bitCount) : m_palette)
                                                    : std::vector<uint32_t>{};
    const size_t newStride = DecodedBmp::StrideFor(width, m_bitCount);
    std::vector<uint8_t> pixels = BlankPixels(newStride, height);
    if (m_bits) {  // keep the overlapping part, row by row: same format, same stride rule
        ::GdiFlush();
        const size_t oldStride = Stride();
        const size_t rowBytes = std::min(oldStride, newStride);
        for (int y = 0; y < std::min(height, m_height); ++y)
            std::memcpy(pixels.data() + static_cast<size_t>(y) * newStride, m_bits + static_cast<size_t>(y) * oldStride,
                        rowBytes);
    }
    ReplaceWithMemory(std::move(pixels), width, height, m_bitCount, std::move(palette));
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    const int bitCount = BitCountOf(format);
    const bool sameStorage = bitCount == m_bitCount && (bitCount != 16 || format == m_format);
    m_format = format;
    if (sameStorage) return;
    if (Empty()) {
        m_bitCount = bitCount;
        m_palette = bitCount <= 8 ? DefaultPalette(bitCount) : std::vector<uint32_t>{};
        return;
    }
    std::vector<uint32_t> palette = bitCount <= 8 ? DefaultPalette(bitCount) : std::vector<uint32_t>{};
    // GDI converts, from the DIB section of the picture as it is.
    if (!Realise()) throw EInvalidGraphic(u"Out of system resources for a bitmap");
    uint8_t* bits = nullptr;
    BitmapHandle dib = CreateDib(m_width, m_height, bitCount, format == TPixelFormat::pf16bit, palette, &bits);
    {
        // GDI converts between the formats: exactly for more bits, to the nearest entry for fewer.
        MemoryDc target;
        SelectScope select{target.Get(), dib.Get()};
        ::BitBlt(target.Get(), 0, 0, m_width, m_height, SourceDc(), 0, 0, SRCCOPY);
        ::GdiFlush();
    }
    Replace(std::move(dib), bits, m_width, m_height, bitCount, std::move(palette));
}

uint8_t* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= m_height || !m_bits) throw EInvalidGraphic(u"Scan line index out of range");
    ::GdiFlush();
    return m_bits + static_cast<size_t>(y) * Stride();
}

const uint8_t* TBitmap::ScanLine(int y) const { return const_cast<TBitmap*>(this)->ScanLine(y); }

TColor TBitmap::PixelColour(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || !m_bits) return clNone;
    return ColourIn(ScanLine(y), x);
}

void TBitmap::RowColours(int y, std::span<TColor> out) const {
    const uint8_t* row = ScanLine(y);
    const size_t count = std::min(out.size(), static_cast<size_t>(m_width));
    for (size_t x = 0; x < count; ++x) out[x] = ColourIn(row, static_cast<int>(x));
}

TColor TBitmap::ColourIn(const uint8_t* row, int x) const noexcept {
    auto fromPalette = [&](size_t index) {
        const uint32_t c = index < m_palette.size() ? m_palette[index] : 0;
        return RgbColour(static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c));
    };
    switch (m_bitCount) {
    case 1: return fromPalette((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return fromPalette((row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
    case 8: return fromPalette(row[x]);
    case 16: {
        const unsigned v = GetLe16(std::as_bytes(std::span(row, Stride())), 2 * static_cast<size_t>(x));
        if (m_format == TPixelFormat::pf16bit)
            return RgbColour(static_cast<uint8_t>((v >> 11) * 255 / 31), static_cast<uint8_t>(((v >> 5) & 63) * 255 / 63),
                             static_cast<uint8_t>((v & 31) * 255 / 31));
        return RgbColour(static_cast<uint8_t>(((v >> 10) & 31) * 255 / 31), static_cast<uint8_t>(((v >> 5) & 31) * 255 / 31),
                         static_cast<uint8_t>((v & 31) * 255 / 31));
    }
    default: {
        const uint8_t* p = row + static_cast<size_t>(x) * static_cast<size_t>(m_bitCount / 8);
        return RgbColour(p[2], p[1], p[0]);
    }
    }
}

TCanvas& TBitmap::Canvas() {
    if (!m_canvas) m_canvas = std::make_unique<BitmapCanvas>(*this);
    return *m_canvas;
}

HDC TBitmap::Dc() const noexcept {
    try {
        return SourceDc();
    } catch (...) {
        return nullptr;
    }
}

HDC TBitmap::SourceDc() const {
    auto& self = const_cast<TBitmap&>(*this);  // the canvas is a cache, not part of the picture
    self.Canvas();
    return self.m_canvas->Dc();
}

void TBitmap::SetHandle(BitmapHandle handle) {
    if (!handle) {
        Clear();
        return;
    }
    BITMAP info{};
    if (!::GetObjectW(handle.Get(), sizeof(info), &info)) throw EInvalidGraphic(u"Not a bitmap handle");
    CheckSize(info.bmWidth, info.bmHeight);
    int bitCount = info.bmBitsPixel * info.bmPlanes;
    bitCount = bitCount <= 1 ? 1 : bitCount <= 4 ? 4 : bitCount <= 8 ? 8 : bitCount <= 16 ? 16 : bitCount <= 24 ? 24 : 32;
    // Read the picture out as a DIB of its own depth, colour table included.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } query{};
    query.header.biSize = sizeof(query.header);
    query.header.biWidth = info.bmWidth;
    query.header.biHeight = -info.bmHeight;
    query.header.biPlanes = 1;
    query.header.biBitCount = static_cast<WORD>(bitCount == 16 ? 24 : bitCount);
    query.header.biCompression = BI_RGB;
    if (bitCount == 16) bitCount = 24;
    DecodedBmp image;
    image.width = info.bmWidth;
    image.height = info.bmHeight;
    image.bitCount = bitCount;
    image.pixels.resize(image.Stride() * static_cast<size_t>(image.height));
    {
        WindowDc screen = WindowDc::Client(nullptr);
        if (!::GetDIBits(screen.Get(), handle.Get(), 0, static_cast<UINT>(info.bmHeight), image.pixels.data(),
                         reinterpret_cast<BITMAPINFO*>(&query), DIB_RGB_COLORS))
            throw EInvalidGraphic(u"Cannot read the bitmap handle");
    }
    if (bitCount <= 8)
        for (int i = 0; i < (1 << bitCount); ++i)
            image.palette.push_back(static_cast<uint32_t>(query.colours[i].rgbRed) << 16 |
                                    static_cast<uint32_t>(query.colours[i].rgbGreen) << 8 | query.colours[i].rgbBlue);
    Adopt(std::move(image));
}

BitmapHandle TBitmap::ReleaseHandle() {
    (void)Realise();
    DetachCanvas();
    BitmapHandle handle = std::move(m_handle);
    m_bits = nullptr;
    std::vector<uint8_t>().swap(m_memory);
    m_width = m_height = 0;
    Changed();
    return handle;
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == m_transparentMode) return;
    m_transparentMode = mode;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (m_transparentMode == TTransparentMode::tmFixed) return m_transparentColour;
    return Empty() ? clDefault : PixelColour(0, m_height - 1);
}

void TBitmap::SetTransparentColor(TColor colour) {
    m_transparentColour = colour;
    m_transparentMode = colour == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) const {
    if (Empty()) return;
    const HDC source = SourceDc();
    const HDC target = canvas.Handle();
    if (!source || !target) return;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (Transparent()) {
        ::GdiTransparentBlt(target, rect.left, rect.top, w, h, source, 0, 0, m_width, m_height,
                            ColorToRGB(TransparentColor()));
        return;
    }
    if (w == m_width && h == m_height) {
        ::BitBlt(target, rect.left, rect.top, w, h, source, 0, 0, canvas.CopyMode());
        return;
    }
    const int oldMode = ::SetStretchBltMode(target, COLORONCOLOR);
    ::StretchBlt(target, rect.left, rect.top, w, h, source, 0, 0, m_width, m_height, canvas.CopyMode());
    ::SetStretchBltMode(target, oldMode);
}

void TBitmap::Adopt(DecodedBmp image) {
    CheckSize(image.width, image.height);
    image.pixels.resize(image.Stride() * static_cast<size_t>(image.height));  // whole rows, as a DIB section has
    m_format = FormatOf(image.bitCount);
    // Decoded 16-bit pictures come as 24 or 32 bits, so pf15bit here never asks for masks.
    ReplaceWithMemory(std::move(image.pixels), image.width, image.height, image.bitCount, std::move(image.palette));
}

void TBitmap::LoadFromBytes(std::span<const std::byte> bytes) { Adopt(DecodeBmp(bytes)); }

void TBitmap::LoadFromStream(TStream& stream) {
    std::vector<std::byte> bytes(static_cast<size_t>(std::max<int64_t>(stream.Remaining(), 0)));
    stream.ReadBuffer(bytes);
    LoadFromBytes(bytes);
}

void TBitmap::SaveToStream(TStream& stream) const {
    DecodedBmp image;
    image.width = m_width;
    image.height = m_height;
    if (m_bitCount == 16) {  // written as 24 bits: the file then needs no bit masks
        image.bitCount = 24;
        image.pixels.resize(image.Stride() * static_cast<size_t>(m_height));
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                const TColor c = PixelColour(x, y);
                uint8_t* p = image.pixels.data() + static_cast<size_t>(y) * image.Stride() + static_cast<size_t>(x) * 3;
                p[0] = BlueOf(c), p[1] = GreenOf(c), p[2] = RedOf(c);
            }
    } else {
        image.bitCount = m_bitCount;
        image.palette = m_palette;
        if (m_bits) {
            ::GdiFlush();
            image.pixels.assign(m_bits, m_bits + Stride() * static_cast<size_t>(m_height));
        }
    }
    if (Empty()) return;
    const auto bytes = EncodeBmp(image);
    stream.WriteBuffer(bytes);
}

void TBitmap::LoadFromResourceName(HINSTANCE module, std::wstring_view name) {
    const std::wstring key(name);
    const HRSRC found = ::FindResourceW(module, key.c_str(), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) throw EResNotFound(u"Resource " + FromWide(key) + u" not found");
    Adopt(DecodeBmp(std::span(static_cast<const std::byte*>(data), ::SizeofResource(module, found)), false));
}

void TBitmap::Assign(const TPersistent& source) {
    const auto* other = As<TBitmap>(&source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    if (other == this) return;
    m_format = other->m_format;
    m_transparentMode = other->m_transparentMode;
    m_transparentColour = other->m_transparentColour;
    SetTransparent(other->Transparent());
    if (other->Empty()) {
        Replace(BitmapHandle{}, nullptr, other->m_width, other->m_height, other->m_bitCount, other->m_palette);
        return;
    }
    std::vector<uint8_t> pixels = BlankPixels(other->Stride(), other->m_height);
    ::GdiFlush();
    std::memcpy(pixels.data(), other->m_bits, pixels.size());
    ReplaceWithMemory(std::move(pixels), other->m_width, other->m_height, other->m_bitCount, other->m_palette);
}

void TBitmap::Clear() { Replace(BitmapHandle{}, nullptr, 0, 0, m_bitCount, m_palette); }

void TBitmap::Publish(TPublisher<TBitmap>& p) {
    // An empty bitmap reads and writes no bytes.
    p.Binary(
        u"Data",
        [](TBitmap& b, TStream& s) {
            if (s.Remaining() > 0) b.LoadFromStream(s);
            else b.Clear();
        },
        [](const TBitmap& b, TStream& s) { b.SaveToStream(s); });
}
