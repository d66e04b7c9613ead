#include "skin/data/ImageUtils.h"

#include "framework/graphics/GraphicsObjects.h"
#include "skin/data/ColourMath.h"
#include "skin/data/Platform.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

TColor Resolve(TColor colour) noexcept { return static_cast<TColor>(ColorToRGB(colour)); }

// Bytes per pixel for the row routines: 24-bit and 32-bit bitmaps are used as they are,
// every other format is made 24-bit first, because those rows are not whole bytes per
// pixel of colour. 0 for an empty bitmap.
int PreparePixels(TBitmap& bitmap) {
    if (bitmap.Empty()) return 0;
    if (bitmap.BitsPerPixel() != 24 && bitmap.BitsPerPixel() != 32) bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    return bitmap.BitsPerPixel() / 8;
}

// Row y of a 24-bit bitmap, `width` pixels of blue, green, red.
template <class Each>
void ForEachPixel24(TBitmap& bitmap, Each each) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) each(p);
    }
}

// Runs a change of a bitmap; false when it threw (a bitmap could not be made).
template <class Change>
bool Changed(Change change) noexcept {
    try {
        change();
        return true;
    } catch (...) {
        return false;
    }
}

// A quarter turn: the new pixel at (x, y) is the old one at from(x, y, oldWidth, oldHeight).
template <class From>
void Turn(TBitmap& bitmap, From from) {
    const int bytes = PreparePixels(bitmap);
    if (bytes == 0) return;
    const int w = bitmap.Width(), h = bitmap.Height();
    std::vector<uint32_t> old(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) std::memcpy(&old[static_cast<size_t>(y) * w + x], row + x * bytes, bytes);
    }
    bitmap.SetSize(h, w);
    for (int y = 0; y < w; ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < h; ++x) {
            const auto [ox, oy] = from(x, y, w, h);
            std::memcpy(row + x * bytes, &old[static_cast<size_t>(oy) * w + ox], bytes);
        }
    }
}

}  // namespace

bool GrayImage(TBitmap& bitmap) noexcept {
    return Changed([&] {
        if (bitmap.Empty()) return;
        bitmap.SetPixelFormat(TPixelFormat::pf24bit);
        ForEachPixel24(bitmap, [](uint8_t* p) { p[0] = p[1] = p[2] = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3); });
    });
}

bool ReplaceKeyColour(TBitmap& bitmap, TColor colour) noexcept {
    return Changed([&] {
        if (bitmap.Empty()) return;
        if (bitmap.BitsPerPixel() != 24) bitmap.SetPixelFormat(TPixelFormat::pf24bit);
        // A system colour's index byte is no colour: resolve it.
        const TColor plain = Resolve(colour);
        const uint8_t red = RedOf(plain), green = GreenOf(plain), blue = BlueOf(plain);
        ForEachPixel24(bitmap, [&](uint8_t* p) {
            if (p[2] == 255 && p[1] == 0 && p[0] == 255) p[0] = blue, p[1] = green, p[2] = red;
        });
    });
}

bool MirrorImage(TBitmap& bitmap) noexcept {
    return Changed([&] {
        const int bytes = PreparePixels(bitmap);
        const int w = bitmap.Width();
        for (int y = 0; y < bitmap.Height() && bytes; ++y) {
            uint8_t* row = bitmap.ScanLine(y);
            for (int x = 0; x < w / 2; ++x) std::swap_ranges(row + x * bytes, row + (x + 1) * bytes, row + (w - 1 - x) * bytes);
        }
    });
}

bool FlipImage(TBitmap& bitmap) noexcept {
    return Changed([&] {
        const int bytes = PreparePixels(bitmap);
        const size_t rowBytes = static_cast<size_t>(bitmap.Width()) * static_cast<size_t>(bytes);
        const int h = bitmap.Height();
        for (int y = 0; y < h / 2 && bytes; ++y) {
            uint8_t* top = bitmap.ScanLine(y);
            std::swap_ranges(top, top + rowBytes, bitmap.ScanLine(h - 1 - y));
        }
    });
}

