#include "skin/controls/TabSkins.h"

#include "framework/controls/TabSetLayout.h"
#include "framework/controls/WinControl.h"
#include "framework/core/StringList.h"
#include "framework/graphics/Bitmap.h"
#include "framework/win/Convert.h"
#include "skin/controls/ItemText.h"
#include "skin/controls/UpDownSkin.h"
#include "skin/data/ImageUtils.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <vector>

namespace {

// A tab of a tab set is its text's width plus this; one that is followed by the visible
// scroller needs that much more room.
constexpr int kTabPadding = 9;
constexpr int kScrollerRoom = 12;

}  // namespace

// --- the framework's older tab set ------------------------------------------------------------

void TSkinTab31::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    TSkinTabBase::AttachControl(form, skinData, recolour, canvas);
    PrepareImage();
    // The tab set's scroller is the first component it owns.
    TControl* set = Control();
    if (!set || set->ComponentCount() == 0) return;
    auto* scroller = As<TWinControl>(set->Components(0));
    if (scroller && scroller->InheritsFrom(u"TCustomUpDown")) SkinUpDown(scroller->Handle(), 1);
}

void TSkinTab31::Reskin() {
    PrepareImage();
    TSkinTabBase::Reskin();
}

void TSkinTab31::PrepareImage() {
    m_tabImage.Clear();
    const TDataSkinBorder* tabs = SkinData() ? SkinData()->Tabs() : nullptr;
    if (!tabs || tabs->Image.Empty()) return;
    // The tabs hang down from the row's top edge.
    m_tabImage.Assign(tabs->Image);
    m_tabImage.SetPixelFormat(TPixelFormat::pf24bit);
    FlipImage(m_tabImage);
}

bool TSkinTab31::BeforeMessage(TMessage& message) {
    if (!TSkinTabBase::BeforeMessage(message)) return false;
    // Without a tab picture the tab set draws itself.
    if (m_tabImage.Empty() || !SkinData() || !SkinData()->Tabs()) return true;
    switch (message.Msg) {
    case WM_PAINT: PaintMessage(message); return false;
    case WM_ERASEBKGND: message.Result = 1; return false;
    default: return true;
    }
}

void TSkinTab31::PaintSkin(HDC dc, const RECT& rect) {
    TControl* set = Control();
    const TDataSkinBorder* tabs = SkinData() ? SkinData()->Tabs() : nullptr;
    if (!set || !tabs || m_tabImage.Empty()) return;
    const TStringList* names = ::GetObjectProp<TStringList>(set, u"Tabs");
    const int selected = GetIntProp(set, u"TabIndex");
    const int startMargin = std::max(GetIntProp(set, u"StartMargin"), 0);
    const int endMargin = std::max(GetIntProp(set, u"EndMargin"), 0);
    const int first = GetIntProp(set, u"FirstIndex");
    const bool scrollerShown = UpDown() && ::IsWindowVisible(UpDown()->Handle());
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;

    PaintBuffered(dc, rect, [&](HDC buffer) {
        FillSkinBackground(buffer, rect);
        if (!names || names->Empty()) return;
        SavedDc keep{buffer};
        ::SelectObject(buffer, set->FontHandle());
        std::vector<int> widths;
        for (int i = 0; i < names->Count(); ++i) {
            const std::wstring text = ToWide((*names)[i]);
            SIZE size{};
            ::GetTextExtentPoint32W(buffer, text.c_str(), static_cast<int>(text.size()), &size);
            widths.push_back(size.cx);
        }
        const int slack = scrollerShown ? kTabPadding + kScrollerRoom : kTabPadding;
        for (const TabSetTab& tab :
             PlaceTabSetTabs(widths, first, startMargin, width - endMargin, kTabPadding, slack, TabSetFit::SkipMisses)) {
            const core::Rect box{tab.left, 0, tab.right, height};
            const int frame = tab.index == selected ? 2 : 1;
            DrawTabFrame(buffer, box, m_tabImage, *tabs, frame);
            const TColor colour = frame == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2;
            DrawItemText(buffer, ToRECT(box), ToWide((*names)[tab.index]), nullptr, -1, TAlignment::taCenter, colour,
                         TextFlags(DT_SINGLELINE | DT_END_ELLIPSIS));
        }
    });
}

// --- page controls that draw their tabs from two pictures ---------------------------------------

void TSkinAdvPage::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    if (Attached()) return;
    TSkinTabBase::AttachControl(form, skinData, recolour, canvas);
    GiveImages();
}

void TSkinAdvPage::Reskin() {
    GiveImages();
    TSkinTabBase::Reskin();
}

void TSkinAdvPage::Unskin() {
    TSkinTabBase::Unskin();
    if (m_pageMode != 4) return;
    const TBitmap none;
    SetObjectProp(Control(), u"TabBackGround", const_cast<TBitmap*>(&none));
    SetObjectProp(Control(), u"TabBackGroundActive", const_cast<TBitmap*>(&none));
}

void TSkinAdvPage::GiveImages() {
    const TDataSkinBorder* tabs = SkinData() ? SkinData()->Tabs() : nullptr;
    if (m_pageMode != 4 || !tabs || !Control()) return;
    const RECT size{0, 0, 100, 21};
    const int frames = std::max(tabs->FrameCount, 1);
    for (const int frame : {1, 2}) {
        const auto piece = SliceImage(size, tabs->Image, tabs->Margins(), FrameLayout::Horizontal,
                                      MiddleModeOf(tabs->Tile), frames, std::min(frame, frames));
        if (!piece) continue;
        // The control copies its pictures as they are: where the skin's picture leaves the
        // background showing, the background goes into the picture.
        if (tabs->Trans == 1) ReplaceKeyColour(*piece, SkinData()->Colours().ButtonFace);
        SetObjectProp(Control(), frame == 1 ? u"TabBackGround" : u"TabBackGroundActive", piece.get());
    }
}

void TSkinAdvPage::PaintSkin(HDC, const RECT&) { FindUpDown(); }
