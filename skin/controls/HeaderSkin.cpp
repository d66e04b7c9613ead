#include "skin/controls/HeaderSkin.h"

#include "framework/win/Convert.h"
#include "skin/controls/HeaderLayout.h"
#include "skin/controls/ItemText.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr int kTextCapacity = 201;

}  // namespace

void TSkinHeader::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    m_hotItem = -1;
    TSkinControl::AttachControl(form, skinData, recolour, canvas);
}

void TSkinHeader::AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) {
    m_hotItem = -1;
    TSkinControl::AttachHandle(handle, skinData, form, canvas);
}

const TDataSkinObject* TSkinHeader::HeaderObject() const noexcept {
    const TDataSkinObject* object = SkinData() ? SkinData()->Headerbar() : nullptr;
    return object && !object->Image.Empty() ? object : nullptr;
}

bool TSkinHeader::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
        // Without a header picture the header keeps its own look rather than none at all.
        if (!HeaderObject()) return true;
        if (message.Msg == WM_PAINT) PaintMessage(message);
        else message.Result = 1;
        return false;
    default: return TSkinControl::BeforeMessage(message);
    }
}

void TSkinHeader::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        const core::Point at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        if (const auto hot = NextHotSection(m_itemRects, at, m_hotItem)) {
            m_hotItem = *hot;
            Repaint();
        }
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, Handle(), 0};
        ::TrackMouseEvent(&leave);
        break;
    }
    case WM_MOUSELEAVE:
        m_hotItem = -1;
        Repaint();
        break;
    default: TSkinControl::AfterMessage(message);
    }
}

void TSkinHeader::PaintSkin(HDC dc, const RECT& rect) {
    const TDataSkinObject* object = HeaderObject();
    if (!object) return;
    PaintBuffered(dc, rect, [&](HDC buffer) { PaintSections(buffer, rect, *object); });
}

void TSkinHeader::PaintSections(HDC dc, const RECT& rect, const TDataSkinObject& object) {
    const FontHandle font = StylelessFont(reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    SavedDc keep{dc};
    if (font) ::SelectObject(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(Handle(), HDM_GETIMAGELIST, 0, 0));
    const int count = std::max(0, static_cast<int>(::SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0)));
    m_itemRects.assign(static_cast<size_t>(count), core::Rect{});
    LONG lastRight = rect.left;
    for (int i = 0; i < count; ++i) {
        RECT section{};
        if (!::SendMessageW(Handle(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&section)))
            continue;
        PaintSection(dc, i, section, object, images);
        m_itemRects[static_cast<size_t>(i)] = HeaderHotRect(FromRECT(section));
        lastRight = std::max(lastRight, section.right);
    }
    if (lastRight < rect.right)
        DrawSkinFrame(dc, {lastRight, rect.top, rect.right, rect.bottom}, object.FrameCount, 1, object);
}

void TSkinHeader::PaintSection(HDC dc, int index, const RECT& section, const TDataSkinObject& object,
                               HIMAGELIST images) {
    wchar_t text[kTextCapacity] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = kTextCapacity;
    if (!::SendMessageW(Handle(), HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) text[0] = 0;
    text[kTextCapacity - 1] = 0;
    const bool hot = index == m_hotItem;
    DrawSkinFrame(dc, section, object.FrameCount, hot ? 2 : 1, object);
    const std::wstring_view caption{text};
    if (caption.empty()) return;

    TColor colour = hot ? object.MouseOverColour2 : object.NormalColour2;
    if (!::IsWindowEnabled(Handle())) colour = clGrayText;
    DrawItemText(dc, section, caption, images, HeaderImageIndex(static_cast<uint32_t>(item.fmt), item.iImage),
                 HeaderAlignment(static_cast<uint32_t>(item.fmt)), colour,
                 TextFlags(DT_EXPANDTABS | DT_SINGLELINE | DT_END_ELLIPSIS));
}
