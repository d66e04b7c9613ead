#include "skin/controls/TrackBarSkin.h"

#include "framework/win/Convert.h"
#include "skin/controls/TrackBarLayout.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <commctrl.h>

void TSkinTrackBar::Reskin() {
    HWND focused = ::GetFocus();
    ::SetFocus(Handle());
    ::SetFocus(focused);
}

bool TSkinTrackBar::BeforeMessage(TMessage& message) {
    if ((message.Msg == WM_NOTIFY || message.Msg == kMsgReflectNotify) && message.LParam && SkinData()) {
        auto& draw = *reinterpret_cast<NMCUSTOMDRAW*>(message.LParam);
        // Only the control's own: its tool tip sends it custom-draw notifications too.
        if (draw.hdr.code == NM_CUSTOMDRAW && draw.hdr.hwndFrom == Handle()) {
            const TrackDrawAnswer answer = TrackCustomDraw(draw.dwDrawStage, draw.dwItemSpec);
            if (answer.draw == TrackPart::Channel) DrawChannel(draw.hdc);
            if (answer.draw == TrackPart::Thumb) DrawThumb(draw.hdc);
            message.Result = answer.result;
            return false;
        }
    }
    return TSkinControl::BeforeMessage(message);
}

bool TSkinTrackBar::Vertical() const noexcept { return (::GetWindowLongPtrW(Handle(), GWL_STYLE) & TBS_VERT) != 0; }

void TSkinTrackBar::DrawChannel(HDC dc) const {
    RECT reported{};
    ::SendMessageW(Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&reported));
    const TSkinData& skin = *SkinData();
    const bool vertical = Vertical() && skin.TrackVert();
    const TDataSkinObject* groove = vertical ? skin.TrackVert() : skin.Track();
    if (!groove || groove->Image.Empty()) return;
    // WINE: the system reports a vertical bar's channel lying on its side, Wine upright.
    const core::Rect channel = vertical ? UprightChannel(FromRECT(reported)) : FromRECT(reported);
    const SlicePlan plan =
        GroovePieces(channel, {groove->Image.Width(), groove->Image.Height()}, groove->Margins(), vertical);
    HDC source = groove->Image.Dc();
    if (!source) return;
    SavedDc keep{dc};
    ::SetStretchBltMode(dc, COLORONCOLOR);
    for (const SlicePiece& piece : plan.Pieces())
        ::StretchBlt(dc, piece.target.x, piece.target.y, piece.target.width, piece.target.height, source,
                     piece.source.x, piece.source.y, piece.source.width, piece.source.height, SRCCOPY);
}

void TSkinTrackBar::DrawThumb(HDC dc) const {
    constexpr int kThumbFrames = 5, kThumbFrame = 2;
    RECT thumb{};
    ::SendMessageW(Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const TSkinData& skin = *SkinData();
    const TDataSkinObject* strip = Vertical() && skin.ThumbVert() ? skin.ThumbVert() : skin.ThumbHorz();
    if (strip && !strip->Image.Empty()) {
        DrawCell(dc, thumb, strip->Image, Transparency::KeyColour, kThumbFrames, kThumbFrame);
        return;
    }
    PenHandle pen{::CreatePen(PS_SOLID, 1, ColorToRGB(skin.Colours().ButtonShadow))};
    SelectScope usePen{dc, pen.Get()};
    SelectScope noFill{dc, ::GetStockObject(NULL_BRUSH)};
    ::Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}
