#include "skin/data/SkinObjects.h"

#include <cstring>

TDataSkinObject::TDataSkinObject(std::string_view name) : Name(name) {}

void TDataSkinObject::SetMargins(const SliceMargins& margins) noexcept {
    LeftWidth = margins.left;
    TopHeight = margins.top;
    RightWidth = margins.right;
    BottomHeight = margins.bottom;
}

void ApplyFixedFrameCount(TDataSkinObject* object, SkinPart part) noexcept {
    if (!object) return;
    object->FrameCount = FixedFrameCount(part, object->FrameCount, object->Style);
    if (auto* button = As<TDataSkinButton>(object); button && part == SkinPart::Buttons) {
        button->CheckFrames = StripFrameCount(button->CheckFrames, button->CheckImage.Width(), button->CheckImage.Height());
        button->RadioFrames = StripFrameCount(button->RadioFrames, button->RadioImage.Width(), button->RadioImage.Height());
    }
}

void ApplyTitleButtonFrames(TDataSkinSysButton& button, int frameKey) noexcept {
    button.FrameCount = TitleButtonFrameCount(frameKey, button.Action, button.Image.Width(), button.Image.Height());
    if (TitleButtonDropsImage(frameKey, button.Action)) button.Image.Clear();
}

namespace {

// Columns [x, x + width) of `strip` into `piece`, a picture of the strip's format and
// height. Pixels of whole bytes copy row by row in memory, so neither picture needs a DIB
// section yet; fewer bits per pixel, or a palette of their own, go through GDI.
void CopyColumns(const TBitmap& strip, int x, int width, TBitmap& piece) {
    const int bitCount = strip.BitsPerPixel();
    if (bitCount >= 16 && x >= 0 && width > 0 && x + width <= strip.Width() && piece.Width() >= width &&
        piece.Height() == strip.Height() && piece.BitsPerPixel() == bitCount) {
        const size_t bytes = static_cast<size_t>(bitCount / 8);
        for (int y = 0; y < strip.Height(); ++y)
            std::memcpy(piece.ScanLine(y), strip.ScanLine(y) + static_cast<size_t>(x) * bytes,
                        static_cast<size_t>(width) * bytes);
        return;
    }
    ::BitBlt(piece.Dc(), 0, 0, width, strip.Height(), strip.Dc(), x, 0, SRCCOPY);
}

}  // namespace

std::vector<std::unique_ptr<TDataSkinSysButton>> MakeMdiButtons(const TBitmap* mdiControls) {
    const bool cut = mdiControls && !mdiControls->Empty();
    const auto layout = MdiButtonLayout(cut ? mdiControls->Width() : 0);
    std::vector<std::unique_ptr<TDataSkinSysButton>> buttons;
    for (const MdiButtonCut& c : layout) {
        auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        button->Action = c.action;
        button->Align = button->Visibility = button->Visibility1 = kMdiButtonPlacement;
        button->FrameCount = kMdiButtonFrames;
        if (cut && c.width > 0) {
            const int height = mdiControls->Height();
            button->Image.SetPixelFormat(mdiControls->PixelFormat());
            button->Image.SetSize(c.width, height);
            CopyColumns(*mdiControls, c.sourceX, c.width, button->Image);
            button->Xcoord = c.xcoord;
        }
        buttons.push_back(std::move(button));
    }
    return buttons;
}
