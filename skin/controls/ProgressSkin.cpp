#include "skin/controls/ProgressSkin.h"

#include "framework/graphics/Bitmap.h"
#include "framework/win/Convert.h"
#include "skin/controls/ProgressLayout.h"
#include "skin/data/ImageUtils.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <cstdint>

#include <commctrl.h>

namespace {

// A progress skin of this style has a frame and a chunk picture instead of two frames.
constexpr int32_t kTwoPictureStyle = 1;

}  // namespace

const TDataSkinBorder* TSkinProgress::ProgressObject() const noexcept {
    const TDataSkinBorder* object = SkinData() ? SkinData()->Progress() : nullptr;
    return object && !object->Image.Empty() ? object : nullptr;
}

bool TSkinProgress::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return false;
    case WM_PAINT:
        if (!ProgressObject()) return true;
        PaintMessage(message);
        return false;
    default: return TSkinControl::BeforeMessage(message);
    }
}

void TSkinProgress::PaintSkin(HDC dc, const RECT& rect) {
    const TDataSkinBorder* object = ProgressObject();
    if (!object) return;
    const bool vertical = (::GetWindowLongPtrW(Handle(), GWL_STYLE) & PBS_VERTICAL) != 0;
    const core::Size size = ProgressPicture({rect.right - rect.left, rect.bottom - rect.top}, vertical);
    if (size.width <= 0 || size.height <= 0) return;
    TBitmap picture(size.width, size.height, TPixelFormat::pf24bit);
    HDC canvas = picture.Dc();
    if (!canvas) return;
    const RECT whole{0, 0, size.width, size.height};
    FillColor(canvas, whole, SkinData()->Colours().ButtonFace);

    // Counted from the bar's minimum: a bar from 50 to 150 at 50 is empty, not a third full.
    const auto position = static_cast<int>(::SendMessageW(Handle(), PBM_GETPOS, 0, 0));
    const auto minimum = static_cast<int>(::SendMessageW(Handle(), PBM_GETRANGE, TRUE, 0));
    const auto maximum = static_cast<int>(::SendMessageW(Handle(), PBM_GETRANGE, FALSE, 0));
    int64_t along = int64_t{position} - minimum, range = int64_t{maximum} - minimum;
    if (range > INT32_MAX) {  // the widest range: halved, the share stays
        along /= 2;
        range /= 2;
    }
    const int filled = ProgressFilled(size.width, static_cast<int>(along), static_cast<int>(range));
    const MiddleMode middle = MiddleModeOf(object->Tile);
    if (object->Style == kTwoPictureStyle) {
        DrawSliced(canvas, whole, object->Image, FrameLayout::Horizontal, middle, Transparency::KeyColour, 1, 1,
                   object->Margins());
        DrawChunks(canvas, filled, size.height);
    } else {
        DrawSliced(canvas, whole, object->Image, FrameLayout::Horizontal, middle, Transparency::KeyColour, 2, 1,
                   object->Margins());
        if (filled > 0)
            DrawSliced(canvas, {0, 0, filled, size.height}, object->Image, FrameLayout::Horizontal, middle,
                       Transparency::KeyColour, 2, 2, object->Margins());
    }
    if (vertical && !RotateLeft(picture)) return;
    ::BitBlt(dc, rect.left, rect.top, picture.Width(), picture.Height(), picture.Dc(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawChunks(HDC dc, int filled, int height) const {
    const TDataSkinObject* chunk = SkinData()->ProgressChunk();
    if (!chunk || chunk->Image.Empty() || filled <= 0) return;
    const Transparency trans = TransparencyOf(chunk->Trans);
    if (chunk->Tile == 1) {
        const int width = chunk->Image.Width(), chunkHeight = chunk->Image.Height();
        const ChunkRun run = TiledChunks(filled, height, {width, chunkHeight}, chunk->LeftWidth);
        for (int i = 0; i < run.count; ++i) {
            const int x = run.origin.x + i * run.step;
            if (trans == Transparency::KeyColour)
                DrawMasked(dc, {x, run.origin.y, x + width, run.origin.y + chunkHeight}, chunk->Image, kKeyColour);
            else
                ::BitBlt(dc, x, run.origin.y, width, chunkHeight, chunk->Image.Dc(), 0, 0, SRCCOPY);
        }
        return;
    }
    // A chunk picture whose section names no frame count is one frame.
    DrawSliced(dc, ToRECT(StretchedChunk(filled, height)), chunk->Image, FrameLayout::Horizontal,
               MiddleModeOf(chunk->Tile), trans, std::max(chunk->FrameCount, 1), 1, chunk->Margins());
}
