#include "skin/controls/TabSkins.h"

#include "framework/controls/TabControls.h"
#include "framework/win/Convert.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/controls/ItemText.h"
#include "skin/controls/UpDownSkin.h"
#include "skin/data/ImageUtils.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <string>

#include <commctrl.h>
#include <windowsx.h>

namespace {

// TCM_GETITEM text: at most this many characters, then a terminator of our own.
constexpr int kTabTextLength = 80;
constexpr UINT kCaptionFlags = DT_EXPANDTABS | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr TColor kBlack = RgbColour(0, 0, 0);

struct TabItem {
    std::wstring text;
    int image = -1;
};

// Into `text`, by TCM_GETITEMW (TCITEMW, wide text) or TCM_GETITEMA; the image index
// or, when the control has no such tab, -1 with the text empty.
template <class Item, class Char>
int ReadTabInto(HWND tabs, int index, UINT message, Char (&text)[kTabTextLength + 1]) {
    Item item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = text;
    item.cchTextMax = kTabTextLength;
    if (!::SendMessageW(tabs, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) {
        text[0] = 0;
        return -1;
    }
    text[kTabTextLength] = 0;  // whatever the control wrote, the text ends inside the buffer
    return item.iImage;
}

TabItem ReadTabItem(HWND tabs, int index, bool unicode) {
    TabItem read;
    if (unicode) {
        wchar_t text[kTabTextLength + 1] = {};
        read.image = ReadTabInto<TCITEMW>(tabs, index, TCM_GETITEMW, text);
        read.text = text;
    } else {
        char text[kTabTextLength + 1] = {};
        read.image = ReadTabInto<TCITEMA>(tabs, index, TCM_GETITEMA, text);
        read.text = AnsiToWide(text);
    }
    return read;
}

int ItemCount(HWND tabs) { return std::max(0, static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0))); }

// The control's display area in window coordinates (the control has no border).
core::Rect DisplayArea(HWND tabs, core::Size window) {
    RECT display{0, 0, window.width, window.height};
    ::SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    return FromRECT(display);
}

// Each tab the control gives a rectangle, with the control's font selected into `dc`
// meanwhile: its index, rectangle (window coordinates), text and image, and whether it
// is the tab with the focus, which is drawn in the second frame.
template <class Each>
void ForEachTab(HWND tabs, HDC dc, bool unicode, Each each) {
    SavedDc keep{dc};
    if (auto font = reinterpret_cast<HFONT>(::SendMessageW(tabs, WM_GETFONT, 0, 0))) ::SelectObject(dc, font);
    const int count = ItemCount(tabs);
    const int focus = static_cast<int>(::SendMessageW(tabs, TCM_GETCURFOCUS, 0, 0));
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(tabs, TCM_GETIMAGELIST, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!::SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
        each(i, item, ReadTabItem(tabs, i, unicode), i == focus, images);
    }
}

void DrawCloseMark(HDC dc, const core::Rect& mark, TColor colour) {
    PenHandle pen{::CreatePen(PS_SOLID, 1, ColorToRGB(colour))};
    if (!pen) return;
    SelectScope usePen{dc, pen.Get()};
    SelectScope noFill{dc, ::GetStockObject(NULL_BRUSH)};
    ::Rectangle(dc, mark.left, mark.top, mark.right, mark.bottom);
    ::MoveToEx(dc, mark.left, mark.top, nullptr);
    ::LineTo(dc, mark.right, mark.bottom);
    ::MoveToEx(dc, mark.right - 1, mark.top, nullptr);
    ::LineTo(dc, mark.left - 1, mark.bottom);
}

}  // namespace

bool DrawTabFrame(HDC dc, const core::Rect& rect, const TBitmap& image, const TDataSkinBorder& tabs, int frame) noexcept {
    if (rect.IsEmpty() || image.Empty()) return false;
    const int frames = std::max(tabs.FrameCount, 1);
    return DrawSliced(dc, ToRECT(rect), image, FrameLayout::Horizontal, MiddleModeOf(tabs.Tile),
                      TransparencyOf(tabs.Trans), frames, std::min(frame, frames), tabs.Margins());
}

