#include "skin/controls/GroupBoxSkin.h"

#include "framework/controls/WinControl.h"
#include "framework/win/Convert.h"
#include "skin/controls/ButtonRules.h"
#include "skin/controls/GroupBoxLayout.h"
#include "skin/data/WinSkinData.h"

void TSkinGroupBox::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    TSkinControl::AttachControl(form, skinData, recolour, canvas);
    m_ownerPaint = Control() != nullptr;
}

bool TSkinGroupBox::BeforeMessage(TMessage& message) {
    if (!TSkinControl::BeforeMessage(message)) return false;
    if (m_ownerPaint && message.Msg == WM_PAINT) {
        PaintMessage(message);
        return false;
    }
    return true;
}

void TSkinGroupBox::PaintSkin(HDC dc, const RECT& rect) {
    if (!SkinData()) return;
    if (!m_ownerPaint) {
        PaintBox(dc, rect);  // over what the window drew: no buffer can hold that
        return;
    }
    PaintBuffered(dc, rect, [&](HDC buffer) { PaintBox(buffer, rect); });
    if (auto* windowed = As<TWinControl>(Control())) windowed->PaintControls(dc, rect);
}

void TSkinGroupBox::PaintBox(HDC dc, const RECT& rect) {
    const TSkinColours& colours = SkinData()->Colours();
    std::wstring caption = ReadWindowText(Handle());
    if (caption.empty() && Control()) caption = GetTextProp(Control(), u"Caption");
    if (Control()) FillSkinBackground(dc, rect);

    // A framework box's own font, with its colour; a bare box's is the window's, in the
    // skin's text colour.
    HFONT font = Control() ? Control()->FontHandle()
                           : reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0));
    const TColor textColour =
        Control() ? SkinnedCaptionColour(Control()->Font().Color(), colours.ButtonText) : colours.ButtonText;
    if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    SavedDc keep{dc};
    ::SelectObject(dc, font);

    SIZE digit{};
    ::GetTextExtentPoint32W(dc, L"0", 1, &digit);
    RECT measured{0, 0, 0, 0};
    const bool right = (::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    const UINT flags = TextFlags((right ? DT_RIGHT : DT_LEFT) | DT_EXPANDTABS);
    if (!caption.empty()) DrawWideText(dc, caption, measured, flags | DT_CALCRECT);
    const GroupBoxPlan plan = PlanGroupBox({rect.right - rect.left, rect.bottom - rect.top}, digit.cy,
                                           {measured.right - measured.left, measured.bottom - measured.top}, right);

    if (!m_ownerPaint) {
        // The window's own two-pixel frame goes under the skin's colour.
        RECT outer = ToRECT(plan.ownFrame);
        ::FrameRect(dc, &outer, SkinData()->ButtonFaceBrush());
        ::InflateRect(&outer, -1, -1);
        ::FrameRect(dc, &outer, SkinData()->ButtonFaceBrush());
    }
    {
        PenHandle pen{::CreatePen(PS_SOLID, 1, ColorToRGB(colours.ButtonShadow))};
        SelectScope usePen{dc, pen.Get()};
        SelectScope noFill{dc, ::GetStockObject(NULL_BRUSH)};
        ::RoundRect(dc, plan.edge.left, plan.edge.top, plan.edge.right, plan.edge.bottom, 5, 5);
    }
    if (caption.empty()) return;
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, ColorToRGB(colours.ButtonFace));
    ::SetTextColor(dc, ColorToRGB(textColour));
    RECT box = ToRECT(plan.caption);
    DrawWideText(dc, caption, box, flags);
}
