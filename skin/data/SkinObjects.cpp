#include "skin/data/SkinObjects.h"

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
            ::BitBlt(button->Image.Dc(), 0, 0, c.width, height, mdiControls->Dc(), c.sourceX, 0, SRCCOPY);
            button->Xcoord = c.xcoord;
        }
        buttons.push_back(std::move(button));
    }
    return buttons;
}