// --- the up-down of a tab row -----------------------------------------------------------------

bool TSkinTabBase::FindUpDown() {
    HWND handle = Handle();
    HWND spin = handle ? ::FindWindowExW(handle, nullptr, UPDOWN_CLASSW, nullptr) : nullptr;
    if (!spin) return false;
    SkinUpDown(spin, 0);
    return ::IsWindowVisible(spin) != FALSE;
}

void TSkinTabBase::SkinUpDown(HWND spin, int32_t horizontal) {
    TSkinUpDown* skin = m_upDown.Get();
    // A new up-down window (the control made its arrows again) gets a new skin.
    if (skin && skin->Handle() == spin && skin->State() != kWindowGone) return;
    if (skin) FreeComponent(skin);
    ControlSkinHost* form = Form();
    if (!form || !SkinData()) return;
    auto& made = Create<TSkinUpDown>();
    m_upDown = &made;
    made.SetHorizontal(horizontal);
    made.AttachHandle(spin, *SkinData(), *form, Canvas());
}

// --- tabs on any side ----------------------------------------------------------------------

void TSkinTab::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    TSkinTabBase::AttachControl(form, skinData, recolour, canvas);
    TControl* control = Control();
    m_enabled = control && control->Enabled();
    m_canClose = control && control->Tag() == kClosableTabsTag && control->InheritsFrom(u"TPageControl") &&
                 GetEnumName(control, u"TabPosition") == u"tptop";
    m_unicodeItems = Handle() && ::IsWindowUnicode(Handle());
    PrepareImages();
    FindUpDown();
}

void TSkinTab::AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) {
    TSkinTabBase::AttachHandle(handle, skinData, form, canvas);
    m_enabled = ::IsWindowEnabled(handle) != FALSE;
    m_focused = ::GetFocus() == handle;
    m_unicodeItems = ::IsWindowUnicode(handle) != FALSE;
    PrepareImages();
    FindUpDown();
}

void TSkinTab::Reskin() {
    PrepareImages();
    TSkinTabBase::Reskin();
}

void TSkinTab::PrepareImages() {
    m_tabImage.Clear();
    m_paneImage.Clear();
    m_side = Handle() ? SideOf(static_cast<uint32_t>(::GetWindowLongPtrW(Handle(), GWL_STYLE))) : TabSide::Top;
    const TDataSkinBorder* tabs = SkinData() ? SkinData()->Tabs() : nullptr;
    if (!tabs) return;
    const TDataSkinObject* pane = SkinData()->TabPane();
    const TBitmap* paneSource = &tabs->Image2;
    if (tabs->Style != 0) paneSource = pane && !pane->Image.Empty() ? &pane->Image : nullptr;
    if (!tabs->Image.Empty()) {
        m_tabImage.Assign(tabs->Image);
        m_tabImage.SetPixelFormat(TPixelFormat::pf24bit);
    }
    if (paneSource && !paneSource->Empty()) {
        m_paneImage.Assign(*paneSource);
        m_paneImage.SetPixelFormat(TPixelFormat::pf24bit);
    }
    switch (m_side) {
    case TabSide::Top: break;
    case TabSide::Bottom:
        if (!m_tabImage.Empty()) FlipImage(m_tabImage);
        if (!m_paneImage.Empty()) FlipImage(m_paneImage);
        break;
    // The tabs of a side are drawn in a strip that is turned afterwards; only the pane turns now.
    case TabSide::Left:
        if (!m_paneImage.Empty()) RotateLeft(m_paneImage);
        break;
    case TabSide::Right:
        if (!m_paneImage.Empty()) RotateRight(m_paneImage);
        break;
    }
}

