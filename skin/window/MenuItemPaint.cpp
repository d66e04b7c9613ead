#include "skin/window/MenuItemPaint.h"

#include "framework/controls/Menus.h"
#include "framework/core/FailureLog.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/Convert.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/ImageList.h"
#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/MenuRules.h"
#include "skin/window/SkinPopMenu.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kItemFrames = 5;
constexpr int kShortCutRight = 11;
// PSDPxax: where the source is white the destination stays, where black the brush goes.
constexpr DWORD kBrushWhereBlack = 0x00B8074A;

core::Rect FromRect(const RECT& r) noexcept { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const core::Rect& r) noexcept { return {r.left, r.top, r.right, r.bottom}; }

const TDataSkinObject* ItemObject(const TSkinData& skin) noexcept {
    const TDataSkinObject* object = skin.NoSkin() ? nullptr : skin.MenuItem();
    return object && !object->Image.Empty() ? object : nullptr;
}

// The half-tone of a checked image's box: button face and button highlight alternating.
void FillDither(HDC dc, const RECT& box) noexcept {
    static constexpr std::array<WORD, 8> kPattern{0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    BitmapHandle pattern{::CreateBitmap(8, 8, 1, 1, kPattern.data())};
    if (!pattern) return;
    BrushHandle brush{::CreatePatternBrush(pattern.Get())};
    if (!brush) return;
    SavedDc keep{dc};
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::FillRect(dc, &box, brush.Get());
}

// The system's check mark (or bullet for a radio item), `size` square, in `colour`.
void DrawCheckMark(HDC dc, int x, int y, int size, bool radio, COLORREF colour) noexcept {
    MemoryDc mono{dc};
    BitmapHandle bits{::CreateBitmap(size, size, 1, 1, nullptr)};
    BrushHandle brush{::CreateSolidBrush(colour)};
    if (!mono.Get() || !bits || !brush) return;
    SelectScope useBits{mono.Get(), bits.Get()};
    RECT box{0, 0, size, size};
    // Black on white, made for exactly this use.
    ::DrawFrameControl(mono.Get(), &box, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    SavedDc keep{dc};
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    SelectScope useBrush{dc, brush.Get()};
    ::BitBlt(dc, x, y, size, size, mono.Get(), 0, 0, kBrushWhereBlack);
}

TColor TextColourOf(const MenuItemFacts& item, bool selected, const TSkinColours& colours) noexcept {
    if (item.enabled) return selected ? colours.HilightText : colours.MenuText;
    // A grey the reader could not tell from the text falls back to the system's.
    return colours.ButtonShadow == colours.MenuText ? clBtnShadow : colours.ButtonShadow;
}

// The separator line of a framework item: the second frame of the item picture, its
// ends kept and its middle stretched, the bottom rows where the item is lower.
void DrawSkinLine(HDC dc, const RECT& rect, const TDataSkinObject& object) noexcept {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int frameWidth = object.Image.Width() / kItemFrames, stripHeight = object.Image.Height();
    HDC source = object.Image.Dc();
    if (w <= 0 || h <= 0 || frameWidth <= 0 || !source) return;
    DibSection line;
    if (!line.EnsureSize(w, h)) return;
    line.Fill(ColorToRGB(kKeyColour));
    const int left = std::clamp<int>(object.LeftWidth, 0, std::min(frameWidth, w));
    const int right = std::clamp<int>(object.RightWidth, 0, std::min(frameWidth - left, w - left));
    const int top = std::max(0, stripHeight - h), rows = std::min(h, stripHeight);
    const int x0 = frameWidth;  // frame 2
    SavedDc keep{line.Dc()};
    ::SetStretchBltMode(line.Dc(), COLORONCOLOR);
    ::BitBlt(line.Dc(), 0, 0, left, rows, source, x0, top, SRCCOPY);
    ::BitBlt(line.Dc(), w - right, 0, right, rows, source, x0 + frameWidth - right, top, SRCCOPY);
    ::StretchBlt(line.Dc(), left, 0, w - left - right, rows, source, x0 + left, top, frameWidth - left - right, rows,
                 SRCCOPY);
    ::TransparentBlt(dc, rect.left, rect.top, w, h, line.Dc(), 0, 0, w, h, ColorToRGB(kKeyColour));
}

}  // namespace

MenuItemFacts FactsOfItem(const TMenuItem& item) {
    MenuItemFacts facts;
    facts.caption = item.Caption();
    facts.shortCut = ToWide(ShortCutToText(item.ShortCut()));
    facts.enabled = item.Enabled();
    facts.checked = item.Checked();
    facts.radio = item.RadioItem();
    facts.isDefault = item.Default();
    if (const TMenu* menu = item.GetParentMenu()) facts.images = menu->Images();
    facts.imageIndex = item.ImageIndex();
    return facts;
}

MenuItemFacts FactsOfMenuCommand(HMENU menu, UINT command) {
    MenuItemFacts facts;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    if (::GetMenuItemInfoW(menu, command, FALSE, &info)) {
        facts.enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        facts.checked = (info.fState & MFS_CHECKED) != 0;
        facts.isDefault = (info.fState & MFS_DEFAULT) != 0;
        facts.radio = (info.fType & MFT_RADIOCHECK) != 0;
        facts.rightToLeft = (info.fType & MFT_RIGHTORDER) != 0;
    }
    std::array<wchar_t, 256> text{};
    const int length = ::GetMenuStringW(menu, command, text.data(), static_cast<int>(text.size()), MF_BYCOMMAND);
    std::wstring caption(text.data(), static_cast<size_t>(std::max(length, 0)));
    if (const size_t tab = caption.find(L'\t'); tab != std::wstring::npos) {
        facts.shortCut = caption.substr(tab + 1);
        caption.resize(tab);
    }
    facts.caption = caption.empty() ? L"-" : caption;
    return facts;
}

void DrawItemContent(TCanvas& canvas, const MenuItemFacts& item, bool selected, const RECT& rect,
                     const TSkinData& skin) noexcept {
    try {
        HDC dc = canvas.Handle();
        if (!dc) return;
        const TDataSkinObject* object = ItemObject(skin);
        const TImageList* images = item.images;
        const int glyphSize = MenuGlyphSize(images ? images->Width() : 0, item.checked);
        const MenuItemLayout layout =
            LayoutMenuItem(FromRect(rect), glyphSize, object ? object->LeftWidth : 0, item.IsLine(), item.rightToLeft);
        const RECT glyph = ToRect(layout.glyph);
        if (!item.IsLine()) {
            if (images && item.imageIndex >= 0 && item.imageIndex < images->Count()) {
                if (item.checked) {
                    FillDither(dc, glyph);
                    RECT edge = glyph;
                    ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
                }
                images->Draw(canvas, glyph.left, glyph.top, item.imageIndex, item.enabled);
            } else if (item.checked) {
                const int mark = std::max(glyphSize - 4, 8);
                const int x = glyph.left + (glyphSize - mark) / 2 + 1;
                const int y = rect.top + (rect.bottom - rect.top - mark) / 2 + 1;
                DrawCheckMark(dc, x, y, mark, item.radio, ::GetSysColor(COLOR_BTNTEXT));
            }
        }
        RECT text = ToRect(layout.text);
        if (item.IsLine()) {
            RECT line{text.left, text.top + 4, text.right, text.top + 6};
            ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            return;
        }
        if (Screen) canvas.Font().Assign(Screen->MenuFont());
        if (item.isDefault) canvas.Font().SetStyle(canvas.Font().Style() | TFontStyles{TFontStyle::fsBold});
        canvas.Font().SetColor(TextColourOf(item, selected, skin.Colours()));
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        const UINT direction = item.rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
        const UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | direction;
        // A lone "&" would measure as nothing: it is drawn as if a space followed.
        const std::wstring caption = item.caption == L"&" ? L"& " : item.caption;
        RECT measured = text;
        canvas.DrawText(caption.empty() ? L" " : caption, measured, DT_CALCRECT | DT_NOCLIP | format);
        canvas.DrawText(caption, text, format);
        if (!item.shortCut.empty()) {
            RECT keys = item.rightToLeft ? RECT{rect.left + kShortCutRight, rect.top, measured.left, rect.bottom}
                                         : RECT{measured.right, rect.top, rect.right - kShortCutRight, rect.bottom};
            canvas.DrawText(item.shortCut, keys,
                            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (item.rightToLeft ? DT_LEFT : DT_RIGHT));
        }
    } catch (...) {
        LogCurrentException(u"a skinned menu item's text could not be drawn");
    }
}

bool DrawPlainItem(TCanvas& canvas, const MenuItemFacts& item, bool selected, const RECT& rect,
                   const TSkinData& skin) noexcept {
    HDC dc = canvas.Handle();
    if (!dc) return false;
    BrushHandle fill{::CreateSolidBrush(ColorToRGB(selected ? skin.Colours().Hilight : skin.Colours().Menu))};
    if (fill) ::FillRect(dc, &rect, fill.Get());
    DrawItemContent(canvas, item, selected, rect, skin);
    return true;
}

bool DrawSkinnedItem(HDC dc, const MenuItemFacts& item, bool selected, const RECT& rect, const TSkinData& skin,
                     const TBitmap* background, SeparatorLook separator) noexcept {
    const TDataSkinObject* object = ItemObject(skin);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (!object || !dc) return false;
    if (w <= 0 || h <= 0) return true;
    try {
        DibSection buffer;
        if (!buffer.EnsureSize(w, h)) return false;
        const int frame = TWinSkinPopMenu::kFrame;
        if (background && !background->Empty() && background->Dc())
            ::BitBlt(buffer.Dc(), 0, 0, w, h, background->Dc(), rect.left + frame, rect.top + frame, SRCCOPY);
        else
            buffer.Fill(ColorToRGB(skin.Colours().Menu));
        const RECT cell{0, 0, w, h};
        if (item.IsLine() && separator == SeparatorLook::SkinLine) {
            ::BitBlt(dc, rect.left, rect.top, w, h, buffer.Dc(), 0, 0, SRCCOPY);
            DrawSkinLine(dc, rect, *object);
            return true;
        }
        DrawSliced(buffer.Dc(), cell, object->Image, FrameLayout::Horizontal, MiddleModeOf(object->Tile),
                   TransparencyOf(object->Trans), kItemFrames, selected ? 4 : 1, object->Margins());
        {
            TCanvas canvas;
            const CanvasLock lock{canvas, buffer.Dc()};
            DrawItemContent(canvas, item, selected, cell, skin);
        }
        return ::BitBlt(dc, rect.left, rect.top, w, h, buffer.Dc(), 0, 0, SRCCOPY) != FALSE;
    } catch (...) {
        LogCurrentException(u"a skinned menu item could not be drawn");
        return false;
    }
}
