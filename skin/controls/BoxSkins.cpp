#include "skin/controls/BoxSkins.h"

#include "skin/data/WinSkinData.h"

// --- TSkinBox -----------------------------------------------------------------------------------

void TSkinBox::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    // The control paints itself in its (new) colour; the skin never sees its messages.
    AttachOwner(form, skinData, recolour, canvas, HandlerUse::Keep);
}

void TSkinBox::Unskin() {
    if (m_state != kKeepColour) TSkinControl::Unskin();
    m_state = kUnskinned;
}

// --- TSkinBoxH ----------------------------------------------------------------------------------

bool TSkinBoxH::BeforeMessage(TMessage& message) {
    TSkinData* skin = SkinData();
    if (!skin) return TSkinControl::BeforeMessage(message);
    switch (message.Msg) {
    case WM_ERASEBKGND: {
        RECT window{};
        ::GetWindowRect(Handle(), &window);
        FillSkinBackground(reinterpret_cast<HDC>(message.WParam),
                           {0, 0, window.right - window.left, window.bottom - window.top});
        message.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        CallDefault(message);
        // The text's own background too, so that an opaque static text matches the brush.
        ::SetBkColor(reinterpret_cast<HDC>(message.WParam), ColorToRGB(skin->Colours().ButtonFace));
        skin->SetFaceTextColour(reinterpret_cast<HDC>(message.WParam));
        message.Result = reinterpret_cast<LRESULT>(skin->ButtonFaceBrush());
        return false;
    default: return TSkinControl::BeforeMessage(message);
    }
}

// --- TSkinSizer ---------------------------------------------------------------------------------

void TSkinSizer::PaintSkin(HDC dc, const RECT& rect) { FillSkinBackground(dc, rect); }