bool TSkinTab::BeforeMessage(TMessage& message) {
    if (!TSkinTabBase::BeforeMessage(message)) return false;
    switch (message.Msg) {
    case WM_PAINT:
        // A skin without tab pictures leaves the control to draw itself rather than blank.
        if (m_tabImage.Empty() && m_paneImage.Empty()) return true;
        PaintMessage(message);
        return false;
    case WM_LBUTTONDOWN:
        if (m_canClose && ClosePressed(message)) {
            message.Result = 0;
            return false;
        }
        return true;
    default: return true;
    }
}

bool TSkinTab::ClosePressed(const TMessage& message) {
    HWND handle = Handle();
    if (!handle) return false;
    const core::Point at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    const std::optional<int> tab = CloseMarkAt(m_closeRects, at, ItemCount(handle));
    if (!tab) return false;
    HWND form = ::GetAncestor(handle, GA_ROOT);
    const LRESULT refused = form ? ::SendMessageW(form, WMX_CLOSETAB, reinterpret_cast<WPARAM>(handle), *tab) : 1;
    if (refused == 0)
        if (auto* pages = As<TPageControl>(Control()))
            if (TTabSheet* page = pages->TabPage(*tab)) FreeComponent(page);
    return true;
}

void TSkinTab::PaintSkin(HDC dc, const RECT& rect) {
    HWND handle = Handle();
    if (!handle || !SkinData() || (m_tabImage.Empty() && m_paneImage.Empty())) return;
    const TDataSkinBorder* tabs = SkinData()->Tabs();
    const core::Size window{rect.right - rect.left, rect.bottom - rect.top};
    const core::Rect pane = TabPaneRect(DisplayArea(handle, window), m_side);
    SavedDc keep{dc};
    if (FindUpDown()) {
        // The arrows paint themselves; the row is not drawn over them.
        RECT spin{}, own{};
        ::GetWindowRect(UpDown()->Handle(), &spin);
        ::GetWindowRect(handle, &own);
        ::ExcludeClipRect(dc, spin.left - own.left, spin.top - own.top, spin.right - own.left, spin.bottom - own.top);
    }
    PaintBuffered(dc, rect, [&](HDC buffer) {
        FillSkinBackground(buffer, rect);
        if (tabs && !m_tabImage.Empty()) PaintRow(buffer, window, pane, *tabs);
        if (!m_paneImage.Empty() && tabs) {
            const TDataSkinObject* paneObject = SkinData()->TabPane();
            const bool ownPane = tabs->Style != 0 && paneObject;
            const TDataSkinObject& look = ownPane ? *paneObject : *tabs;
            const SliceMargins margins = ownPane ? paneObject->Margins() : SliceMargins{4, 5, 4, 4};
            DrawSliced(buffer, ToRECT(pane), m_paneImage, FrameLayout::Horizontal, MiddleModeOf(look.Tile),
                       TransparencyOf(look.Trans), 1, 1, margins);
        }
        if (m_tabMode == 2)
            if (auto* control = As<TWinControl>(Control())) control->PaintControls(buffer, rect);
    });
}