bool RotateLeft(TBitmap& bitmap) noexcept {
    return Changed([&] { Turn(bitmap, [](int x, int y, int oldWidth, int) { return std::pair{oldWidth - 1 - y, x}; }); });
}

bool RotateRight(TBitmap& bitmap) noexcept {
    return Changed([&] { Turn(bitmap, [](int x, int y, int, int oldHeight) { return std::pair{y, oldHeight - 1 - x}; }); });
}

TColor MixColour(TColor colour1, TColor colour2, int weight) noexcept {
    return MixRgb(Resolve(colour1), Resolve(colour2), weight);
}

int ColourSaturation(TColor colour) noexcept { return RgbSaturation(Resolve(colour)); }

bool GradientFill(HDC dc, const RECT& rect, TColor from, GradientDirection direction, TColor to) noexcept {
    try {
        if (!::RectVisible(dc, &rect)) return true;
        from = Resolve(from);
        to = Resolve(to);
        const bool down = direction == GradientDirection::TopToBottom;
        const int64_t start = down ? rect.top : rect.left;
        const int64_t n = (down ? int64_t{rect.bottom} : int64_t{rect.right}) - start;
        if (n <= 0) return true;
        if (n > INT_MAX) return false;
        RECT clip = rect;
        const int kind = ::GetClipBox(dc, &clip);
        if (kind == NULLREGION) return true;
        if (kind == ERROR) clip = rect;
        const int64_t first = std::max<int64_t>(0, (down ? clip.top : clip.left) - start);
        const int64_t last = std::min<int64_t>(n - 1, (down ? clip.bottom : clip.right) - start - 1);

        std::span<const TColor> table;
        if (n <= GradientCache::kMaxLength) table = SharedGradientCache().Table(static_cast<int>(n), from, to);
        const auto entry = [&](int64_t i) {
            return table.empty() ? GradientEntry(static_cast<int>(i), static_cast<int>(n), from, to)
                                 : table[static_cast<size_t>(i)];
        };
        bool ok = true;
        for (int64_t i = first; i <= last;) {
            // Neighbouring bands of one colour go in one fill: the same pixels, fewer brushes.
            const TColor colour = entry(i);
            int64_t end = i + 1;
            while (end <= last && entry(end) == colour) ++end;
            const RECT band = down ? RECT{rect.left, static_cast<LONG>(start + i), rect.right, static_cast<LONG>(start + end)}
                                   : RECT{static_cast<LONG>(start + i), rect.top, static_cast<LONG>(start + end), rect.bottom};
            BrushHandle brush{::CreateSolidBrush(static_cast<COLORREF>(colour))};
            ok &= brush && ::FillRect(dc, &band, brush.Get()) != 0;
            i = end;
        }
        return ok;
    } catch (...) {
        return false;
    }
}

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    const int written = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    wide.resize(static_cast<size_t>(std::max(written, 0)));
    return wide;
}

int DrawWideText(HDC dc, std::wstring_view text, RECT& rect, UINT format, TextCall call) noexcept {
    try {
        if (text.size() > INT_MAX) return 0;
        format &= ~static_cast<UINT>(DT_MODIFYSTRING);  // the view may not be written to
        if (call == TextCall::ForPlatform) call = OnNtPlatform() ? TextCall::Wide : TextCall::Ansi;
        if (call == TextCall::Wide) return ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format);
        const int wideLength = static_cast<int>(text.size());
        const int length = wideLength ? ::WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr) : 0;
        std::string ansi(static_cast<size_t>(std::max(length, 0)), '\0');
        if (length > 0) ::WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, ansi.data(), length, nullptr, nullptr);
        return ::DrawTextA(dc, ansi.c_str(), -1, &rect, format);
    } catch (...) {
        return 0;
    }
}
