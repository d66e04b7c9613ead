// Time per call of the skin drawing routines on the paint path, each against a plain
// BitBlt of the same size measured in the same run: SliceImage and DrawMasked of a
// caption across a full-HD screen, the region of a full-HD window frame, and a
// full-height gradient.

#include "bench/BenchClock.h"
#include "framework/graphics/Bitmap.h"
#include "framework/win/DibSection.h"
#include "skin/data/ColourMath.h"
#include "skin/data/ImageUtils.h"
#include "skin/data/SkinDraw.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include <windows.h>

namespace {

// Microseconds per call: the best of seven batches, each long enough to time well.
double MicrosPerCall(const std::function<void()>& call) {
    call();  // first use makes the bitmaps' DCs and fills caches
    int count = 1;
    for (;;) {
        const double start = Now();
        for (int i = 0; i < count; ++i) call();
        ::GdiFlush();
        if (Now() - start > 0.05 || count >= (1 << 20)) break;
        count *= 2;
    }
    double best = 1e30;
    for (int batch = 0; batch < 7; ++batch) {
        const double start = Now();
        for (int i = 0; i < count; ++i) call();
        ::GdiFlush();
        best = std::min(best, (Now() - start) / count);
    }
    return best * 1e6;
}

double BitBltMicros(int width, int height) {
    DibSection source(width, height);
    DibSection target(width, height);
    source.Fill(RGB(40, 80, 120));
    return MicrosPerCall([&] { ::BitBlt(target.Dc(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY); });
}

void Report(const char* what, double micros, int width, int height) {
    const double reference = BitBltMicros(width, height);
    std::printf("%-52s %9.1f us   BitBlt %4dx%-4d %8.1f us   ratio %6.2f\n", what, micros, width, height, reference,
                micros / reference);
}

// A caption frame: 24 bits, rounded magenta corners, a shaded band and a stripe to stretch.
void MakeCaption(TBitmap& caption) {
    caption.SetPixelFormat(TPixelFormat::pf24bit);
    caption.SetSize(170, 29);
    for (int y = 0; y < 29; ++y) {
        uint8_t* row = caption.ScanLine(y);
        for (int x = 0; x < 170; ++x) {
            const int cx = std::min(x, 169 - x);
            const bool corner = y < 5 && cx < 5 && (5 - cx) * (5 - cx) + (5 - y) * (5 - y) > 25;
            uint8_t* p = row + 3 * x;
            p[0] = corner ? 255 : static_cast<uint8_t>(120 + y * 4);
            p[1] = corner ? 0 : static_cast<uint8_t>(60 + y * 3);
            p[2] = corner ? 255 : static_cast<uint8_t>(x % 7 == 0 ? 200 : 30);
        }
    }
}

// A window's frame picture: rounded magenta corners; `hollow` makes the client area
// magenta too, which gives two runs per row.
void MakeWindowFrame(TBitmap& frame, bool hollow) {
    const int w = 1920, h = 1080;
    frame.SetPixelFormat(TPixelFormat::pf24bit);
    frame.SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = frame.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int cx = std::min(x, w - 1 - x), cy = std::min(y, h - 1 - y);
            const bool corner = cx < 8 && cy < 8 && (8 - cx) * (8 - cx) + (8 - cy) * (8 - cy) > 64;
            const bool client = hollow && cx >= 4 && y >= 30 && cy >= 4;
            const bool key = corner || client;
            uint8_t* p = row + 3 * x;
            p[0] = key ? 255 : 140;
            p[1] = key ? 0 : 90;
            p[2] = key ? 255 : 40;
        }
    }
}

}  // namespace

int main() {
    std::printf("Skin drawing, time per call, each against a BitBlt of the same size in this run\n\n");

    TBitmap caption;
    MakeCaption(caption);
    const SliceMargins captionMargins{60, 0, 60, 0};
    const RECT strip{0, 0, 1920, 29};
    Report("SliceImage 170x29 -> 1920x29, stretched middle",
           MicrosPerCall([&] {
               (void)SliceImage(strip, caption, captionMargins, FrameLayout::Horizontal, MiddleMode::Stretch, 1, 1);
           }),
           1920, 29);
    Report("SliceImage 170x29 -> 1920x29, tiled middle",
           MicrosPerCall([&] {
               (void)SliceImage(strip, caption, captionMargins, FrameLayout::Horizontal, MiddleMode::Tile, 1, 1);
           }),
           1920, 29);

    const auto sliced = SliceImage(strip, caption, captionMargins, FrameLayout::Horizontal, MiddleMode::Stretch, 1, 1);
    DibSection screen(1920, 1080);
    screen.Fill(RGB(200, 200, 200));
    if (sliced) {
        Report("DrawMasked 1920x29 caption into a bitmap (default)",
               MicrosPerCall([&] { DrawMasked(screen.Dc(), strip, *sliced, kKeyColour); }), 1920, 29);
        Report("DrawMasked 1920x29 caption, MaskBlt",
               MicrosPerCall([&] { DrawMasked(screen.Dc(), strip, *sliced, kKeyColour, MaskMethod::MaskedTransfer); }),
               1920, 29);
        Report("DrawMasked 1920x29 caption, composed (for screens)",
               MicrosPerCall([&] { DrawMasked(screen.Dc(), strip, *sliced, kKeyColour, MaskMethod::Composed); }),
               1920, 29);
        Report("DrawMasked 1920x29 caption, XOR/AND/XOR in place",
               MicrosPerCall([&] { DrawMasked(screen.Dc(), strip, *sliced, kKeyColour, MaskMethod::XorAndXor); }),
               1920, 29);
    }

    TBitmap window;
    MakeWindowFrame(window, false);
    Report("RegionFromBitmap 1920x1080 window, rounded corners",
           MicrosPerCall([&] { (void)RegionFromBitmap(window, 0, 0, 1, 1, 1, kKeyColour); }), 1920, 1080);
    TBitmap hollow;
    MakeWindowFrame(hollow, true);
    Report("RegionFromBitmap 1920x1080 frame, hollow client",
           MicrosPerCall([&] { (void)RegionFromBitmap(hollow, 0, 0, 1, 1, 1, kKeyColour); }), 1920, 1080);

    const RECT full{0, 0, 1920, 1080};
    Report("GradientFill 1920x1080, 1080 bands (cached table)",
           MicrosPerCall([&] {
               GradientFill(screen.Dc(), full, RgbColour(230, 235, 245), GradientDirection::TopToBottom,
                            RgbColour(40, 60, 110));
           }),
           1920, 1080);
    int which = 0;
    Report("GradientFill 1920x1080, 1080 bands (table rebuilt)",
           MicrosPerCall([&] {
               // Seventeen gradients in turn: every call misses the sixteen-slot cache.
               which = (which + 1) % 17;
               GradientFill(screen.Dc(), full, RgbColour(230, 235, static_cast<uint8_t>(which)),
                            GradientDirection::TopToBottom, RgbColour(40, 60, 110));
           }),
           1920, 1080);
    return 0;
}
