#include "skin/controls/StatusBarSkin.h"

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/Panel.h"
#include "framework/controls/StatusBar.h"
#include "framework/win/Convert.h"
#include "skin/controls/StatusBarLayout.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <commctrl.h>

namespace {

// The off-screen picture every status bar composes in.
DibSection& StatusBuffer() {
    static DibSection buffer;
    return buffer;
}

// A bar without panels shows its simple text, as one in simple mode does.
bool ShowsSimpleText(TCustomStatusBar& bar) { return bar.SimplePanel() || bar.Panels().Count() == 0; }

constexpr UINT AlignmentFlag(TAlignment alignment) noexcept {
    switch (alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    case TAlignment::taLeftJustify: break;
    }
    return DT_LEFT;
}

}  // namespace

struct TSkinStatusBar::PanelPlace {
    TStatusPanel* panel;
    RECT frame;
};

void TSkinStatusBar::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    TSkinControl::AttachControl(form, skinData, recolour, canvas);
    RefreshParts();
}

bool TSkinStatusBar::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT: PaintMessage(message); return false;
    case WM_ERASEBKGND: message.Result = 1; return false;  // the paint covers all of it
    default: return TSkinControl::BeforeMessage(message);
    }
}

void TSkinStatusBar::AfterMessage(TMessage& message) {
    if (message.Msg == WM_SIZE) RefreshParts();
    TSkinControl::AfterMessage(message);
}

void TSkinStatusBar::RefreshParts() const {
    // WINE: the bar works out where its parts lie when it paints itself and when it is
    // given other parts, but not when it is resized (the framework sizes it). With its
    // paint left to the skin it would go on reporting, and invalidating for new text, the
    // parts of an older width: the clock would stop on screen. So it is given its parts
    // once changed and once as they are; their count stays, and with it their texts.
    HWND bar = Handle();
    const auto count = static_cast<int>(::SendMessageW(bar, SB_GETPARTS, 0, 0));
    if (count <= 0) return;
    std::vector<int> edges(static_cast<size_t>(count));
    ::SendMessageW(bar, SB_GETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
    std::vector<int> other = edges;
    other.back() = other.back() == -1 ? 0 : -1;
    ::SendMessageW(bar, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(other.data()));
    ::SendMessageW(bar, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
}

void TSkinStatusBar::PaintSkin(HDC dc, const RECT& rect) {
    auto* bar = As<TCustomStatusBar>(Control());
    if (!bar || !SkinData()) return;
    const std::vector<PanelPlace> places = ShowsSimpleText(*bar) ? std::vector<PanelPlace>{} : PlacePanels(*bar, rect);
    if (!PaintBuffered(dc, rect, [&](HDC buffer) { Compose(buffer, rect, *bar, places); }, StatusBuffer())) return;
    bar->PaintControls(dc, rect);
    if (!bar->OnDrawPanel) return;
    for (const PanelPlace& place : places) {
        RECT inside = place.frame;
        ::InflateRect(&inside, -2, -2);
        // A DC the canvas fetched for itself goes back before it borrows the paint's.
        if (auto* own = As<TControlCanvas>(&bar->Canvas())) own->FreeHandle();
        const CanvasLock lock{bar->Canvas(), dc};
        bar->OnDrawPanel(bar, place.panel, inside);
    }
}

std::vector<TSkinStatusBar::PanelPlace> TSkinStatusBar::PlacePanels(TCustomStatusBar& bar, const RECT& rect) const {
    std::vector<PanelPlace> places;
    for (int i = 0; i < bar.Panels().Count(); ++i) {
        RECT reported{};
        if (::SendMessageW(Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&reported)))
            places.push_back({bar.Panels().Items(i), reported});
    }
    // The last panel the bar shows runs to its edge, whatever width the bar reports.
    for (size_t i = 0; i < places.size(); ++i)
        places[i].frame = ToRECT(StatusPanelFrame(FromRECT(places[i].frame), i + 1 == places.size(), rect.right));
    return places;
}

void TSkinStatusBar::Compose(HDC dc, const RECT& rect, TCustomStatusBar& bar, const std::vector<PanelPlace>& places) {
    const TSkinData& skin = *SkinData();
    FillColor(dc, rect, skin.Colours().ButtonFace);
    const FontHandle font = StylelessFont(bar.FontHandle());
    SavedDc keep{dc};
    if (font) ::SelectObject(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    const TDataSkinObject* edges = skin.StatusBarEdges();
    ::SetTextColor(dc, ColorToRGB(edges ? edges->NormalColour2 : bar.Font().Color()));

    if (ShowsSimpleText(bar)) {
        DrawPanelFrame(dc, rect, 1);
        const std::wstring text = GetTextProp(&bar, u"SimpleText");
        DrawPanelText(dc, rect, text.empty() ? L" " : text,
                      bar.UseRightToLeftReading() ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
    }
    for (const PanelPlace& place : places) {
        const TStatusPanel& panel = *place.panel;
        DrawPanelFrame(dc, place.frame, StatusFrameOf(panel.Bevel()));
        if (panel.Style() == TStatusPanelStyle::psOwnerDraw) continue;
        const bool rightToLeft = panel.BiDiMode() != TBiDiMode::bdLeftToRight;
        const std::wstring text = GetTextProp(&panel, u"Text");
        DrawPanelText(dc, place.frame, text.empty() ? L" " : text, StatusTextAlignment(panel.Alignment(), rightToLeft));
    }
    DrawSizeGrip(dc, rect);
}

void TSkinStatusBar::DrawPanelFrame(HDC dc, const RECT& rect, int frame) const {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    const TSkinData& skin = *SkinData();
    if (const TDataSkinObject* edges = skin.StatusBarEdges(); edges && !edges->Image.Empty()) {
        DrawSkinFrame(dc, rect, 3, frame, *edges);
        return;
    }
    const COLORREF shadow = ColorToRGB(skin.Colours().ButtonShadow);
    const COLORREF light = ColorToRGB(skin.Colours().ButtonHilight);
    RECT box = rect;
    if (frame == 1) Frame3D(dc, box, shadow, light, 1);
    if (frame == 2) Frame3D(dc, box, light, shadow, 1);
}

void TSkinStatusBar::DrawPanelText(HDC dc, const RECT& area, std::wstring_view text, TAlignment alignment) const {
    const UINT flags = AlignmentFlag(alignment) | DT_EXPANDTABS;
    RECT measured{area.left + 2, area.top, area.right - 2, area.bottom};
    DrawWideText(dc, text, measured, flags | DT_CALCRECT | DT_NOCLIP);
    RECT box = ToRECT(StatusTextBox(FromRECT(area),
                                    {measured.right - measured.left, measured.bottom - measured.top}, alignment));
    DrawWideText(dc, text, box, TextFlags(flags));
}

void TSkinStatusBar::DrawSizeGrip(HDC dc, const RECT& rect) const {
    if ((::GetWindowLongPtrW(Handle(), GWL_STYLE) & SBARS_SIZEGRIP) == 0) return;
    const TDataSkinObject* strip = SkinData()->ExtraImages();
    if (!strip || strip->Image.Empty()) return;
    const auto cell = SizeGripCell(strip->Image.Width(), strip->Image.Height(), strip->FrameCount);
    if (!cell) return;
    const RECT place = ToRECT(SizeGripPlace(FromRECT(rect), {cell->Width(), cell->Height()}));
    DrawCell(dc, place, strip->Image, Transparency::KeyColour, strip->FrameCount, 5);
}
