#pragma once
// The skins of tab controls. TSkinTab paints a tab or page control with its tabs on any
// side: the row of tabs is drawn in a horizontal off-screen strip from the skin's tab
// picture and turned into place for tabs at a side (the picture is flipped for tabs at
// the bottom), and the pane from the skin's pane picture turned the same way. Pages of
// a control tagged closable get close marks, and a click on one asks the form (message
// WMX_CLOSETAB) before the page goes. TSkinTabBtn paints button-style tabs from the
// skin's button picture, TSkinTabSheet the pages, TSkinTab31 the framework's older tab
// set, and TSkinAdvPage hands the tab pictures to a page control that draws its tabs
// from two bitmap properties. The spin arrows a tab row shows when its tabs do not fit
// get a TSkinUpDown, owned by the tab skin.

#include "framework/core/Geometry.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/TabLayout.h"
#include "skin/controls/UpDownSkin.h"

#include <cstdint>
#include <vector>

class TDataSkinBorder;

// Sent by TSkinTab to the form before a page is closed by its close mark: WParam the tab
// control's window, LParam the tab's index; an answer other than 0 keeps the page.
constexpr UINT WMX_CLOSETAB = 0x3507;
// The Tag that makes a page control's pages closable (with their tabs at the top).
constexpr int32_t kClosableTabsTag = 7777;

// What tab skins share: the up-down of the tab row.
class TSkinTabBase : public TSkinControl {
    KESTRELLE_CLASS(TSkinTabBase, TSkinControl)

public:
    // Gives the first up-down child of the control a skin, once per up-down window;
    // answers whether that child is visible.
    bool FindUpDown();
    TSkinUpDown* UpDown() const noexcept { return m_upDown.Get(); }

protected:
    // Gives `spin` a skin (laid out horizontally when `horizontal` is 1) unless it has one.
    void SkinUpDown(HWND spin, int32_t horizontal);

private:
    ComponentRef<TSkinUpDown> m_upDown;
};

class TSkinTab : public TSkinTabBase {
    KESTRELLE_CLASS(TSkinTab, TSkinTabBase)

public:
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) override;
    void Reskin() override;

    // 2 for tab controls that are not page controls: their windowless children are
    // painted over the skinned pane.
    int32_t TabMode() const noexcept { return m_tabMode; }
    void SetTabMode(int32_t value) noexcept { m_tabMode = value; }
    TabSide Side() const noexcept { return m_side; }
    bool CanClose() const noexcept { return m_canClose; }
    // The skin's tab and pane pictures as this control's side wants them.
    const TBitmap& TabImage() const noexcept { return m_tabImage; }
    const TBitmap& PaneImage() const noexcept { return m_paneImage; }
    // Each tab's close mark as last painted (strip coordinates, which are the window's
    // for tabs at the top); empty for tabs that had none.
    const std::vector<core::Rect>& CloseRects() const noexcept { return m_closeRects; }
    void PrepareImages();

protected:
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    void PaintRow(HDC dc, core::Size window, const core::Rect& pane, const TDataSkinBorder& tabs);
    bool ClosePressed(const TMessage& message);

    std::vector<core::Rect> m_closeRects;
    TabSide m_side = TabSide::Top;
    bool m_unicodeItems = true;
    TBitmap m_tabImage;
    TBitmap m_paneImage;
    TBitmap m_strip;
    bool m_canClose = false;
    int32_t m_tabMode = 0;
};

class TSkinTabBtn : public TSkinControl {
    KESTRELLE_CLASS(TSkinTabBtn, TSkinControl)

protected:
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;
};

class TSkinTabSheet : public TSkinControl {
    KESTRELLE_CLASS(TSkinTabSheet, TSkinControl)

protected:
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;
};

class TSkinTab31 : public TSkinTabBase {
    KESTRELLE_CLASS(TSkinTab31, TSkinTabBase)

public:
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void Reskin() override;
    const TBitmap& TabImage() const noexcept { return m_tabImage; }

protected:
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    void PrepareImage();

    TBitmap m_tabImage;
};

class TSkinAdvPage : public TSkinTabBase {
    KESTRELLE_CLASS(TSkinAdvPage, TSkinTabBase)

public:
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void Reskin() override;
    void Unskin() override;
    // 4: the control gets the skin's tab pictures; other modes leave its pictures alone.
    int32_t PageMode() const noexcept { return m_pageMode; }
    void SetPageMode(int32_t value) noexcept { m_pageMode = value; }

protected:
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    void GiveImages();

    int32_t m_pageMode = 0;
};

// The tab picture's frame `frame` sliced to `rect` with the object's margins, tile mode
// and key colour, from `image` (the object's own picture or a turned copy of it).
bool DrawTabFrame(HDC dc, const core::Rect& rect, const TBitmap& image, const TDataSkinBorder& tabs, int frame) noexcept;