void TSkinTab::PaintRow(HDC dc, core::Size window, const core::Rect& pane, const TDataSkinBorder& tabs) {
    HWND handle = Handle();
    const core::Rect row = TabRowRect(window, pane, m_side);
    const core::Size size = TabStripSize(row, m_side);
    const int count = ItemCount(handle);
    m_closeRects.assign(static_cast<size_t>(count), core::Rect{});
    if (size.width <= 0 || size.height <= 0) return;
    m_strip.SetPixelFormat(TPixelFormat::pf24bit);
    m_strip.SetSize(size.width, size.height);
    HDC strip = m_strip.Dc();
    if (!strip) return;
    FillSkinBackground(strip, {0, 0, size.width, size.height});
    ForEachTab(handle, strip, m_unicodeItems,
               [&](int index, const RECT& item, const TabItem& read, bool focused, HIMAGELIST images) {
                   const core::Rect at = TabItemInStrip(FromRECT(item), m_side, window, pane);
                   const int frame = focused ? 2 : 1;
                   DrawTabFrame(strip, at, m_tabImage, tabs, frame);
                   const TColor colour = frame == 1 ? tabs.NormalColour2 : tabs.MouseOverColour2;
                   RECT text = ToRECT(at);
                   if (m_canClose && static_cast<size_t>(index) < m_closeRects.size()) {
                       const core::Rect mark = CloseMarkRect(at);
                       DrawCloseMark(strip, mark, colour);
                       m_closeRects[static_cast<size_t>(index)] = mark;
                       text.right = mark.left;
                   }
                   DrawItemText(strip, text, read.text, images, read.image, TAlignment::taCenter, colour,
                                TextFlags(kCaptionFlags));
               });
    if (m_side == TabSide::Right) RotateRight(m_strip);
    if (m_side == TabSide::Left) RotateLeft(m_strip);
    ::BitBlt(dc, row.left, row.top, row.Width(), row.Height(), m_strip.Dc(), 0, 0, SRCCOPY);
}

// --- button-style tabs ------------------------------------------------------------------------

bool TSkinTabBtn::BeforeMessage(TMessage& message) {
    if (!TSkinControl::BeforeMessage(message)) return false;
    if (message.Msg != WM_PAINT) return true;
    PaintMessage(message);
    return false;
}

void TSkinTabBtn::PaintSkin(HDC dc, const RECT& rect) {
    HWND handle = Handle();
    if (!handle || !SkinData()) return;
    const TDataSkinButton& object = SkinData()->Buttons();
    if (object.Image.Empty()) return;
    m_enabled = ::IsWindowEnabled(handle) != FALSE;
    const core::Size window{rect.right - rect.left, rect.bottom - rect.top};
    const core::Rect row = TabButtonRowRect(window, DisplayArea(handle, window));
    if (row.IsEmpty()) return;
    const bool unicode = ::IsWindowUnicode(handle) != FALSE;
    PaintBuffered(dc, ToRECT(row), [&](HDC buffer) {
        FillSkinBackground(buffer, ToRECT(row));
        ForEachTab(handle, buffer, unicode,
                   [&](int, RECT item, const TabItem& read, bool focused, HIMAGELIST images) {
                       ::OffsetRect(&item, 0, 1);
                       const int frame = focused ? 2 : 1;
                       DrawSkinFrame(buffer, item, object.FrameCount, frame, object);
                       TColor colour = kBlack;
                       if (frame == 1 && object.HasNormalColour2) colour = object.NormalColour2;
                       if (frame == 2 && object.HasPressedColour2) colour = object.PressedColour2;
                       DrawItemText(buffer, item, read.text, images, read.image, TAlignment::taCenter, colour,
                                    TextFlags(kCaptionFlags));
                   });
    });
}

// --- pages ------------------------------------------------------------------------------------

bool TSkinTabSheet::BeforeMessage(TMessage& message) {
    if (!TSkinControl::BeforeMessage(message)) return false;
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINT: PaintMessage(message); return false;
    case WM_ERASEBKGND:
        if (HWND handle = Handle(); handle && SkinData()) {
            RECT client{};
            ::GetClientRect(handle, &client);
            ::FillRect(reinterpret_cast<HDC>(message.WParam), &client, SkinData()->ButtonFaceBrush());
        }
        message.Result = 1;
        return false;
    default: return true;
    }
}

void TSkinTabSheet::PaintSkin(HDC dc, const RECT& rect) {
    if (!SkinData()) return;
    FillColor(dc, rect, SkinData()->Colours().ButtonFace);
    if (auto* page = As<TWinControl>(Control())) page->PaintControls(dc, rect);
}
